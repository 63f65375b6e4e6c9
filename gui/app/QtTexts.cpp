// Texts that Qt's own widgets show in the program's windows: the buttons of message boxes, the
// menu and buttons of a document window, the file dialog. They are listed here so that the
// translation files carry them; Qt looks them up under these contexts at run time.
#include <QtGlobal>

namespace {

[[maybe_unused]] const char* const kQtTexts[] = {
    QT_TRANSLATE_NOOP("QPlatformTheme", "OK"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Cancel"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Retry"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "&Yes"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "&No"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Save"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Open"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Close"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Apply"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Help"),

    QT_TRANSLATE_NOOP("QMdiSubWindow", "&Restore"),
    QT_TRANSLATE_NOOP("QMdiSubWindow", "&Move"),
    QT_TRANSLATE_NOOP("QMdiSubWindow", "&Size"),
    QT_TRANSLATE_NOOP("QMdiSubWindow", "Mi&nimize"),
    QT_TRANSLATE_NOOP("QMdiSubWindow", "Ma&ximize"),
    QT_TRANSLATE_NOOP("QMdiSubWindow", "Stay on &Top"),
    QT_TRANSLATE_NOOP("QMdiSubWindow", "&Close"),
    QT_TRANSLATE_NOOP("QMdiSubWindow", "Minimize"),
    QT_TRANSLATE_NOOP("QMdiSubWindow", "Maximize"),
    QT_TRANSLATE_NOOP("QMdiSubWindow", "Restore Down"),
    QT_TRANSLATE_NOOP("QMdiSubWindow", "Restore"),
    QT_TRANSLATE_NOOP("QMdiSubWindow", "Close"),
    QT_TRANSLATE_NOOP("QMdiSubWindow", "Menu"),

    QT_TRANSLATE_NOOP("QFileDialog", "Look in:"),
    QT_TRANSLATE_NOOP("QFileDialog", "Back"),
    QT_TRANSLATE_NOOP("QFileDialog", "Forward"),
    QT_TRANSLATE_NOOP("QFileDialog", "Parent Directory"),
    QT_TRANSLATE_NOOP("QFileDialog", "Create New Folder"),
    QT_TRANSLATE_NOOP("QFileDialog", "List View"),
    QT_TRANSLATE_NOOP("QFileDialog", "Detail View"),
    QT_TRANSLATE_NOOP("QFileDialog", "File &name:"),
    QT_TRANSLATE_NOOP("QFileDialog", "Files of type:"),
    QT_TRANSLATE_NOOP("QFileDialog", "&Open"),
    QT_TRANSLATE_NOOP("QFileDialog", "&Save"),
    QT_TRANSLATE_NOOP("QFileDialog", "Open"),
    QT_TRANSLATE_NOOP("QFileDialog", "Save As"),
    QT_TRANSLATE_NOOP("QFileDialog", "Cancel"),
    QT_TRANSLATE_NOOP("QFileDialog", "All Files (*)"),
    QT_TRANSLATE_NOOP("QFileDialog", "%1 already exists.\nDo you want to replace it?"),
    QT_TRANSLATE_NOOP("QFileDialog", "New Folder"),
    QT_TRANSLATE_NOOP("QFileDialog", "&Delete"),
    QT_TRANSLATE_NOOP("QFileDialog", "&Rename"),
    QT_TRANSLATE_NOOP("QFileDialog", "Show &hidden files"),
    QT_TRANSLATE_NOOP("QFileSystemModel", "Name"),
    QT_TRANSLATE_NOOP("QFileSystemModel", "Size"),
    QT_TRANSLATE_NOOP("QFileSystemModel", "Type"),
    QT_TRANSLATE_NOOP("QFileSystemModel", "Date Modified"),
};

} // namespace

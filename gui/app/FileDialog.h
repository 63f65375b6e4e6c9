#pragma once

#include <QString>

#include <deque>
#include <vector>

class ISettingsStore;
class QWidget;

// The program's file dialogs. They start in the folder of the file chosen last, which the
// per-user store keeps from one run to the next, and in the user's documents folder before
// there is one (or when it is gone).
//
// Like MessageBox, tests can switch on an answering mode in which no dialog is shown: the next
// queued path is returned (an empty one, or an empty queue, is a cancelled dialog) and what the
// dialog proposed is recorded.
class FileDialog {
public:
    struct Shown {
        bool save = false;
        QString proposedPath; // absolute; empty for an Open dialog
        QString filter;
        QString folder; // where the dialog starts
    };

    // The store that keeps the folder last used; nullptr remembers nothing. It must outlive its
    // use here: the application sets it once its settings are loaded and clears it at the end.
    static void setFolderStore(ISettingsStore* store);
    // The folder the next dialog starts in.
    static QString startFolder();

    // An existing file, or an empty string when the user cancelled.
    static QString getOpenFileName(QWidget* parent, const QString& filter);
    // The file to write; a name typed without an extension gets defaultSuffix. proposedPath is
    // the name the dialog starts with; a relative one is taken from startFolder().
    static QString getSaveFileName(QWidget* parent, const QString& proposedPath, const QString& filter,
                                   const QString& defaultSuffix);

    static void setAnsweringMode(bool on);
    static void answerNext(const QString& path);
    static std::vector<Shown> takeShown();

private:
    static QString nextAnswer(Shown shown);
    // Keeps the folder of a chosen file for the next dialog.
    static void rememberFolder(const QString& chosenPath);

    static ISettingsStore* s_folderStore;
    static bool s_answering;
    static std::deque<QString> s_answers;
    static std::vector<Shown> s_shown;
};

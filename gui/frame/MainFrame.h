#pragma once

#include "image/DatFile.h"
#include "image/MemoryImage.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <map>
#include <memory>

class AppContext;
class ChildFrame;
class MdiClientWnd;
class NavigationBar;
class ProgramDoc;
class QAction;
class QLabel;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QTimer;
class QToolBar;
class QTreeWidgetItem;
class QUndoGroup;
class TransferController;

// The main window: menus, toolbar, status bar, the navigation bar on the left and the document
// windows on the painted background. Its caption is the active document's (product, radio type
// and band) and never shows a document's name.
//
// The menu bar shows the document menu while a document window exists (also a hidden one) and the
// short frame menu otherwise. Every command is an action of the window itself, so its shortcut
// works whichever menu is on display.
class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kInitialWidth = 900;
    static constexpr int kInitialHeight = 550;

    explicit MainFrame(AppContext& context, QWidget* parent = nullptr);
    ~MainFrame() override;

    // The action of a command as the document menu holds it (the frame menu's About entry has its
    // own); nullptr for an id the program does not know.
    QAction* commandAction(int commandId) const;
    QList<QMenu*> documentMenus() const { return m_documentMenus; }
    QList<QMenu*> frameMenus() const { return m_frameMenus; }
    bool isDocumentMenuShown() const { return m_documentMenuShown; }

    // Start-up's changes of the document menu: the About entry's text, and the removal of the
    // Language entry.
    void setAboutText(const QString& text);
    void removeLanguageCommand();

    // The document window that the commands act on: the one activated last, even while hidden.
    ChildFrame* activeChild() const;
    QList<ChildFrame*> childFrames() const;
    // A new document window for doc, which it takes over; shown, activated and brought up to date.
    ChildFrame* addDocumentWindow(ProgramDoc* doc);
    // Shows a document window in its normal state and activates it.
    void showChild(ChildFrame* child);
    // Destroys a document window with its document, without asking anything.
    void destroyChild(ChildFrame* child);

    QString caption() const { return m_caption; }
    // The window title: the caption with the placeholder of the modified mark.
    QString captionTitle() const;

    NavigationBar* navigationBar() const { return m_navBar; }
    MdiClientWnd* mdiClient() const { return m_mdiClient; }
    QToolBar* toolBar() const { return m_toolBar; }
    QLabel* messagePane() const { return m_messagePane; }
    // Read, Write and COM Setup for every document window.
    TransferController* transferController() const { return m_transfer; }

    // What askToSave() came to.
    enum class SaveAnswer { Unmodified, Saved, Discarded, Cancelled };
    // Takes an edit under way in the document's grid, then, when the document has unsaved
    // changes, shows its window and asks "Save changes to <title>?". Cancelled also stands for
    // a refused edit and for a save that failed or was cancelled; Discarded leaves the document
    // as it is, for the caller to let go.
    SaveAnswer askToSave(ChildFrame* child);
    // Asks askToSave() about every document. False when the user cancelled.
    bool saveAllModified();
    // File Save (or Save As with askForName): takes an edit under way in the grid, asks for the
    // file when the document has none to write in place, and saves. False when the edit was
    // refused, the user cancelled or the save failed (the user has been told why).
    bool saveDocument(ChildFrame* child, bool askForName);
    // Tells the user why a .dat file could not be loaded or saved (saving) at path.
    void showFileError(const DatFileResult& result, const QString& path, bool saving);

    // The Window menu: Cascade, Tile, Next and Previous Window, then every document window,
    // hidden ones too, the active one checked. The list is made afresh each time the menu opens.
    QMenu* windowMenu() const { return m_windowMenu; }
    void updateWindowMenu();

    // The label of a navigation page in the user interface's language.
    QString pageLabel(int commandId) const;

    // The printer that Print, Print Preview and Print Setup share.
    QPrinter& printer();

signals:
    // The application's commands.
    void fileNewRequested();
    void fileOpenRequested();
    void aboutRequested();

public slots:
    void onChannelInformation();
    void onControlBar();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QMenu* createPopupMenu() override;

private slots:
    void onTreeItemClicked(QTreeWidgetItem* item);
    void onSubWindowActivated(QMdiSubWindow* window);
    void onUpdateControlBar();
    void onFileClose();
    void onFileSave();
    void onFileSaveAs();
    void onLanguage();
    void onRadioHistory();
    void onProgramSeveralRadios();
    void onSaveLog();
    // File, Compare with File: a .dat file against the active document.
    void onCompareWithFile();
    void updateIndicators();
    // Shows and activates the document window `step` places on from the active one in the
    // order they were opened, round at the ends, hidden ones included.
    void activateNeighbour(int step);

private:
    QAction* addCommand(int commandId, const QString& text, const QString& prompt,
                        const QKeySequence& shortcut = QKeySequence());
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createNavigationBar();
    void updateMenus();
    // Enables the commands that the active document and a running transfer allow.
    void updateCommands();
    void runCommand(int commandId);
    // Program, Write of the document in the window: once the edit under way in its grid is in
    // the image, the transfer controller takes it.
    void writeDocument(ChildFrame* child);
    // A new document window over a copy of image, named title and not yet saved; the window
    // that was active goes out of sight, as when a file is opened.
    ChildFrame* openImage(const MemoryImage& image, const QString& title);
    // Runs the page of the navigation tree that has this label.
    void openPage(const QString& label);
    void setCaption(const QString& caption);
    // The caption of the active document, or the program's name while there is none.
    void updateCaption();

    AppContext& m_context;
    TransferController* m_transfer = nullptr;
    std::map<int, QAction*> m_actions;
    QUndoGroup* m_undoGroup = nullptr;
    QAction* m_actFrameAbout = nullptr;
    QList<QMenu*> m_documentMenus;
    QList<QMenu*> m_frameMenus;
    QMenu* m_setupMenu = nullptr;
    QMenu* m_windowMenu = nullptr;
    QList<QAction*> m_windowEntries; // the document list of the Window menu
    bool m_documentMenuShown = false;

    NavigationBar* m_navBar = nullptr;
    MdiClientWnd* m_mdiClient = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_messagePane = nullptr;
    QLabel* m_indicators[3] = {};
    QTimer* m_indicatorTimer = nullptr;

    QPointer<ChildFrame> m_activeChild;
    bool m_closingForRestart = false; // the documents were asked about for a language change
    // The document whose type and band were last remembered on activation.
    QPointer<ProgramDoc> m_rememberedDoc;
    QString m_caption;
    std::unique_ptr<QPrinter> m_printer;
};

#include "frame/MainFrame.h"

#include "app/AppContext.h"
#include "app/FileDialog.h"
#include "app/Help.h"
#include "app/LanguageDlg.h"
#include "app/MessageBox.h"
#include "app/Pictures.h"
#include "app/ProcessStarter.h"
#include "app/Resource.h"
#include "app/SystemReason.h"
#include "document/ProgramDoc.h"
#include "editor/DocumentCommands.h"
#include "editor/ProgramView.h"
#include "frame/ChildFrame.h"
#include "frame/KeyLockState.h"
#include "frame/MdiClientWnd.h"
#include "frame/NavigationBar.h"
#include "history/RadioHistory.h"
#include "platform/AtomicFile.h"
#include "radio/FleetDlg.h"
#include "radio/RadioHistoryDlg.h"
#include "radio/TransferController.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QProxyStyle>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoGroup>

#include <algorithm>
#include <utility>

namespace {

constexpr int kIndicatorPollMs = 300;

// Lets the pointer and the arrow keys rest on disabled menu entries as well, so that F1 can open
// the help of a command that is off at the moment.
class MenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_Menu_AllowActiveAndDisabled) {
            return 1;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

MainFrame::MainFrame(AppContext& context, QWidget* parent) : QMainWindow(parent), m_context(context) {
    setObjectName(QStringLiteral("MainFrame"));
    setProperty(kHelpIdProperty, id::kHelpMainFrame);
    setWindowIcon(Pictures::appIcon());
    m_caption = QStringLiteral("Program");
    setWindowTitle(m_caption);
    resize(kInitialWidth, kInitialHeight);

    m_transfer = new TransferController(m_context, this);
    connect(m_transfer, &TransferController::runningChanged, this, &MainFrame::updateCommands);
    connect(m_transfer, &TransferController::transferDone, this, [this](const ProgramDoc* doc) {
        // A hidden document window comes back to show what was read or written.
        for (ChildFrame* child : childFrames()) {
            if (child->document() == doc && child->isHidden()) {
                child->showNormal();
            }
        }
    });
    createActions();
    createToolBar();
    createStatusBar();
    createNavigationBar();

    m_mdiClient = new MdiClientWnd(m_context.dataDir(), this);
    setCentralWidget(m_mdiClient);
    connect(m_mdiClient, &QMdiArea::subWindowActivated, this, &MainFrame::onSubWindowActivated);

    createMenus();
    updateMenus();
}

MainFrame::~MainFrame() {
    // A transfer that still runs ends while its document and this window are whole.
    delete m_transfer;
    // The bars and the document windows go after this object; they must not call back into it.
    m_navBar->tree()->disconnect(this);
    m_navBar->disconnect(this);
    m_toolBar->disconnect(this);
    m_mdiClient->disconnect(this);
}

QAction* MainFrame::addCommand(int commandId, const QString& text, const QString& prompt,
                               const QKeySequence& shortcut) {
    auto* action = new QAction(text, this);
    action->setData(commandId);
    // A prompt is the status bar text, then after a line break the tool tip.
    if (!prompt.isEmpty()) {
        const qsizetype newline = prompt.indexOf(QLatin1Char('\n'));
        action->setStatusTip(prompt.left(newline));
        if (newline >= 0) {
            action->setToolTip(prompt.mid(newline + 1));
        }
    }
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
    }
    addAction(action);
    m_actions[commandId] = action;
    return action;
}

void MainFrame::createActions() {
    using namespace id;
    // Undo and Redo act on the active document's steps; their texts say what they would undo.
    m_undoGroup = new QUndoGroup(this);
    QAction* undo = m_undoGroup->createUndoAction(this, tr("&Undo"));
    QAction* redo = m_undoGroup->createRedoAction(this, tr("&Redo"));
    undo->setData(kEditUndo);
    redo->setData(kEditRedo);
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    undo->setStatusTip(tr("Undo the last change"));
    redo->setStatusTip(tr("Redo the change undone last"));
    for (QAction* action : {undo, redo}) {
        addAction(action);
        m_actions[action->data().toInt()] = action;
    }
    addCommand(kFileNew, tr("&New"), tr("Create a new document\nNew"), QKeySequence(Qt::CTRL | Qt::Key_N));
    addCommand(kFileOpen, tr("&Open..."), tr("Open an existing document\nOpen"),
               QKeySequence(Qt::CTRL | Qt::Key_O));
    addCommand(kFileClose, tr("&Close"), tr("Close the active document\nClose"));
    addCommand(kFileSave, tr("&Save"), tr("Save the active document\nSave"),
               QKeySequence(Qt::CTRL | Qt::Key_S));
    addCommand(kFileSaveAs, tr("Save &As..."), tr("Save the active document with a new name\nSave As"));
    addCommand(kImportChannels, tr("&Import Channels..."),
               tr("Replace the channel list with one from a CSV file, after a preview"));
    addCommand(kExportChannels, tr("&Export Channels..."), tr("Save the channel list as a CSV file"));
    addCommand(kCompareWithFile, tr("Co&mpare with File..."),
               tr("List where a data file differs from the active document"));
    addCommand(kFilePrint, tr("&Print..."), tr("Print the active document\nPrint"),
               QKeySequence(Qt::CTRL | Qt::Key_P));
    addCommand(kFilePrintPreview, tr("Print Pre&view"), tr("Display full pages\nPrint Preview"));
    addCommand(kFilePrintSetup, tr("P&rint Setup..."),
               tr("Change the printer and printing options\nPrint Setup"));
    addCommand(kAppExit, tr("E&xit"), tr("Quit the application; prompts to save documents\nExit"));

    addCommand(kEditCut, tr("Cu&t"), tr("Copy the selected cells and clear them"),
               QKeySequence(Qt::CTRL | Qt::Key_X));
    addCommand(kEditCopy, tr("&Copy"),
               tr("Copy the selected cells, or the current cell, for a spreadsheet or another channel list"),
               QKeySequence(Qt::CTRL | Qt::Key_C));
    addCommand(kEditClear, tr("C&lear"),
               tr("Clear the selected cells; clearing an Rx Frequency deletes its channel"),
               QKeySequence(Qt::Key_Delete));
    addCommand(kEditSelectAll, tr("Select &All"), tr("Select every channel"),
               QKeySequence(Qt::CTRL | Qt::Key_A));
    addCommand(kEditPaste, tr("&Paste"),
               tr("Paste cells from a spreadsheet, or a channel list, into the selection or from the "
                  "current cell on"),
               QKeySequence(Qt::CTRL | Qt::Key_V));
    addCommand(kFillDown, tr("&Fill Down"), tr("Copy the top row of the selection into the rows below it"),
               QKeySequence(Qt::CTRL | Qt::Key_D));
    addCommand(kInsertChannel, tr("&Insert Channel"),
               tr("Insert an empty channel here; the channels below move down"),
               QKeySequence(Qt::CTRL | Qt::Key_Insert));
    addCommand(kDeleteChannel, tr("&Delete Channel"), tr("Delete this channel; the channels below move up"),
               QKeySequence(Qt::CTRL | Qt::Key_Delete));
    addCommand(kMoveChannelUp, tr("&Move Channel Up"), tr("Swap this channel with the one above"),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up));
    addCommand(kMoveChannelDown, tr("Move Channel Do&wn"), tr("Swap this channel with the one below"),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down));
    addCommand(kProductInformation, tr("Product I&nformation"), QString());
    addCommand(kChannelInformation, tr("C&hannel Information"), QString());
    addCommand(kOptionalFeatures, tr("&Optional Features"), QString());
    addCommand(kChannelPlans, tr("Channel Plan&s..."),
               tr("Fill channels from a channel plan such as PMR446, FRS, GMRS, MURS or a list of your own"));
    addCommand(kCheckChannels, tr("Chec&k Channels..."),
               tr("List channels that break a service's rule or will not work as meant"));

    addCommand(kRead, tr("&Read"), tr("Read Data From Radio\nRead"), QKeySequence(Qt::CTRL | Qt::Key_R));
    addCommand(kWrite, tr("&Write"), tr("Write Data To Radio\nWrite"), QKeySequence(Qt::CTRL | Qt::Key_W));
    addCommand(kRadioHistory, tr("Radio &History..."),
               tr("List the images read from and written to radios; open one or write it back"));
    addCommand(kSaveLog, tr("Save &Log..."), tr("Save every byte of the last transfer to a file"));
    addCommand(kCompareWithRadio, tr("&Compare with Radio"),
               tr("Read the radio and list where it differs from the active document"));
    addCommand(kProgramSeveralRadios, tr("Program &Several Radios..."),
               tr("Give the active document to one radio after another, on one or more ports, with a log"));

    QAction* toolbar =
        addCommand(kViewToolbar, tr("&Toolbar"), tr("Show or hide the toolbar\nToggle ToolBar"));
    QAction* statusBar =
        addCommand(kViewStatusBar, tr("&Status Bar"), tr("Show or hide the status bar\nToggle StatusBar"));
    QAction* controlBar = addCommand(kControlBar, tr("&Control Bar"), QString());
    for (QAction* action : {toolbar, statusBar, controlBar}) {
        action->setCheckable(true);
        action->setChecked(true);
    }

    addCommand(kComSetup, tr("&Com Setup"), QString());
    addCommand(kLanguage, tr("&Language"), QString());
    // How a write runs: a check box each, the user's choice kept at once.
    using Choice = AppContext::WriteChoice;
    const struct {
        int command;
        Choice choice;
        QString text;
        QString tip;
    } writeChoices[] = {
        {kBackupBeforeWrite, Choice::Backup, tr("&Backup Before Write"),
         tr("Read the radio and keep its contents before every write")},
        {kVerifyAfterWrite, Choice::Verify, tr("&Verify After Write"),
         tr("Read the radio back after every write and compare")},
        {kShowChangesBeforeWriting, Choice::ShowChanges, tr("&Show Changes Before Writing"),
         tr("After the backup, list what a write will change and ask first")},
        {kWriteOnlyChangedRows, Choice::ChangedOnly, tr("Write &Only Changed Rows"),
         tr("Send only the rows that differ from the backup")},
    };
    for (const auto& entry : writeChoices) {
        QAction* action = addCommand(entry.command, entry.text, entry.tip);
        action->setCheckable(true);
        action->setChecked(m_context.writeChoice(entry.choice));
        connect(action, &QAction::triggered, this,
                [this, choice = entry.choice](bool on) { m_context.setWriteChoice(choice, on); });
    }
    connect(commandAction(kRadioHistory), &QAction::triggered, this, &MainFrame::onRadioHistory);
    connect(commandAction(kSaveLog), &QAction::triggered, this, &MainFrame::onSaveLog);

    addCommand(kWindowCascade, tr("&Cascade"), tr("Arrange the document windows so they overlap"));
    addCommand(kWindowTile, tr("&Tile"), tr("Arrange the document windows side by side"));
    QAction* next = addCommand(kNextWindow, tr("&Next Window"), tr("Show the next document"));
    QAction* previous = addCommand(kPrevWindow, tr("&Previous Window"), tr("Show the previous document"));
    // Ctrl+Shift+Tab arrives as Ctrl+Shift+Backtab, which the shortcut map also matches as Tab.
    next->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_F6)});
    previous->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6)});
    connect(commandAction(kWindowCascade), &QAction::triggered, this,
            [this] { m_mdiClient->cascadeSubWindows(); });
    connect(commandAction(kWindowTile), &QAction::triggered, this, [this] { m_mdiClient->tileSubWindows(); });
    connect(next, &QAction::triggered, this, [this] { activateNeighbour(1); });
    connect(previous, &QAction::triggered, this, [this] { activateNeighbour(-1); });

    // F1 itself stays the key of context help; the entry only names it.
    addCommand(kHelpContents, tr("&Contents") + QStringLiteral("\tF1"),
               tr("Open the manual at its contents\nContents"));
    addCommand(kAppAbout, tr("&About Program..."),
               tr("Display program information, version number and copyright\nAbout"));
    m_actFrameAbout = new QAction(tr("&About Program..."), this);
    m_actFrameAbout->setData(kAppAbout);
    m_actFrameAbout->setStatusTip(commandAction(kAppAbout)->statusTip());

    // The window has no panes to move between; the keys are reserved for them.
    addCommand(kNextPane, tr("Next Pane"), tr("Switch to the next window pane\nNext Pane"),
               QKeySequence(Qt::Key_F6));
    addCommand(kPrevPane, tr("Previous Pane"), tr("Switch back to the previous window pane\nPrevious Pane"),
               QKeySequence(Qt::SHIFT | Qt::Key_F6));

    for (int disabled : {kNextPane, kPrevPane}) {
        commandAction(disabled)->setEnabled(false);
    }
    connect(commandAction(kFilePrint), &QAction::triggered, this, [this] {
        if (ChildFrame* child = activeChild()) {
            child->view()->commands()->print(printer());
        }
    });
    connect(commandAction(kFilePrintPreview), &QAction::triggered, this, [this] {
        if (ChildFrame* child = activeChild()) {
            child->view()->commands()->printPreview(printer());
        }
    });
    connect(commandAction(kFilePrintSetup), &QAction::triggered, this, [this] {
        QPageSetupDialog dialog(&printer(), this);
        dialog.exec();
    });

    // The transfer and the port go to the transfer controller, for the active document; the two
    // settings dialogs belong to the frame.
    connect(commandAction(kRead), &QAction::triggered, this, [this] {
        if (ChildFrame* child = activeChild()) {
            // What is typed in a cell goes into the document, so that undoing the read gives it back.
            child->view()->commitPendingEdit();
            m_transfer->read(child->document());
        }
    });
    connect(commandAction(kWrite), &QAction::triggered, this, [this] { writeDocument(activeChild()); });
    connect(commandAction(kComSetup), &QAction::triggered, this, [this] { m_transfer->comSetup(); });
    connect(commandAction(kCompareWithRadio), &QAction::triggered, this, [this] {
        if (ChildFrame* child = activeChild()) {
            child->view()->commitPendingEdit();
            m_transfer->compareWithRadio(child->document());
        }
    });
    connect(commandAction(kCompareWithFile), &QAction::triggered, this, &MainFrame::onCompareWithFile);
    connect(commandAction(kProgramSeveralRadios), &QAction::triggered, this,
            &MainFrame::onProgramSeveralRadios);
    connect(m_transfer, &TransferController::openImageRequested, this,
            [this](const MemoryImage& image, const QString& title) { openImage(image, title); });
    // The commands on a document's channels and options are its own, on its active window.
    const auto toDocument = [this](int command, void (DocumentCommands::*handler)()) {
        connect(commandAction(command), &QAction::triggered, this, [this, handler] {
            if (ChildFrame* child = activeChild()) {
                (child->view()->commands()->*handler)();
            }
        });
    };
    for (const auto& [command, handler] : std::initializer_list<std::pair<int, void (DocumentCommands::*)()>>{
             {kImportChannels, &DocumentCommands::importChannels},
             {kExportChannels, &DocumentCommands::exportChannels},
             {kEditCopy, &DocumentCommands::copy},
             {kEditCut, &DocumentCommands::cut},
             {kEditClear, &DocumentCommands::clear},
             {kFillDown, &DocumentCommands::fillDown},
             {kEditSelectAll, &DocumentCommands::selectAll},
             {kEditPaste, &DocumentCommands::paste},
             {kInsertChannel, &DocumentCommands::insertChannel},
             {kDeleteChannel, &DocumentCommands::deleteChannel},
             {kMoveChannelUp, &DocumentCommands::moveChannelUp},
             {kMoveChannelDown, &DocumentCommands::moveChannelDown},
             {kProductInformation, &DocumentCommands::productInformation},
             {kOptionalFeatures, &DocumentCommands::optionalFeatures},
             {kChannelPlans, &DocumentCommands::channelPlans},
             {kCheckChannels, &DocumentCommands::checkChannels}}) {
        toDocument(command, handler);
    }

    connect(commandAction(kFileNew), &QAction::triggered, this, &MainFrame::fileNewRequested);
    connect(commandAction(kFileOpen), &QAction::triggered, this, &MainFrame::fileOpenRequested);
    connect(commandAction(kAppAbout), &QAction::triggered, this, &MainFrame::aboutRequested);
    connect(m_actFrameAbout, &QAction::triggered, this, &MainFrame::aboutRequested);
    connect(commandAction(kHelpContents), &QAction::triggered, this,
            [this] { Help::open(m_context, this, 0); });
    connect(commandAction(kFileClose), &QAction::triggered, this, &MainFrame::onFileClose);
    connect(commandAction(kFileSave), &QAction::triggered, this, &MainFrame::onFileSave);
    connect(commandAction(kFileSaveAs), &QAction::triggered, this, &MainFrame::onFileSaveAs);
    connect(commandAction(kAppExit), &QAction::triggered, this, &QWidget::close);
    connect(commandAction(kChannelInformation), &QAction::triggered, this, &MainFrame::onChannelInformation);
    connect(commandAction(kControlBar), &QAction::triggered, this, &MainFrame::onControlBar);
    connect(commandAction(kLanguage), &QAction::triggered, this, &MainFrame::onLanguage);
    connect(toolbar, &QAction::triggered, this, [this](bool on) { m_toolBar->setVisible(on); });
    connect(statusBar, &QAction::triggered, this, [this](bool on) { this->statusBar()->setVisible(on); });
}

void MainFrame::createMenus() {
    using namespace id;
    auto addMenu = [this](const QString& title, std::initializer_list<int> commands) {
        auto* menu = new QMenu(title, this);
        for (int command : commands) {
            if (command == 0) {
                menu->addSeparator();
            } else {
                menu->addAction(commandAction(command));
            }
        }
        return menu;
    };

    // Shown while no document window exists.
    m_frameMenus = {
        addMenu(tr("&File"), {kFileNew, kFileOpen, 0, kFilePrintSetup, 0, kAppExit}),
        addMenu(tr("&View"), {kViewToolbar, kViewStatusBar}),
        addMenu(tr("&Help"), {kHelpContents}),
    };
    m_frameMenus.last()->addAction(m_actFrameAbout);

    // The document menu.
    m_setupMenu = addMenu(tr("&Setup"), {kComSetup, kLanguage, 0, kBackupBeforeWrite, kVerifyAfterWrite,
                                         kShowChangesBeforeWriting, kWriteOnlyChangedRows});
    m_documentMenus = {
        addMenu(tr("&File"),
                {kFileNew, kFileOpen, kFileClose, kFileSave, kFileSaveAs, 0, kImportChannels, kExportChannels,
                 kCompareWithFile, 0, kFilePrint, kFilePrintPreview, kFilePrintSetup, 0, kAppExit}),
        addMenu(tr("&Edit"), {kEditUndo,
                              kEditRedo,
                              0,
                              kEditCut,
                              kEditCopy,
                              kEditPaste,
                              kEditClear,
                              kFillDown,
                              kEditSelectAll,
                              0,
                              kInsertChannel,
                              kDeleteChannel,
                              kMoveChannelUp,
                              kMoveChannelDown,
                              0,
                              kProductInformation,
                              kChannelInformation,
                              kOptionalFeatures,
                              0,
                              kChannelPlans,
                              kCheckChannels}),
        addMenu(tr("&Program"),
                {kRead, kWrite, kCompareWithRadio, kProgramSeveralRadios, 0, kRadioHistory, kSaveLog}),
        addMenu(tr("&View"), {kViewToolbar, kViewStatusBar, kControlBar}),
        m_setupMenu,
        addMenu(tr("&Window"), {kWindowCascade, kWindowTile, 0, kNextWindow, kPrevWindow, 0}),
        addMenu(tr("&Help"), {kHelpContents, kAppAbout}),
    };
    m_windowMenu = m_documentMenus.at(5);
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MainFrame::updateWindowMenu);
    for (QMenu* menu : m_documentMenus + m_frameMenus) {
        connect(menu, &QMenu::aboutToShow, this, &MainFrame::onUpdateControlBar);
        // A widget does not own its style; the menu's child goes after the menu itself.
        auto* style = new MenuStyle;
        style->setParent(menu);
        menu->setStyle(style);
    }
}

void MainFrame::createToolBar() {
    m_toolBar = new QToolBar(tr("Toolbar"), this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setIconSize(Pictures::kToolButtonSize);
    const std::pair<int, const char*> buttons[] = {
        {id::kFileNew, "new"},
        {id::kFileOpen, "open"},
        {id::kFileSave, "save"},
        {0, nullptr},
        {id::kEditUndo, "undo"},
        {id::kEditRedo, "redo"},
        {0, nullptr},
        {id::kRead, "read"},
        {id::kWrite, "write"},
        {0, nullptr},
        {id::kFilePrint, "print"},
        {0, nullptr},
        {id::kAppAbout, "about"},
    };
    for (const auto& [command, picture] : buttons) {
        if (command == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = commandAction(command);
        action->setIcon(Pictures::toolbarIcon(QString::fromLatin1(picture)));
        action->setIconVisibleInMenu(false);
        m_toolBar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    // The toolbar's own button for the buttons a narrow window has no room for; assistive
    // technology lists it first, and it has no text of its own.
    if (auto* more = m_toolBar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"))) {
        more->setAccessibleName(tr("More Buttons"));
    }
    connect(m_toolBar, &QToolBar::visibilityChanged, this,
            [this] { commandAction(id::kViewToolbar)->setChecked(!m_toolBar->isHidden()); });
}

void MainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    m_messagePane = new QLabel(tr("Ready"), bar);
    bar->addWidget(m_messagePane, 1);
    const QString texts[] = {tr("CAP"), tr("NUM"), tr("SCRL")};
    for (int i = 0; i < 3; ++i) {
        auto* pane = new QLabel(texts[i], bar);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(texts[i]) + 12);
        pane->setEnabled(false);
        bar->addPermanentWidget(pane);
        m_indicators[i] = pane;
    }
    m_indicatorTimer = new QTimer(this);
    connect(m_indicatorTimer, &QTimer::timeout, this, &MainFrame::updateIndicators);
    m_indicatorTimer->start(kIndicatorPollMs);
    updateIndicators();
}

void MainFrame::createNavigationBar() {
    m_navBar = new NavigationBar(m_context.languageText(LanguageText::Company), this);
    m_navBar->initBar();
    QTreeWidget* tree = m_navBar->tree();
    auto* root = new QTreeWidgetItem(tree, {m_context.languageText(LanguageText::Company)});
    for (int page : {id::kProductInformation, id::kChannelInformation, id::kOptionalFeatures}) {
        new QTreeWidgetItem(root, {pageLabel(page)});
    }
    root->setExpanded(true);
    addDockWidget(Qt::LeftDockWidgetArea, m_navBar);
    connect(tree, &QTreeWidget::itemClicked, this, &MainFrame::onTreeItemClicked);
    tree->installEventFilter(this);
    connect(m_navBar, &NavigationBar::closeClicked, m_navBar, &QWidget::hide);
    connect(m_navBar, &QDockWidget::visibilityChanged, this, &MainFrame::onUpdateControlBar);
}

QString MainFrame::pageLabel(int commandId) const {
    switch (commandId) {
    case id::kProductInformation:
        return m_context.codeText(QT_TRANSLATE_NOOP("CodeText", "Product Information"));
    case id::kChannelInformation:
        return m_context.codeText(QT_TRANSLATE_NOOP("CodeText", "Channel Information"));
    case id::kOptionalFeatures:
        return m_context.codeText(QT_TRANSLATE_NOOP("CodeText", "Optional Features"));
    default:
        return QString();
    }
}

QAction* MainFrame::commandAction(int commandId) const {
    const auto it = m_actions.find(commandId);
    return it == m_actions.end() ? nullptr : it->second;
}

void MainFrame::setAboutText(const QString& text) {
    commandAction(id::kAppAbout)->setText(text);
}

void MainFrame::removeLanguageCommand() {
    m_setupMenu->removeAction(commandAction(id::kLanguage));
}

void MainFrame::updateMenus() {
    const bool document = activeChild() != nullptr;
    if (menuBar()->actions().isEmpty() || document != m_documentMenuShown) {
        menuBar()->clear();
        for (QMenu* menu : document ? m_documentMenus : m_frameMenus) {
            menuBar()->addMenu(menu);
        }
        m_documentMenuShown = document;
    }
    updateCommands();
    setProperty(kHelpIdProperty, document ? id::kHelpDocumentFrame : id::kHelpMainFrame);
    // Turning from one document to another makes the new one's type and band the remembered
    // choice, which Product Information opens on.
    ProgramDoc* active = document ? activeChild()->document() : nullptr;
    if (active != m_rememberedDoc) {
        if (active != nullptr && m_rememberedDoc) {
            active->rememberTypeAndBand();
        }
        m_rememberedDoc = active;
    }
    updateCaption();
}

void MainFrame::updateCommands() {
    using namespace id;
    const ChildFrame* child = activeChild();
    const bool document = child != nullptr;
    // The document of a running transfer can be looked at, but nothing may change, save, close
    // or replace it; and nothing starts a second transfer or ends the program meanwhile.
    const bool busy = document && child->document()->isBusy();
    const bool transfer = m_context.isTransferRunning();
    for (int command : {kFileClose,        kFileSave,           kFileSaveAs,       kFilePrint,
                        kFilePrintPreview, kProductInformation, kOptionalFeatures, kChannelPlans,
                        kCheckChannels,    kComSetup,           kEditCut,          kEditPaste,
                        kEditClear,        kFillDown,           kImportChannels,   kExportChannels,
                        kCompareWithFile,  kInsertChannel,      kDeleteChannel,    kMoveChannelUp,
                        kMoveChannelDown}) {
        commandAction(command)->setEnabled(document && !busy);
    }
    for (int command : {kRead, kWrite, kCompareWithRadio, kProgramSeveralRadios, kLanguage}) {
        commandAction(command)->setEnabled(document && !transfer);
    }
    for (int command : {kFileNew, kAppExit, kRadioHistory}) {
        commandAction(command)->setEnabled(!transfer);
    }
    commandAction(kSaveLog)->setEnabled(!transfer && !m_context.lastTransferLog().empty());
    // While a transfer works on it, the document takes no undo either.
    m_undoGroup->setActiveStack(document && !busy ? child->document()->undoStack() : nullptr);
}

void MainFrame::updateIndicators() {
    const KeyLocks locks = KeyLockState::query();
    const bool on[] = {locks.capsLock, locks.numLock, locks.scrollLock};
    for (int i = 0; i < 3; ++i) {
        m_indicators[i]->setEnabled(on[i]);
    }
}

ChildFrame* MainFrame::activeChild() const {
    if (m_activeChild) {
        return m_activeChild;
    }
    const QList<ChildFrame*> children = childFrames();
    return children.isEmpty() ? nullptr : children.last();
}

QList<ChildFrame*> MainFrame::childFrames() const {
    QList<ChildFrame*> children;
    for (QMdiSubWindow* window : m_mdiClient->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* child = qobject_cast<ChildFrame*>(window)) {
            children.append(child);
        }
    }
    return children;
}

ChildFrame* MainFrame::addDocumentWindow(ProgramDoc* doc) {
    auto* child = new ChildFrame(m_context, doc);
    m_mdiClient->addSubWindow(child);
    child->move(0, 0);
    child->show();
    m_mdiClient->setActiveSubWindow(child);
    m_activeChild = child;
    updateMenus();
    connect(doc, &ProgramDoc::modelChanged, this, &MainFrame::updateCaption);
    connect(doc, &ProgramDoc::busyChanged, this, &MainFrame::updateCommands);
    child->fitToView();
    child->view()->onInitialUpdate();
    return child;
}

void MainFrame::showChild(ChildFrame* child) {
    child->showNormal();
    m_mdiClient->setActiveSubWindow(child);
    m_activeChild = child;
    updateMenus();
}

void MainFrame::destroyChild(ChildFrame* child) {
    if (m_activeChild == child) {
        m_activeChild = nullptr;
    }
    child->destroyWindow();
    updateMenus();
}

void MainFrame::updateWindowMenu() {
    for (QAction* entry : std::as_const(m_windowEntries)) {
        m_windowMenu->removeAction(entry);
        entry->deleteLater();
    }
    m_windowEntries.clear();
    const QList<ChildFrame*> children = childFrames();
    for (qsizetype i = 0; i < children.size(); ++i) {
        ChildFrame* child = children.at(i);
        const ProgramDoc* doc = child->document();
        QString title = doc->title();
        title.replace(QLatin1Char('&'), QLatin1String("&&"));
        // The first nine take their number as access key; the Window menu's own entries have letters.
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QString::number(i + 1);
        auto* entry = new QAction(
            QStringLiteral("%1 %2%3").arg(number, title, doc->isModified() ? QStringLiteral("*") : QString()),
            m_windowMenu);
        entry->setData(id::kWindowDocument);
        entry->setCheckable(true);
        entry->setChecked(child == activeChild());
        connect(entry, &QAction::triggered, this, [this, window = QPointer<ChildFrame>(child)] {
            if (window) {
                showChild(window);
            }
        });
        m_windowMenu->addAction(entry);
        m_windowEntries.append(entry);
    }
}

void MainFrame::activateNeighbour(int step) {
    const QList<ChildFrame*> children = childFrames();
    if (children.isEmpty()) {
        return;
    }
    const qsizetype at = std::max<qsizetype>(0, children.indexOf(activeChild()));
    const qsizetype count = children.size();
    showChild(children.at(((at + step) % count + count) % count));
}

void MainFrame::setCaption(const QString& caption) {
    m_caption = caption;
    setWindowTitle(captionTitle());
}

QString MainFrame::captionTitle() const {
    // A maximised document window hands its modified mark to the main window, which shows it
    // through the placeholder.
    return m_caption + QStringLiteral("[*]");
}

void MainFrame::updateCaption() {
    const ChildFrame* child = activeChild();
    setCaption(child != nullptr ? child->document()->mainTitle() : QStringLiteral("Program"));
}

void MainFrame::changeEvent(QEvent* event) {
    // A maximised document window would put its own title into the caption; the caption keeps
    // the product, type and band.
    if (event->type() == QEvent::WindowTitleChange && windowTitle() != captionTitle()) {
        setWindowTitle(captionTitle());
    }
    QMainWindow::changeEvent(event);
}

QMenu* MainFrame::createPopupMenu() {
    // The bars are switched on and off through the View menu only.
    return nullptr;
}

void MainFrame::onSubWindowActivated(QMdiSubWindow* window) {
    if (auto* child = qobject_cast<ChildFrame*>(window)) {
        m_activeChild = child;
        updateMenus();
    }
}

void MainFrame::runCommand(int commandId) {
    QAction* action = commandAction(commandId);
    if (action != nullptr && action->isEnabled()) {
        action->trigger();
    }
}

QPrinter& MainFrame::printer() {
    // One printer for the whole program, so that Print Setup's choices hold for every print.
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *m_printer;
}

void MainFrame::onTreeItemClicked(QTreeWidgetItem* item) {
    // A click opens the page it is on, every time, and leaves it selected; the arrow keys only
    // move the selection, and Enter or Space opens its page (eventFilter).
    if (item != nullptr) {
        openPage(item->text(0));
    }
}

void MainFrame::openPage(const QString& label) {
    for (int page : {id::kChannelInformation, id::kOptionalFeatures, id::kProductInformation}) {
        if (label == pageLabel(page)) {
            runCommand(page);
            break;
        }
    }
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
    // From the keyboard, Enter or Space opens the page under the tree's cursor.
    if (m_navBar != nullptr && watched == m_navBar->tree() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            if (const QTreeWidgetItem* item = m_navBar->tree()->currentItem()) {
                openPage(item->text(0));
            }
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainFrame::onChannelInformation() {
    if (ChildFrame* child = activeChild()) {
        showChild(child);
    }
}

void MainFrame::onControlBar() {
    m_navBar->setVisible(m_navBar->isHidden());
}

void MainFrame::onUpdateControlBar() {
    commandAction(id::kControlBar)->setChecked(!m_navBar->isHidden());
}

void MainFrame::onFileClose() {
    if (ChildFrame* child = activeChild()) {
        child->close();
    }
}

void MainFrame::onFileSave() {
    if (ChildFrame* child = activeChild()) {
        saveDocument(child, false);
    }
}

void MainFrame::onFileSaveAs() {
    if (ChildFrame* child = activeChild()) {
        saveDocument(child, true);
    }
}

// The program starts anew in the other language. Nothing is stored until the documents are
// saved or let go; the stored language goes back when the new program cannot be started, and
// this one keeps running in both cases.
void MainFrame::onLanguage() {
    ChildFrame* child = activeChild();
    if (child == nullptr) {
        return;
    }
    LanguageDlg* dialog = child->view()->languageDialog();
    if (dialog->exec() != QDialog::Accepted || !dialog->changed() || m_context.isTransferRunning() ||
        !saveAllModified() || !dialog->storeChoice()) {
        return;
    }
    // The new program opens the file of the active document, as saved or as it was before the
    // changes that were let go.
    QStringList arguments;
    if (const QString file = activeChild()->document()->filePath(); QFileInfo(file).isFile()) {
        arguments << QFileInfo(file).absoluteFilePath();
    }
    if (!ProcessStarter::start(QCoreApplication::applicationFilePath(), arguments)) {
        dialog->restoreRunningLanguage();
        MessageBox::show(this, tr("The program could not be started again in the other language (%1).\n"
                                  "The language stays as it is.")
                                   .arg(QDir::toNativeSeparators(QCoreApplication::applicationFilePath())));
        return;
    }
    m_closingForRestart = true;
    close();
}

void MainFrame::onRadioHistory() {
    RadioHistory history(m_context.historyFolder());
    RadioHistoryDlg dialog(history, m_context.settings(), m_context.language(), this);
    if (dialog.exec() != QDialog::Accepted || dialog.action() == RadioHistoryDlg::Action::None) {
        return;
    }
    const HistoryEntry& entry = dialog.entry();
    ChildFrame* child = openImage(
        dialog.image(), QStringLiteral("%1 %2").arg(QString::fromStdString(entry.time),
                                                    QString::fromUtf8(historyKindName(entry.kind))));
    if (dialog.action() == RadioHistoryDlg::Action::Write) {
        writeDocument(child);
    }
}

ChildFrame* MainFrame::openImage(const MemoryImage& image, const QString& title) {
    auto* doc = new ProgramDoc(m_context);
    doc->takeImage(image, title);
    // The window that was active goes out of sight, as when a file is opened.
    if (ChildFrame* previous = activeChild()) {
        previous->close();
    }
    return addDocumentWindow(doc);
}

void MainFrame::onCompareWithFile() {
    ChildFrame* child = activeChild();
    if (child == nullptr || !child->view()->commitPendingEdit()) {
        return;
    }
    const QString path = FileDialog::getOpenFileName(this, ProgramDoc::fileFilter());
    if (path.isEmpty()) {
        return;
    }
    MemoryImage image;
    const DatFileResult loaded = loadDatFile(QFile::encodeName(path).toStdString(), image);
    if (!loaded) {
        showFileError(loaded, path, false);
        return;
    }
    m_transfer->showComparison(child->document(), image, QDir::toNativeSeparators(path), false);
}

void MainFrame::writeDocument(ChildFrame* child) {
    if (child == nullptr || !child->view()->commitPendingEdit()) {
        return;
    }
    m_transfer->write(child->document());
}

void MainFrame::onProgramSeveralRadios() {
    ChildFrame* child = activeChild();
    if (!child || m_context.isTransferRunning()) {
        return;
    }
    // What is typed in a cell belongs to the master the radios get.
    child->view()->commitPendingEdit();
    FleetDlg dialog(m_context, child->document()->image(), child->document()->title(), m_context.portName(),
                    printer(), this);
    dialog.exec();
    updateCommands();
}

void MainFrame::onSaveLog() {
    const std::string& log = m_context.lastTransferLog();
    if (log.empty()) {
        return;
    }
    const QString path = FileDialog::getSaveFileName(
        this, QStringLiteral("transfer.log"), tr("Logs (*.log);;All files (*)"), QStringLiteral("log"));
    if (path.isEmpty()) {
        return;
    }
    std::string error;
    if (!platform::writeFileAtomically(QFile::encodeName(path).toStdString(), log, error)) {
        MessageBox::show(this, tr("Cannot save the file %1.\n%2")
                                   .arg(QDir::toNativeSeparators(path), SystemReason::text(error)));
    }
}

MainFrame::SaveAnswer MainFrame::askToSave(ChildFrame* child) {
    if (!child->view()->commitPendingEdit()) {
        return SaveAnswer::Cancelled;
    }
    ProgramDoc* doc = child->document();
    if (!doc->isModified()) {
        return SaveAnswer::Unmodified;
    }
    // The document in question comes to the front, hidden or not, and the question names it, so
    // the user sees what it is about.
    showChild(child);
    const QMessageBox::StandardButton answer =
        MessageBox::show(this, tr("Save changes to %1?").arg(doc->title()), QString(),
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) {
        return saveDocument(child, false) ? SaveAnswer::Saved : SaveAnswer::Cancelled;
    }
    return answer == QMessageBox::No ? SaveAnswer::Discarded : SaveAnswer::Cancelled;
}

bool MainFrame::saveDocument(ChildFrame* child, bool askForName) {
    if (!child->view()->commitPendingEdit()) {
        return false;
    }
    ProgramDoc* doc = child->document();
    QString path = askForName || doc->needsFileName() ? QString() : doc->pathName();
    if (path.isEmpty()) {
        path = FileDialog::getSaveFileName(this, doc->proposedFileName(), ProgramDoc::fileFilter(),
                                           QStringLiteral("dat"));
        if (path.isEmpty()) {
            return false;
        }
    }
    const DatFileResult result = doc->save(path);
    if (!result) {
        showFileError(result, path, true);
    }
    return static_cast<bool>(result);
}

void MainFrame::showFileError(const DatFileResult& result, const QString& path, bool saving) {
    const QString file = QDir::toNativeSeparators(path);
    const QString reason = SystemReason::text(result.detail);
    QString text;
    switch (result.error) {
    case DatFileError::DataFormat:
        text = QString::fromUtf8(dataFormatErrorText(m_context.language())) + QLatin1Char('\n') +
               (result.fileSize ? tr("%1 holds %2 bytes; a data file holds exactly %3.")
                                      .arg(file)
                                      .arg(*result.fileSize)
                                      .arg(image::kSize)
                                : tr("%1 is not a file.").arg(file));
        break;
    case DatFileError::Open:
    case DatFileError::Read:
        text = tr("Cannot open the file %1.\n%2").arg(file, reason);
        break;
    case DatFileError::Write:
        text = tr("Cannot save the file %1.\n%2\nThe document is still open; try another folder or name.")
                   .arg(file, reason);
        break;
    case DatFileError::None:
        return;
    }
    if (saving && result.error != DatFileError::Write) {
        text = tr("Cannot save the file %1.\n%2").arg(file, reason);
    }
    MessageBox::show(this, text);
}

bool MainFrame::saveAllModified() {
    for (ChildFrame* child : childFrames()) {
        if (askToSave(child) == SaveAnswer::Cancelled) {
            return false;
        }
    }
    return true;
}

void MainFrame::closeEvent(QCloseEvent* event) {
    // A running transfer ends first (Cancel stops it at its next row).
    // A restart has already asked about every document.
    if (m_context.isTransferRunning() || (!std::exchange(m_closingForRestart, false) && !saveAllModified())) {
        event->ignore();
        return;
    }
    event->accept();
}

// The main window: its menus and accelerators, toolbar and status bar, caption, the navigation
// tree's pages, the Control Bar command and help on F1.
#include "ProgramFixture.h"

#include "app/FileDialog.h"
#include "app/Resource.h"
#include "document/ProgramDoc.h"
#include "editor/ChannelView.h"
#include "editor/ProgramView.h"
#include "frame/ChildFrame.h"
#include "frame/MainFrame.h"
#include "frame/MdiClientWnd.h"
#include "frame/NavigationBar.h"
#include "radio/ProcessDlg.h"
#include "radio/TransferController.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <map>

namespace {

class MainFrameTest : public ProgramFixture {
protected:
    void startEnglish() {
        writeTestIni();
        copyTranslations();
        ASSERT_TRUE(start());
    }

    QTreeWidget* tree() const { return frame()->navigationBar()->tree(); }

    // Clicks an item of the tree with the pointer resting on it, as a user does.
    void clickTreeItem(QTreeWidgetItem* item) {
        const QPoint at = tree()->visualItemRect(item).center();
        QCursor::setPos(tree()->viewport()->mapToGlobal(at));
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, at);
    }

    QTreeWidgetItem* page(int index) const { return tree()->topLevelItem(0)->child(index); }
};

} // namespace

TEST_F(MainFrameTest, DocumentMenuStaysWhileAHiddenDocumentWindowExists) {
    startEnglish();
    EXPECT_TRUE(frame()->isDocumentMenuShown());
    activeChild()->close();
    EXPECT_TRUE(frame()->isDocumentMenuShown());
    frame()->destroyChild(activeChild());
    EXPECT_FALSE(frame()->isDocumentMenuShown());
    // The frame menu: File, View, Help, and commands that need a document are off.
    EXPECT_EQ(frame()->menuBar()->actions().size(), 3);
    EXPECT_FALSE(frame()->commandAction(id::kFileSave)->isEnabled());
}

TEST_F(MainFrameTest, WindowMenuListsEveryDocumentAndBringsBackAHiddenOne) {
    startEnglish();
    ChildFrame* first = activeChild();
    for (const char* name : {"a.dat", "b&c.dat"}) {
        writeFile(QString::fromUtf8(name), testImageBytes());
        FileDialog::answerNext(path(QString::fromUtf8(name)));
        frame()->commandAction(id::kFileOpen)->trigger();
    }
    activeDocument()->setModifiedFlag();
    ASSERT_EQ(visibleChildCount(), 1);
    QMenu* menu = frame()->windowMenu();
    ASSERT_TRUE(frame()->documentMenus().contains(menu));
    frame()->updateWindowMenu();
    QStringList entries;
    QAction* checked = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->data().toInt() == id::kWindowDocument) {
            entries << action->text();
            checked = action->isChecked() ? action : checked;
        }
    }
    EXPECT_EQ(entries, (QStringList{"&1 Channel Information", "&2 a.dat", "&3 b&&c.dat*"}));
    ASSERT_NE(checked, nullptr);
    EXPECT_EQ(checked->text(), "&3 b&&c.dat*");
    // An entry brings its window back; Ctrl+Tab goes on to the next, hidden or not, and round.
    menu->actions().at(menu->actions().size() - 3)->trigger();
    EXPECT_EQ(activeChild(), first);
    EXPECT_TRUE(first->isVisible());
    // From a cell's open edit box as well.
    ChannelView* grid = first->view()->grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->cellRect(2, 1).center());
    ASSERT_NE(QApplication::focusWidget(), grid);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(activeDocument()->title(), "a.dat");
    EXPECT_TRUE(activeChild()->isVisible());
    QTest::keyClick(activeChild()->view()->grid(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(activeChild()->view()->grid(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(activeDocument()->title(), "b&c.dat");
    EXPECT_TRUE(shownBoxes().empty());
}

struct AcceleratorCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int command;
    bool triggers;      // false: the command is switched off, so nothing may happen
    bool modal = false; // the command opens a modal dialog, which the test cancels
};

void PrintTo(const AcceleratorCase& c, std::ostream* os) {
    *os << c.name;
}

class MainFrameAccelerator : public MainFrameTest, public ::testing::WithParamInterface<AcceleratorCase> {};

TEST_P(MainFrameAccelerator, KeyRunsItsCommandOnlyWhileTheCommandIsAvailable) {
    const AcceleratorCase& c = GetParam();
    startEnglish();
    QSignalSpy spy(frame()->commandAction(c.command), &QAction::triggered);
    ChildFrame* before = activeChild();
    const auto press = [&] { QTest::keyClick(activeChild()->view(), c.key, c.modifiers); };
    if (c.modal) {
        runModal(press, [](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    } else {
        press();
    }
    EXPECT_EQ(spy.count(), c.triggers ? 1 : 0);
    // Whatever the key did, the document window is still the same one and still shown (the
    // desktop's Close key Ctrl+W is Write here).
    EXPECT_EQ(activeChild(), before);
    EXPECT_TRUE(before->isVisible());
    shownBoxes();
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MainFrameAccelerator,
    ::testing::Values(AcceleratorCase{"CtrlN", Qt::Key_N, Qt::ControlModifier, id::kFileNew, true},
                      AcceleratorCase{"CtrlO", Qt::Key_O, Qt::ControlModifier, id::kFileOpen, true},
                      AcceleratorCase{"CtrlS", Qt::Key_S, Qt::ControlModifier, id::kFileSave, true},
                      AcceleratorCase{"CtrlP", Qt::Key_P, Qt::ControlModifier, id::kFilePrint, true, true},
                      AcceleratorCase{"CtrlR", Qt::Key_R, Qt::ControlModifier, id::kRead, true},
                      AcceleratorCase{"CtrlW", Qt::Key_W, Qt::ControlModifier, id::kWrite, true},
                      AcceleratorCase{"CtrlTab", Qt::Key_Tab, Qt::ControlModifier, id::kNextWindow, true},
                      AcceleratorCase{"CtrlF6", Qt::Key_F6, Qt::ControlModifier, id::kNextWindow, true},
                      AcceleratorCase{"CtrlShiftTab", Qt::Key_Backtab,
                                      Qt::ControlModifier | Qt::ShiftModifier, id::kPrevWindow, true},
                      AcceleratorCase{"CtrlShiftF6", Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier,
                                      id::kPrevWindow, true},
                      AcceleratorCase{"F6", Qt::Key_F6, Qt::NoModifier, id::kNextPane, false},
                      AcceleratorCase{"ShiftF6", Qt::Key_F6, Qt::ShiftModifier, id::kPrevPane, false}),
    [](const ::testing::TestParamInfo<AcceleratorCase>& row) { return row.param.name; });

// Access keys (the letter after '&') that two entries of one menu share, here and in submenus.
void findAccessKeyClashes(const QList<QAction*>& entries, QStringList& clashes, int& count) {
    std::map<QString, QString> seen;
    for (QAction* entry : entries) {
        const QString key = QKeySequence::mnemonic(entry->text()).toString();
        if (entry->isVisible() && !key.isEmpty()) {
            ++count;
            if (const auto [first, fresh] = seen.emplace(key, entry->text()); !fresh) {
                clashes << QStringLiteral("%1: %2 and %3").arg(key, first->second, entry->text());
            }
        }
        if (QMenu* submenu = entry->menu()) {
            findAccessKeyClashes(submenu->actions(), clashes, count);
        }
    }
}

class MainFrameLanguage : public MainFrameTest, public ::testing::WithParamInterface<const char*> {};

// The menus on display with a document window, then those without one.
TEST_P(MainFrameLanguage, EveryMenuHasDistinctAccessKeys) {
    writeTestIni(QLatin1String(GetParam()));
    copyTranslations();
    ASSERT_TRUE(start());
    QStringList clashes;
    int count = 0;
    findAccessKeyClashes(frame()->menuBar()->actions(), clashes, count);
    frame()->destroyChild(activeChild());
    ASSERT_FALSE(frame()->isDocumentMenuShown());
    findAccessKeyClashes(frame()->menuBar()->actions(), clashes, count);
    EXPECT_TRUE(clashes.isEmpty()) << qPrintable(clashes.join(QLatin1Char('\n')));
    EXPECT_GT(count, 40);
}

INSTANTIATE_TEST_SUITE_P(Languages, MainFrameLanguage, ::testing::Values("English", "Chinese"),
                         [](const ::testing::TestParamInfo<const char*>& row) { return row.param; });

// What assistive technology reads for the application and for controls without a text of their
// own, and the navigation tree as the bar's own child, with its pages.
TEST_F(MainFrameTest, AssistiveTechnologyFindsNamesAndTheNavigationTree) {
    startEnglish();
    const auto named = [](QObject* object) { return QAccessible::queryAccessibleInterface(object); };
    EXPECT_EQ(named(qApp)->text(QAccessible::Name), QStringLiteral("Test Programmer"));
    EXPECT_EQ(named(frame()->toolBar())->child(0)->text(QAccessible::Name), QStringLiteral("More Buttons"));
    QObject* progress = frame()->transferController()->processDialog()->findChild<QProgressBar*>();
    EXPECT_EQ(named(progress)->text(QAccessible::Name), QStringLiteral("Transfer progress"));
    QAccessibleInterface* bar = named(frame()->navigationBar());
    EXPECT_EQ(bar->text(QAccessible::Name), QStringLiteral("Navigation Bar"));
    QAccessibleInterface* pages = nullptr;
    for (int i = 0; i < bar->childCount(); ++i) {
        pages = bar->child(i)->role() == QAccessible::Tree ? bar->child(i) : pages;
    }
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->text(QAccessible::Name), QStringLiteral("Pages"));
    ASSERT_GE(pages->childCount(), 4); // the root, its three pages
    EXPECT_EQ(pages->child(pages->childCount() - 1)->text(QAccessible::Name),
              QStringLiteral("Optional Features"));
}

TEST_F(MainFrameTest, CaptionShowsProductTypeAndBandButNeverTheDocumentName) {
    writeTestIni();
    copyTranslations();
    writeFile(QStringLiteral("club.dat"), testImageBytes(0, 1));
    ASSERT_TRUE(start({path(QStringLiteral("club.dat"))}));
    const QString expected = QStringLiteral("Test Programmer  [ Type:HT-A  Fre:400 - 470MHz ]");
    // "[*]" is where the modified mark of a maximised document window shows.
    EXPECT_EQ(frame()->windowTitle(), expected + QStringLiteral("[*]"));
    EXPECT_EQ(activeDocument()->mainTitle(), expected);
    // A maximised document window would add its title to the caption.
    activeChild()->showMaximized();
    QCoreApplication::processEvents();
    EXPECT_EQ(frame()->windowTitle(), expected + QStringLiteral("[*]"));
    EXPECT_FALSE(frame()->windowTitle().contains(QStringLiteral("club")));
}

TEST_F(MainFrameTest, AMaximisedDocumentWindowKeepsItsModifiedMark) {
    writeTestIni();
    copyTranslations();
    ASSERT_TRUE(start());
    QStringList warnings;
    static QStringList* s_warnings = nullptr;
    s_warnings = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { s_warnings->append(message); });
    activeDocument()->setModifiedFlag(true);
    activeChild()->showMaximized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame()->isWindowModified()) << "the main window shows the document's mark";
    activeDocument()->setModifiedFlag(false);
    QCoreApplication::processEvents();
    EXPECT_FALSE(frame()->isWindowModified());
    activeDocument()->setModifiedFlag(true);
    activeChild()->showNormal();
    QCoreApplication::processEvents();
    EXPECT_TRUE(activeChild()->isWindowModified());
    qInstallMessageHandler(previous);
    for (const QString& warning : warnings) {
        EXPECT_FALSE(warning.contains(QStringLiteral("[*]"))) << qPrintable(warning);
    }
}

TEST_F(MainFrameTest, ASmallMainWindowKeepsTheWholeChannelFormInReach) {
    writeTestIni();
    copyTranslations();
    ASSERT_TRUE(start());
    frame()->showNormal();
    frame()->resize(420, 300);
    QCoreApplication::processEvents();
    ChildFrame* child = activeChild();
    const QRect area = frame()->mdiClient()->viewport()->rect();
    EXPECT_TRUE(area.contains(child->geometry())) << "the window and its title buttons stay inside";
    // The channel grid shrinks with the window and scrolls to every cell the keys go to.
    ChannelView* grid = child->view()->grid();
    EXPECT_TRUE(grid->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
    for (int r = 1; r <= 16; ++r) {
        for (int c = 1; c <= 8; ++c) {
            grid->setRowCol(r, c);
            EXPECT_TRUE(grid->viewport()->rect().contains(grid->cellRect(r, c))) << r << "," << c;
        }
    }
    // Back at full size, the window shows the whole form again.
    frame()->resize(1200, 800);
    QCoreApplication::processEvents();
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
}

TEST_F(MainFrameTest, ClickOnChannelInformationBringsTheClosedWindowBack) {
    startEnglish();
    ChildFrame* child = activeChild();
    child->close();
    ASSERT_FALSE(child->isVisible());
    clickTreeItem(page(1));
    EXPECT_TRUE(child->isVisible());
    EXPECT_EQ(activeChild(), child);
    EXPECT_TRUE(page(1)->isSelected()) << "the page clicked, not the root";
}

TEST_F(MainFrameTest, EachClickOnAPageOpensItAgain) {
    startEnglish();
    QSignalSpy spy(frame()->commandAction(id::kChannelInformation), &QAction::triggered);
    clickTreeItem(page(1));
    clickTreeItem(page(1));
    EXPECT_EQ(spy.count(), 2);
}

TEST_F(MainFrameTest, PagesOpenTheirOwnCommands) {
    startEnglish();
    QSignalSpy product(frame()->commandAction(id::kProductInformation), &QAction::triggered);
    QSignalSpy channel(frame()->commandAction(id::kChannelInformation), &QAction::triggered);
    QSignalSpy optional(frame()->commandAction(id::kOptionalFeatures), &QAction::triggered);
    // Each settings page opens its dialog modally; Cancel closes it.
    QString titles;
    const auto cancel = [&titles](QWidget* dialog) {
        titles += dialog->windowTitle() + QLatin1Char(';');
        static_cast<QDialog*>(dialog)->reject();
    };
    runModal([&] { clickTreeItem(page(0)); }, cancel);
    runModal([&] { clickTreeItem(page(2)); }, cancel);
    EXPECT_EQ(titles, QStringLiteral("Product Information;Optional Features;"));
    EXPECT_EQ(product.count(), 1);
    EXPECT_EQ(channel.count(), 0);
    EXPECT_EQ(optional.count(), 1);
}

TEST_F(MainFrameTest, RootAndKeyboardSelectionOpenNothing) {
    startEnglish();
    activeChild()->close();
    QSignalSpy spy(frame()->commandAction(id::kChannelInformation), &QAction::triggered);
    clickTreeItem(tree()->topLevelItem(0));
    // The arrow keys move the selection, also while the pointer rests on another page.
    QCursor::setPos(tree()->viewport()->mapToGlobal(tree()->visualItemRect(page(1)).center()));
    tree()->setFocus();
    QTest::keyClick(tree(), Qt::Key_Down);
    EXPECT_EQ(tree()->currentItem(), page(0));
    QTest::keyClick(tree(), Qt::Key_Down);
    EXPECT_EQ(tree()->currentItem(), page(1));
    EXPECT_EQ(spy.count(), 0);
    EXPECT_FALSE(activeChild()->isVisible());
    // The cursor stays on the page it was moved to, and Enter opens that page.
    ASSERT_NE(tree()->currentItem(), nullptr);
    EXPECT_EQ(tree()->currentItem()->text(0), "Channel Information");
    QTest::keyClick(tree(), Qt::Key_Return);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_TRUE(activeChild()->isVisible());
}

TEST_F(MainFrameTest, ControlBarCommandTogglesTheBarAndItsCheckMark) {
    startEnglish();
    QAction* controlBar = frame()->commandAction(id::kControlBar);
    ASSERT_TRUE(controlBar->isCheckable());
    EXPECT_TRUE(controlBar->isChecked());
    controlBar->trigger();
    EXPECT_TRUE(frame()->navigationBar()->isHidden());
    EXPECT_FALSE(controlBar->isChecked());
    controlBar->trigger();
    EXPECT_FALSE(frame()->navigationBar()->isHidden());
    EXPECT_TRUE(controlBar->isChecked());
}

// Help

namespace {

class HelpTest : public MainFrameTest {
protected:
    QString lastFragment() const { return m_helpUrls.empty() ? QString() : m_helpUrls.back().fragment(); }
};

} // namespace

TEST_F(HelpTest, F1OnAHighlightedMenuEntryOpensItsCommand) {
    startEnglish();
    QMenu* file = frame()->documentMenus().at(0);
    file->popup(frame()->mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
    file->setActiveAction(frame()->commandAction(id::kFileSave));
    QTest::keyClick(file, Qt::Key_F1);
    file->close();
    ASSERT_EQ(m_helpUrls.size(), 1u);
    EXPECT_EQ(lastFragment(), QStringLiteral("57603"));
    EXPECT_EQ(m_helpUrls[0].toLocalFile(), QDir(appDir()).filePath(QStringLiteral("help/en/index.html")));
}

// Every entry of every menu, of the document menus and of the frame menus shown while no
// document is open, opened from the menu bar as a user does: F1 while the entry is highlighted
// opens the manual at its command id, enabled or not, whatever widget had the focus before.
TEST_F(HelpTest, F1OnEveryMenuEntryOpensItsOwnCommand) {
    startEnglish();
    const auto checkMenus = [this](const QList<QMenu*>& menus, const char* which) {
        for (QMenu* menu : menus) {
            for (QAction* action : menu->actions()) {
                if (action->isSeparator()) {
                    continue;
                }
                SCOPED_TRACE(std::string(which) + " " + qPrintable(menu->title()) + " " +
                             qPrintable(action->text()));
                m_helpUrls.clear();
                frame()->activateWindow();
                frame()->menuBar()->setActiveAction(menu->menuAction());
                ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
                menu->setActiveAction(action);
                ASSERT_EQ(menu->activeAction(), action);
                // Through the menu's window, the way the key of a keyboard arrives.
                QTest::keyClick(menu->windowHandle(), Qt::Key_F1);
                menu->close();
                ASSERT_EQ(m_helpUrls.size(), 1u);
                EXPECT_EQ(lastFragment().toStdString(), std::to_string(action->data().toInt()));
            }
        }
    };
    activeChild()->view()->setFocus();
    checkMenus(frame()->documentMenus(), "document");
    frame()->destroyChild(activeChild());
    ASSERT_FALSE(frame()->isDocumentMenuShown());
    checkMenus(frame()->frameMenus(), "frame");
}

TEST_F(HelpTest, F1InTheWindowsOpensTheirPages) {
    startEnglish();
    activeChild()->view()->setFocus();
    QTest::keyClick(activeChild()->view(), Qt::Key_F1);
    EXPECT_EQ(lastFragment(), QString::number(id::kHelpDocumentFrame));
    frame()->destroyChild(activeChild());
    frame()->setFocus();
    QTest::keyClick(frame(), Qt::Key_F1);
    EXPECT_EQ(lastFragment(), QString::number(id::kHelpMainFrame));
}

// Help, Contents in both menu bars, and F1 with nothing focused, open the top of the manual.
TEST_F(HelpTest, ContentsOpensTheTopOfTheManual) {
    startEnglish();
    QAction* contents = frame()->documentMenus().last()->actions().first();
    EXPECT_EQ(contents->text(), QStringLiteral("&Contents\tF1"));
    EXPECT_EQ(frame()->frameMenus().last()->actions().first(), contents);
    contents->trigger();
    frame()->destroyChild(activeChild());
    QTest::keyClick(frame(), Qt::Key_F1);
    ASSERT_EQ(m_helpUrls.size(), 2u);
    EXPECT_FALSE(m_helpUrls[0].hasFragment() || m_helpUrls[1].hasFragment());
}

TEST_F(HelpTest, ChineseOpensTheChinesePages) {
    writeTestIni(QStringLiteral("Chinese"));
    copyTranslations();
    ASSERT_TRUE(start());
    QTest::keyClick(activeChild()->view(), Qt::Key_F1);
    ASSERT_EQ(m_helpUrls.size(), 1u);
    EXPECT_TRUE(m_helpUrls[0].toLocalFile().endsWith(QStringLiteral("help/zh/index.html")));
}

TEST_F(HelpTest, MissingPageIsReportedNotOpened) {
    startEnglish();
    QFile::remove(path(QStringLiteral("help/en/index.html")));
    QTest::keyClick(activeChild()->view(), Qt::Key_F1);
    EXPECT_TRUE(m_helpUrls.empty());
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("index.html")));
}

// F1 on a menu entry opens the manual at the entry's command id: each one needs its anchor in
// both languages.
TEST_F(MainFrameTest, EveryMenuCommandHasItsPlaceInBothManuals) {
    writeTestIni();
    copyTranslations();
    ASSERT_TRUE(start());
    for (const char* language : {"en", "zh"}) {
        QFile page(QStringLiteral(RADIO_BIN_DIR "/help/%1/index.html").arg(QLatin1String(language)));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << language;
        const QByteArray html = page.readAll();
        for (QMenu* menu : frame()->documentMenus()) {
            for (const QAction* action : menu->actions()) {
                const int command = action->data().toInt();
                if (command != 0) {
                    EXPECT_TRUE(html.contains(QStringLiteral("id=\"%1\"").arg(command).toLatin1()))
                        << language << " " << qPrintable(action->text()) << " " << command;
                }
            }
        }
    }
}

// The help window: F1 shows the shipped manual in the program's own window at the context's
// anchor, with history, an index of the headings, a search in the page and the way out to the
// web browser.
#include "ProgramFixture.h"

#include "app/AppContext.h"
#include "app/Help.h"
#include "app/HelpWindow.h"
#include "app/Resource.h"
#include "editor/ProgramView.h"
#include "frame/ChildFrame.h"
#include "frame/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QWindow>

#include <cstdlib>

#include <string>

namespace {

class HelpWindowTest : public ProgramFixture {
protected:
    // The program in a language, with the manuals it ships; help calls open the window.
    void startWithManuals(const QString& language = QStringLiteral("English")) {
        writeTestIni(language);
        copyTranslations();
        for (const char* name : {"help.css", "en/index.html", "zh/index.html"}) {
            const QString target = path(QStringLiteral("help/") + QLatin1String(name));
            QFile::remove(target);
            ASSERT_TRUE(QFile::copy(QStringLiteral(RADIO_BIN_DIR "/help/") + QLatin1String(name), target))
                << name;
        }
        m_showHelpWindow = true;
        ASSERT_TRUE(start());
    }

    HelpWindow* openAt(int contextId) {
        Help::open(*context(), frame(), contextId);
        HelpWindow* window = &context()->helpWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return window;
    }

    static QString fragment(const HelpWindow* window) { return window->browser()->source().fragment(); }

    // Where the anchor is in the document; -1 when it is not.
    static int anchorPosition(const HelpWindow* window, const QString& anchor) {
        const QTextDocument* document = window->browser()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                if (it.fragment().charFormat().anchorNames().contains(anchor)) {
                    return it.fragment().position();
                }
            }
        }
        return -1;
    }

    // Whether the text the anchor is on is on display in the browser (in a table cell too).
    static bool anchorInView(const HelpWindow* window, const QString& anchor) {
        const int position = anchorPosition(window, anchor);
        if (position < 0) {
            return false;
        }
        QTextCursor cursor(window->browser()->document());
        cursor.setPosition(position);
        const QRect at = window->browser()->cursorRect(cursor);
        return at.top() >= 0 && at.top() < window->browser()->viewport()->height();
    }

    // Whether the text the anchor is on is the first line on display.
    static bool anchorAtTop(const HelpWindow* window, const QString& anchor) {
        QTextCursor cursor(window->browser()->document());
        cursor.setPosition(qMax(0, anchorPosition(window, anchor)));
        return anchorPosition(window, anchor) >= 0 &&
               std::abs(window->browser()->cursorRect(cursor).top()) <= 2;
    }

    static QTreeWidgetItem* indexEntry(const HelpWindow* window, const QString& text) {
        const QList<QTreeWidgetItem*> found =
            window->index()->findItems(text, Qt::MatchStartsWith | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }

    static void clickIndexEntry(HelpWindow* window, QTreeWidgetItem* item) {
        QTreeWidget* index = window->index();
        index->scrollToItem(item);
        QTest::mouseClick(index->viewport(), Qt::LeftButton, {}, index->visualItemRect(item).center());
    }
};

} // namespace

// Anchors on headings, on an empty link inside a heading, on a paragraph and on a table row, in
// both manuals: the window opens at each, scrolled so that it is the first line, also near the end
// of the page and after the window has been made narrower (as a window manager may do once it is
// shown), with no web browser.
struct AnchorCase {
    const char* name;
    const char* language;
    int contextId;
    const char* page;
    int narrowTo = 0; // the window's width after it has opened; 0 leaves it
};

class HelpWindowAnchor : public HelpWindowTest, public ::testing::WithParamInterface<AnchorCase> {};

TEST_P(HelpWindowAnchor, OpensScrolledToTheAnchorOfTheContext) {
    const AnchorCase& c = GetParam();
    startWithManuals(QLatin1String(c.language));
    HelpWindow* window = openAt(c.contextId);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(fragment(window).toStdString(), std::to_string(c.contextId));
    EXPECT_TRUE(window->browser()->source().toLocalFile().endsWith(QLatin1String(c.page)));
    if (c.narrowTo != 0) {
        window->resize(c.narrowTo, window->height());
        QTest::qWait(50);
    }
    EXPECT_TRUE(anchorAtTop(window, QString::number(c.contextId)));
    EXPECT_TRUE(m_browserUrls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HelpWindowAnchor,
    ::testing::Values(AnchorCase{"EnglishSection", "English", id::kWrite, "help/en/index.html"},
                      AnchorCase{"EnglishTableRow", "English", 2127, "help/en/index.html"},
                      AnchorCase{"ChineseSection", "Chinese", id::kWrite, "help/zh/index.html"},
                      AnchorCase{"ChineseSubsection", "Chinese", id::kFillDown, "help/zh/index.html"},
                      AnchorCase{"ChineseMainWindow", "Chinese", id::kHelpMainFrame, "help/zh/index.html"},
                      AnchorCase{"EnglishComSetup", "English", id::kComSetup, "help/en/index.html"},
                      AnchorCase{"ChineseComSetupNarrowed", "Chinese", id::kComSetup, "help/zh/index.html",
                                 420},
                      AnchorCase{"EnglishNearTheEnd", "English", id::kLanguage, "help/en/index.html"}),
    [](const ::testing::TestParamInfo<AnchorCase>& row) { return row.param.name; });

// Every id in both manuals is a place the window can scroll to: the text browser knows anchors
// on some elements only (not on table rows, for one).
TEST_F(HelpWindowTest, EveryIdOfBothManualsIsAnAnchorOfTheWindow) {
    startWithManuals();
    HelpWindow* window = &context()->helpWindow();
    for (const char* manual : {"help/en/index.html", "help/zh/index.html"}) {
        SCOPED_TRACE(manual);
        window->showPage(QUrl::fromLocalFile(path(QLatin1String(manual))));
        QSet<QString> anchors;
        const QTextDocument* document = window->browser()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                for (const QString& name : it.fragment().charFormat().anchorNames()) {
                    anchors.insert(name);
                }
            }
        }
        QFile page(window->browser()->source().toLocalFile());
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll());
        const QRegularExpression ids(QStringLiteral("\\bid=\"([^\"]+)\""));
        int count = 0;
        for (auto match = ids.globalMatch(html); match.hasNext(); ++count) {
            const QString id = match.next().captured(1);
            EXPECT_TRUE(anchors.contains(id)) << qPrintable(id);
        }
        EXPECT_GT(count, 50);
    }
}

TEST_F(HelpWindowTest, F1OnAMenuEntryShowsItsPlaceInTheOneWindow) {
    startWithManuals();
    QMenu* program = frame()->documentMenus().at(2);
    for (int command : {id::kWrite, id::kRead}) {
        frame()->menuBar()->setActiveAction(program->menuAction());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(program));
        program->setActiveAction(frame()->commandAction(command));
        const bool shown = context()->helpWindow().isVisible();
        QWindow* focus = QGuiApplication::focusWindow();
        QTest::keyClick(program->windowHandle(), Qt::Key_F1);
        QCoreApplication::processEvents();
        // The menu stays open, and the window, once it is up, leaves the keyboard to the menu.
        EXPECT_EQ(QApplication::activePopupWidget(), program);
        if (shown) {
            EXPECT_EQ(QGuiApplication::focusWindow(), focus);
        }
        program->close();
        HelpWindow* window = &context()->helpWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        EXPECT_EQ(fragment(window).toStdString(), std::to_string(command));
        EXPECT_TRUE(anchorInView(window, QString::number(command)));
    }
    int windows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        windows += qobject_cast<HelpWindow*>(widget) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(windows, 1);
}

// The window opens where and at the size it was last, when that fits a screen.
TEST_F(HelpWindowTest, OpensWhereItWasLastWhenThatFitsAScreen) {
    startWithManuals();
    const QSize initial = openAt(id::kComSetup)->size();
    for (const QRect& last : {QRect(40, 30, 500, 400), QRect(3000, 2000, 500, 400)}) {
        openAt(id::kComSetup)->setGeometry(last);
        context()->helpWindow().close();
        ASSERT_TRUE(start()); // the program's next run
        HelpWindow* window = openAt(id::kComSetup);
        EXPECT_EQ(window->size(), last.x() < 800 ? last.size() : initial); // the screen is 800 wide
        EXPECT_TRUE(last.x() >= 800 || window->geometry().topLeft() == last.topLeft());
        EXPECT_TRUE(anchorAtTop(window, QString::number(id::kComSetup)));
    }
}

TEST_F(HelpWindowTest, BackAndForwardRetraceThePlacesAndContentsGoesToTheTop) {
    startWithManuals();
    HelpWindow* window = openAt(id::kWrite);
    EXPECT_FALSE(window->backAction()->isEnabled());
    openAt(id::kLanguage);
    openAt(id::kComSetup);
    ASSERT_TRUE(window->backAction()->isEnabled());
    window->backAction()->trigger();
    EXPECT_EQ(fragment(window).toStdString(), std::to_string(id::kLanguage));
    // The keys as well, wherever the focus is in the window.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    window->findField()->setFocus();
    QTest::keyClick(window->findField(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(fragment(window).toStdString(), std::to_string(id::kWrite));
    EXPECT_TRUE(anchorInView(window, QString::number(id::kWrite)));
    EXPECT_FALSE(window->backAction()->isEnabled());
    QTest::keyClick(window->findField(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(fragment(window).toStdString(), std::to_string(id::kLanguage));
    window->forwardAction()->trigger();
    EXPECT_EQ(fragment(window).toStdString(), std::to_string(id::kComSetup));
    EXPECT_FALSE(window->forwardAction()->isEnabled());

    window->homeAction()->trigger();
    EXPECT_TRUE(fragment(window).isEmpty());
    EXPECT_EQ(window->browser()->verticalScrollBar()->value(), 0);
}

struct SearchCase {
    const char* name;
    const char* language;
    const char* text;
    int presses;  // of Enter
    bool found;   // the last press found the text
    bool wrapped; // the last press started from the top again
};

class HelpWindowSearch : public HelpWindowTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(HelpWindowSearch, FindsTextWrapsAndSaysWhenThereIsNone) {
    const SearchCase& c = GetParam();
    startWithManuals(QLatin1String(c.language));
    // Searching goes on from the place on display, and a search that fails leaves the view there.
    HelpWindow* window = openAt(id::kWrite);
    const int scrolled = window->browser()->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    window->findField()->setFocus();
    window->findField()->setText(QString::fromUtf8(c.text));
    for (int i = 0; i < c.presses; ++i) {
        QTest::keyClick(window->findField(), Qt::Key_Return);
    }
    const QTextCursor cursor = window->browser()->textCursor();
    if (c.found) {
        EXPECT_EQ(cursor.selectedText().toLower(), QString::fromUtf8(c.text).toLower());
        EXPECT_EQ(cursor.position() > anchorPosition(window, QString::number(id::kWrite)), !c.wrapped);
        EXPECT_TRUE(window->browser()->viewport()->rect().contains(window->browser()->cursorRect()));
    } else {
        EXPECT_FALSE(cursor.hasSelection());
        EXPECT_EQ(window->findStatus()->text(), HelpWindow::tr("Not found"));
        EXPECT_EQ(window->browser()->verticalScrollBar()->value(), scrolled);
    }
    EXPECT_EQ(window->findStatus()->text() == HelpWindow::tr("Searched from the top again"), c.wrapped);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HelpWindowSearch,
    ::testing::Values(SearchCase{"Word", "English", "radio", 1, true, false},
                      SearchCase{"Words", "English", "Permission denied", 1, true, false},
                      SearchCase{"Nonsense", "English", "xyzzy-nothing", 1, false, false},
                      // Once in the English page: the second Enter finds it again from the top.
                      SearchCase{"Wraps", "English", "Scroll Lock", 2, true, true},
                      SearchCase{"Chinese", "Chinese", "编程线", 1, true, false},
                      SearchCase{"ChineseNonsense", "Chinese", "xyzzy-nothing", 1, false, false}),
    [](const ::testing::TestParamInfo<SearchCase>& row) { return row.param.name; });

TEST_F(HelpWindowTest, IndexListsTheHeadingsAndGoesToThem) {
    startWithManuals();
    HelpWindow* window = openAt(0);
    QTreeWidget* index = window->index();
    ASSERT_EQ(index->topLevelItemCount(), 18);
    EXPECT_EQ(index->topLevelItem(5)->text(0), QStringLiteral("6. Writing to the radio"));
    // The h3 headings below their section.
    QTreeWidgetItem* history = indexEntry(window, QStringLiteral("Radio history"));
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(history->parent(), index->topLevelItem(5));

    clickIndexEntry(window, history);
    EXPECT_EQ(fragment(window).toStdString(), std::to_string(id::kRadioHistory));
    EXPECT_TRUE(anchorInView(window, QString::number(id::kRadioHistory)));
    window->backAction()->trigger();
    EXPECT_TRUE(fragment(window).isEmpty());

    // A heading without an anchor is scrolled to.
    QTreeWidgetItem* port = indexEntry(window, QStringLiteral("Which port is the cable?"));
    ASSERT_NE(port, nullptr);
    clickIndexEntry(window, port);
    const QTextCursor heading =
        window->browser()->document()->find(QStringLiteral("Which port is the cable?"));
    ASSERT_FALSE(heading.isNull());
    const QRect where = window->browser()->cursorRect(heading);
    EXPECT_TRUE(window->browser()->viewport()->rect().contains(where.center()));
}

TEST_F(HelpWindowTest, OpenInBrowserHandsOverThePlaceOnDisplay) {
    startWithManuals();
    HelpWindow* window = openAt(id::kComSetup);
    clickIndexEntry(window, indexEntry(window, QStringLiteral("6. Writing")));
    window->browserAction()->trigger();
    ASSERT_EQ(m_browserUrls.size(), 1u);
    EXPECT_EQ(m_browserUrls[0], Help::url(*context(), id::kWrite));
    EXPECT_EQ(m_browserUrls[0].fragment(), QStringLiteral("32774"));
    EXPECT_TRUE(shownBoxes().empty());
    // Without a browser to take it, the user hears so.
    m_browserOpens = false;
    window->browserAction()->trigger();
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("No web browser could be started to show file:")))
        << qPrintable(boxes[0].text);
}

// The manual's own links stay in the window; web and mail links go to the web browser.
TEST_F(HelpWindowTest, LinksOfTheManualStayInTheWindowOthersGoToTheBrowser) {
    startWithManuals();
    writeFile(QStringLiteral("help/en/index.html"),
              "<html><body><p><a href=\"#far\">far</a> <a href=\"https://example.org/radio\">web</a> "
              "<a href=\"mailto:help@example.org\">mail</a></p>" +
                  QByteArray("<p>filler</p>").repeated(200) + "<h2 id=\"far\">Far away</h2></body></html>");
    HelpWindow* window = openAt(0);
    const auto clickText = [window](const QString& text) {
        QTextCursor cursor = window->browser()->document()->find(text);
        ASSERT_FALSE(cursor.isNull()) << qPrintable(text);
        cursor.setPosition(cursor.selectionStart() + 1);
        const QPoint at = window->browser()->cursorRect(cursor).center();
        QTest::mouseClick(window->browser()->viewport(), Qt::LeftButton, {}, at);
    };
    clickText(QStringLiteral("web"));
    clickText(QStringLiteral("mail"));
    ASSERT_EQ(m_browserUrls.size(), 2u);
    EXPECT_EQ(m_browserUrls[0], QUrl(QStringLiteral("https://example.org/radio")));
    EXPECT_EQ(m_browserUrls[1].scheme(), QStringLiteral("mailto"));
    EXPECT_TRUE(fragment(window).isEmpty());
    clickText(QStringLiteral("far"));
    EXPECT_EQ(fragment(window), QStringLiteral("far"));
    EXPECT_TRUE(anchorInView(window, QStringLiteral("far")));
    EXPECT_EQ(m_browserUrls.size(), 2u);
}

TEST_F(HelpWindowTest, SpeaksTheProgramsLanguage) {
    startWithManuals(QStringLiteral("Chinese"));
    HelpWindow* window = openAt(id::kWrite);
    EXPECT_NE(window->backAction()->text(), QStringLiteral("Back"));
    EXPECT_NE(window->browserAction()->text(), QStringLiteral("Open in Browser"));
    EXPECT_TRUE(window->windowTitle().contains(window->browser()->documentTitle()));
}

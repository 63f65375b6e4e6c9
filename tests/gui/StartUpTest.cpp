// Start-up: the order of its steps and each of its failures.
#include "ProgramFixture.h"

#include "app/Resource.h"
#include "document/ProgramDoc.h"
#include "editor/ChannelView.h"
#include "editor/ProgramView.h"
#include "frame/ChildFrame.h"
#include "frame/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QTest>

namespace {

bool menuHasCommand(const QMenu* menu, int commandId) {
    for (const QAction* action : menu->actions()) {
        if (action->data().toInt() == commandId) {
            return true;
        }
    }
    return false;
}

} // namespace

using StartUp = ProgramFixture;

TEST_F(StartUp, MissingIniIsCreatedEmptyAndStopsWithTheLanguageMessage) {
    copyTranslations();
    EXPECT_FALSE(start());
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("Program.ini"))).isFile());
    EXPECT_EQ(QFileInfo(path(QStringLiteral("Program.ini"))).size(), 0);
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Load language DLL fail"));
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Radio Programmer"))
        << "the product, as no Program.ini names it";
    EXPECT_EQ(boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(frame(), nullptr);
}

struct LanguageFileCase {
    const char* name;
    const char* language;
    QStringList translations;   // copied into the program folder
    QByteArray brokenEnglishQm; // written as English.qm when not empty
    const char* message;
    const char* caption; // AppName of the language section, else of [Setup]
};

void PrintTo(const LanguageFileCase& c, std::ostream* os) {
    *os << c.name;
}

class StartUpLanguageFile : public ProgramFixture, public ::testing::WithParamInterface<LanguageFileCase> {};

TEST_P(StartUpLanguageFile, StopsWithTheMessageOfTheLanguageCaptionedWithTheProductName) {
    const LanguageFileCase& c = GetParam();
    writeTestIni(QString::fromUtf8(c.language));
    copyTranslations(c.translations);
    if (!c.brokenEnglishQm.isEmpty()) {
        writeFile(QStringLiteral("English.qm"), c.brokenEnglishQm);
    }
    EXPECT_FALSE(start());
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromUtf8(c.message));
    // "Company" is read only after the language file loaded.
    EXPECT_EQ(boxes[0].caption, QString::fromUtf8(c.caption));
    EXPECT_EQ(frame(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartUpLanguageFile,
    ::testing::Values(LanguageFileCase{"EnglishWithoutEnglishQm",
                                       "English",
                                       {QStringLiteral("Chinese.qm")},
                                       {},
                                       "Load language DLL fail",
                                       "Test Programmer"},
                      LanguageFileCase{"ChineseWithoutChineseQm",
                                       "Chinese",
                                       {QStringLiteral("English.qm")},
                                       {},
                                       "加载语言链接库失败",
                                       "测试编程"},
                      LanguageFileCase{"EmptyLanguage",
                                       "",
                                       {QStringLiteral("English.qm"), QStringLiteral("Chinese.qm")},
                                       {},
                                       "Load language DLL fail",
                                       "TestRadio"},
                      LanguageFileCase{"UnknownLanguage",
                                       "French",
                                       {QStringLiteral("English.qm")},
                                       {},
                                       "Load language DLL fail",
                                       "TestRadio"},
                      LanguageFileCase{"PathInLanguage",
                                       "../English",
                                       {QStringLiteral("English.qm")},
                                       {},
                                       "Load language DLL fail",
                                       "TestRadio"},
                      LanguageFileCase{"UnreadableEnglishQm",
                                       "English",
                                       {},
                                       QByteArray("not a translation"),
                                       "Load language DLL fail",
                                       "Test Programmer"}),
    [](const ::testing::TestParamInfo<LanguageFileCase>& row) { return row.param.name; });

TEST_F(StartUp, ChineseInLowerCaseLoadsTheChineseFileButKeepsTheTextsHeldInCodeEnglish) {
    writeTestIni(QStringLiteral("chinese"));
    copyTranslations();
    ASSERT_TRUE(start());
    EXPECT_EQ(context()->language(), Language::English);
    EXPECT_EQ(context()->helpFile(), QStringLiteral("help/en/index.html"));
    // Menus come from the Chinese translation...
    EXPECT_EQ(frame()->documentMenus().at(0)->title(), QStringLiteral("文件(&F)"));
    // ...the INI texts from section [Chinese], found whatever the case...
    EXPECT_EQ(frame()->commandAction(id::kAppAbout)->text(), QStringLiteral("关于测试..."));
    // ...while the texts held in code, and the caption line's section, follow the exact language name.
    EXPECT_EQ(activeDocument()->title(), QStringLiteral("Channel Information"));
    EXPECT_EQ(activeChild()->view()->captionLabel()->text(), QStringLiteral("English Caption"));
}

TEST_F(StartUp, ChineseRunsEverythingInChinese) {
    writeTestIni(QStringLiteral("Chinese"));
    copyTranslations();
    ASSERT_TRUE(start());
    EXPECT_EQ(context()->language(), Language::Chinese);
    EXPECT_EQ(context()->helpFile(), QStringLiteral("help/zh/index.html"));
    EXPECT_EQ(activeDocument()->title(), QStringLiteral("信道信息"));
    EXPECT_EQ(activeChild()->view()->captionLabel()->text(), QStringLiteral("中文标题"));
    EXPECT_EQ(frame()->caption(), QStringLiteral("测试编程  [ 类型:HT-A  频率:136 - 174MHz ]"));
}

struct ShowLangCase {
    const char* name;
    const char* value; // nullptr: the key is missing
    bool languageShown;
};

void PrintTo(const ShowLangCase& c, std::ostream* os) {
    *os << c.name;
}

class StartUpShowLang : public ProgramFixture, public ::testing::WithParamInterface<ShowLangCase> {};

TEST_P(StartUpShowLang, LanguageCommandOnlyWhenTheNumberIsNotZero) {
    const ShowLangCase& c = GetParam();
    if (c.value != nullptr) {
        writeTestIni(QStringLiteral("English"), QString::fromUtf8(c.value));
    } else {
        writeIni(QString::fromUtf8(kTestIni)
                     .replace(QStringLiteral("{Language}"), QStringLiteral("English"))
                     .remove(QStringLiteral("ShowLang={ShowLang}\n")));
    }
    copyTranslations();
    ASSERT_TRUE(start());
    // The document menu's Setup pop-up, by position.
    EXPECT_EQ(menuHasCommand(frame()->documentMenus().at(4), id::kLanguage), c.languageShown);
    EXPECT_TRUE(menuHasCommand(frame()->documentMenus().at(4), id::kComSetup));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartUpShowLang,
    ::testing::Values(ShowLangCase{"Missing", nullptr, false}, ShowLangCase{"Empty", "", false},
                      ShowLangCase{"Zero", "0", false}, ShowLangCase{"MinusZero", "-0", false},
                      ShowLangCase{"Hexadecimal", "0x1", false}, ShowLangCase{"Word", "yes", false},
                      ShowLangCase{"One", "1", true}, ShowLangCase{"Two", "2", true},
                      ShowLangCase{"Negative", "-1", true}, ShowLangCase{"LeadingBlank", " 1", true},
                      ShowLangCase{"TrailingText", "1abc", true}),
    [](const ::testing::TestParamInfo<ShowLangCase>& row) { return row.param.name; });

TEST_F(StartUp, AboutEntryOfTheDocumentMenuTakesAboutTitleAndTheFrameMenuKeepsItsOwn) {
    writeTestIni();
    copyTranslations();
    ASSERT_TRUE(start());
    const QList<QAction*> help = frame()->documentMenus().last()->actions();
    ASSERT_EQ(help.size(), 2); // Contents, About
    EXPECT_EQ(help[1]->text(), QStringLiteral("About Test Programmer..."));
    EXPECT_EQ(help[1]->data().toInt(), id::kAppAbout);
    EXPECT_EQ(frame()->frameMenus().at(2)->actions().at(1)->text(), QStringLiteral("&About Program..."));
}

TEST_F(StartUp, MissingCompanyAndAboutTitleGiveEmptyTexts) {
    writeIni(QStringLiteral("[Setup]\nLanguage=English\nShowLang=1\n"));
    copyTranslations();
    ASSERT_TRUE(start());
    EXPECT_EQ(frame()->commandAction(id::kAppAbout)->text(), QString());
    EXPECT_EQ(MessageBox::applicationCaption(), QString());
    // With no types or bands listed the band limits are 0 and 0.
    EXPECT_EQ(activeChild()->view()->bandLimits().min10Hz, 0);
    EXPECT_EQ(activeChild()->view()->bandLimits().max10Hz, 0);
}

TEST_F(StartUp, WithoutArgumentsOpensOneNewDocumentInAMaximisedWindow) {
    writeTestIni();
    copyTranslations();
    ASSERT_TRUE(start());
    EXPECT_TRUE(frame()->windowState() & Qt::WindowMaximized);
    ASSERT_EQ(frame()->childFrames().size(), 1);
    EXPECT_TRUE(activeDocument()->isNew());
    EXPECT_EQ(activeDocument()->pathName(), QStringLiteral("TestRadio"));
    EXPECT_EQ(MessageBox::applicationCaption(), QStringLiteral("Test Company"));
    EXPECT_TRUE(shownBoxes().empty());
    // The keyboard is in the first cell: what is typed there goes into the channel.
    ChannelView* grid = activeChild()->view()->grid();
    EXPECT_EQ(grid->row(), 1);
    EXPECT_EQ(grid->col(), 1);
    ASSERT_EQ(QApplication::focusWidget(), grid);
    QTest::keyClick(grid, Qt::Key_1);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("45.5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(grid->cellText(1, 1), QStringLiteral("145.50000"));
}

TEST_F(StartUp, FileArgumentOpensThatFileInsteadOfANewDocument) {
    writeTestIni();
    copyTranslations();
    writeFile(QStringLiteral("radio.dat"), testImageBytes(1, 0));
    ASSERT_TRUE(start({path(QStringLiteral("radio.dat"))}));
    ASSERT_EQ(frame()->childFrames().size(), 1);
    EXPECT_FALSE(activeDocument()->isNew());
    EXPECT_EQ(activeDocument()->title(), QStringLiteral("radio.dat"));
    const QByteArray image(reinterpret_cast<const char*>(activeDocument()->image().data()), 1024);
    EXPECT_EQ(image, testImageBytes(1, 0));
    EXPECT_EQ(frame()->caption(), QStringLiteral("Test Programmer  [ Type:HT-B  Fre:400 - 470MHz ]"));
}

TEST_F(StartUp, FileArgumentThatCannotBeOpenedGivesANewDocumentAfterTheMessage) {
    writeTestIni();
    copyTranslations();
    writeFile(QStringLiteral("short.dat"), QByteArray(1000, '\0'));
    for (const QString& name : {QStringLiteral("short.dat"), QStringLiteral("missing.dat")}) {
        SCOPED_TRACE(qPrintable(name));
        ASSERT_TRUE(start({path(name)}));
        const auto boxes = shownBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].text.contains(path(name))) << qPrintable(boxes[0].text);
        ASSERT_EQ(frame()->childFrames().size(), 1);
        EXPECT_TRUE(activeDocument()->isNew());
    }
}

TEST_F(StartUp, TitleIcoBesideTheProgramBecomesTheWindowIcon) {
    writeTestIni();
    copyTranslations();
    QImage red(32, 32, QImage::Format_ARGB32);
    red.fill(QColor(255, 0, 0));
    ASSERT_TRUE(red.save(path(QStringLiteral("title.ico")), "ICO"));
    ASSERT_TRUE(start());
    EXPECT_EQ(frame()->windowIcon().pixmap(32, 32).toImage().pixel(16, 16), qRgb(255, 0, 0));
    EXPECT_EQ(activeChild()->windowIcon().pixmap(32, 32).toImage().pixel(16, 16), qRgb(255, 0, 0));
}

// Setup, Language: storing the other language in Program.ini and starting the program anew.
#include "ProgramFixture.h"

#include "app/AppContext.h"
#include "app/LanguageDlg.h"
#include "app/Resource.h"
#include "document/ProgramDoc.h"
#include "frame/MainFrame.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

enum class Choice { English, Chinese };
enum class Close { Ok, Cancel };

class LanguageSetup : public ProgramFixture {
protected:
    void startIn(const QString& language) {
        writeTestIni(language);
        copyTranslations();
        ASSERT_TRUE(start());
    }

    // Runs Setup, Language and answers the dialog; returns the language selected when it opened.
    Choice choose(Choice choice, Close close) {
        Choice opened = Choice::English;
        runModal([this] { frame()->commandAction(id::kLanguage)->trigger(); },
                 [&](QWidget* modal) {
                     auto* dialog = qobject_cast<LanguageDlg*>(modal);
                     ASSERT_NE(dialog, nullptr);
                     opened = dialog->chineseButton()->isChecked() ? Choice::Chinese : Choice::English;
                     QTest::mouseClick(choice == Choice::Chinese ? dialog->chineseButton()
                                                                 : dialog->englishButton(),
                                       Qt::LeftButton);
                     QTest::mouseClick(close == Close::Ok ? dialog->okButton() : dialog->cancelButton(),
                                       Qt::LeftButton);
                 });
        return opened;
    }

    QString storedLanguage() const {
        const QString ini = QString::fromUtf8(readFile(QStringLiteral("Program.ini")));
        const qsizetype at = ini.indexOf(QStringLiteral("Language="));
        return at < 0 ? QString()
                      : ini.mid(at + 9).section(QLatin1Char('\r'), 0, 0).section(QLatin1Char('\n'), 0, 0);
    }
};

} // namespace

TEST_F(LanguageSetup, EnglishToChineseStoresTheChoiceAndStartsTheProgramAgain) {
    startIn(QStringLiteral("English"));
    EXPECT_EQ(choose(Choice::Chinese, Close::Ok), Choice::English);
    EXPECT_EQ(storedLanguage(), QStringLiteral("Chinese"));
    EXPECT_FALSE(frame()->isVisible());
    ASSERT_EQ(m_started.size(), 1u);
    EXPECT_EQ(m_started[0], QCoreApplication::applicationFilePath());
    EXPECT_TRUE(m_startedArguments[0].isEmpty()) << "a new document has no file to open again";
}

TEST_F(LanguageSetup, TheRestartedProgramOpensTheFileAsSaved) {
    writeTestIni();
    copyTranslations();
    writeFile(QStringLiteral("club.dat"), testImageBytes());
    ASSERT_TRUE(start({path(QStringLiteral("club.dat"))}));
    MemoryImage image = activeDocument()->image();
    image.setByte(0x3F0, 0x42);
    activeDocument()->applyChange(QStringLiteral("a byte"), image);
    MessageBox::answerNext(QMessageBox::Yes);
    choose(Choice::Chinese, Close::Ok);
    EXPECT_EQ(static_cast<uint8_t>(readFile(QStringLiteral("club.dat")).at(0x3F0)), 0x42);
    ASSERT_EQ(m_startedArguments.size(), 1u);
    EXPECT_EQ(m_startedArguments[0], QStringList{path(QStringLiteral("club.dat"))});
}

TEST_F(LanguageSetup, AProgramIniThatCannotBeSavedIsReportedAndNothingRestarts) {
    startIn(QStringLiteral("English"));
    // Something that is not a file stands where Program.ini was: the save cannot replace it.
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Program.ini"))));
    ASSERT_TRUE(QDir(appDir()).mkpath(QStringLiteral("Program.ini/keep")));
    choose(Choice::Chinese, Close::Ok);
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("The language could not be saved in ")))
        << qPrintable(boxes[0].text);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("Program.ini")));
    EXPECT_TRUE(frame()->isVisible());
    EXPECT_TRUE(m_started.empty());
    EXPECT_EQ(context()->settings().languageSection(), "English");
}

TEST_F(LanguageSetup, ChineseToEnglishStoresEnglish) {
    startIn(QStringLiteral("Chinese"));
    EXPECT_EQ(choose(Choice::English, Close::Ok), Choice::Chinese);
    EXPECT_EQ(storedLanguage(), QStringLiteral("English"));
    EXPECT_EQ(m_started.size(), 1u);
}

struct NoChangeCase {
    const char* name;
    Choice choice;
    Close close;
};

// Printed as its name, so the registered test names stay the same from build to build.
void PrintTo(const NoChangeCase& c, std::ostream* os) {
    *os << c.name;
}

class LanguageNoChange : public LanguageSetup, public ::testing::WithParamInterface<NoChangeCase> {};

TEST_P(LanguageNoChange, StoresNothingAndRestartsNothing) {
    startIn(QStringLiteral("English"));
    const QByteArray before = readFile(QStringLiteral("Program.ini"));
    choose(GetParam().choice, GetParam().close);
    EXPECT_EQ(readFile(QStringLiteral("Program.ini")), before);
    EXPECT_TRUE(m_started.empty());
    EXPECT_TRUE(frame()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Cases, LanguageNoChange,
                         ::testing::Values(NoChangeCase{"OtherLanguageCancelled", Choice::Chinese,
                                                        Close::Cancel},
                                           NoChangeCase{"RunningLanguageOk", Choice::English, Close::Ok}),
                         [](const ::testing::TestParamInfo<NoChangeCase>& row) { return row.param.name; });

TEST_F(LanguageSetup, LowerCaseChineseCountsAsEnglishRunning) {
    // "chinese" loads the Chinese translation but the program runs as English, so choosing
    // Chinese is a change and restarts. Program.ini takes a value that differs only in letter
    // case as no change, so the file keeps its spelling.
    startIn(QStringLiteral("chinese"));
    EXPECT_EQ(choose(Choice::Chinese, Close::Ok), Choice::English);
    EXPECT_EQ(storedLanguage().compare(QStringLiteral("Chinese"), Qt::CaseInsensitive), 0);
    EXPECT_EQ(m_started.size(), 1u);
}

TEST_F(LanguageSetup, UnsavedChangesCancelledKeepTheProgramRunning) {
    startIn(QStringLiteral("English"));
    activeDocument()->setModifiedFlag();
    MessageBox::answerNext(QMessageBox::Cancel);
    choose(Choice::Chinese, Close::Ok);
    EXPECT_TRUE(frame()->isVisible());
    EXPECT_TRUE(m_started.empty());
    // Cancel changes nothing: the next start is in the running language too.
    EXPECT_EQ(storedLanguage(), QStringLiteral("English"));
    EXPECT_TRUE(activeDocument()->isModified());

    // Choosing English again and OK then restarts into English, having asked once more.
    MessageBox::answerNext(QMessageBox::No);
    choose(Choice::Chinese, Close::Ok);
    EXPECT_EQ(shownBoxes().size(), 2u) << "one Save changes? each time, none at the closing itself";
    EXPECT_EQ(storedLanguage(), QStringLiteral("Chinese"));
    EXPECT_EQ(m_started.size(), 1u);
    EXPECT_FALSE(frame()->isVisible());
}

TEST_F(LanguageSetup, ARestartThatCannotHappenLeavesTheLanguageAndTheProgramAsTheyWere) {
    startIn(QStringLiteral("English"));
    m_startSucceeds = false;
    choose(Choice::Chinese, Close::Ok);
    ASSERT_EQ(m_started.size(), 1u);
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith("The program could not be started again"))
        << qPrintable(boxes[0].text);
    EXPECT_TRUE(frame()->isVisible());
    EXPECT_EQ(storedLanguage(), QStringLiteral("English"));
}

TEST_F(LanguageSetup, AReadOnlyProgramIniLeavesTheChoiceInTheUsersCopy) {
    startIn(QStringLiteral("English"));
    const QByteArray shipped = readFile(QStringLiteral("Program.ini"));
    // What an installation looks like to the program: the shipped file takes no change.
    ASSERT_TRUE(context()->programSettings().load(
        QFile::encodeName(path(QStringLiteral("Program.ini"))).toStdString(),
        QFile::encodeName(path(QStringLiteral("config"))).toStdString(), false));
    choose(Choice::Chinese, Close::Ok);
    EXPECT_EQ(readFile(QStringLiteral("Program.ini")), shipped);
    EXPECT_TRUE(readFile(QStringLiteral("config/TestRadio/Program.ini")).contains("Language=Chinese"));
    EXPECT_EQ(m_started.size(), 1u);
}

TEST_F(LanguageSetup, F1InTheDialogOpensTheLanguageCommandsHelp) {
    startIn(QStringLiteral("English"));
    runModal([this] { frame()->commandAction(id::kLanguage)->trigger(); },
             [](QWidget* modal) {
                 auto* dialog = qobject_cast<LanguageDlg*>(modal);
                 ASSERT_NE(dialog, nullptr);
                 dialog->chineseButton()->setFocus();
                 QTest::keyClick(dialog->chineseButton(), Qt::Key_F1);
                 dialog->reject();
             });
    ASSERT_EQ(m_helpUrls.size(), 1u);
    EXPECT_EQ(m_helpUrls[0].fragment(), QStringLiteral("32799"));
    EXPECT_TRUE(m_helpUrls[0].toLocalFile().endsWith(QStringLiteral("help/en/index.html")));
}

// Documents: File New, Open, Save and Save As, the .dat length check, the modified flag and the
// radio type and band that follow the image.
#include "ProgramFixture.h"

#include "app/FileDialog.h"
#include "app/MessageBox.h"
#include "app/Resource.h"
#include "channels/ChannelEdit.h"
#include "dialogs/ProductInfoDlg.h"
#include "document/ProgramDoc.h"
#include "editor/ChannelView.h"
#include "editor/ProgramView.h"
#include "frame/ChildFrame.h"
#include "frame/MainFrame.h"
#include "settings/UserSettings.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QPointer>
#include <QSignalSpy>

namespace {

class Document : public ProgramFixture {
protected:
    void startEnglish() {
        writeTestIni();
        copyTranslations();
        ASSERT_TRUE(start());
    }

    void trigger(int command) { frame()->commandAction(command)->trigger(); }

    void openThroughDialog(const QString& file) {
        FileDialog::answerNext(file);
        trigger(id::kFileOpen);
    }

    // One byte changed as an edit changes it: one undo step.
    static void changeByte(ProgramDoc* doc, size_t offset, uint8_t value) {
        MemoryImage image = doc->image();
        image.setByte(offset, value);
        doc->applyChange(QStringLiteral("a byte"), image);
    }

    static QByteArray bytesOf(const ProgramDoc* doc) {
        return QByteArray(reinterpret_cast<const char*>(doc->image().data()), 1024);
    }
};

} // namespace

struct ReplaceCase {
    const char* name;
    int command; // File New, or File Open of a.dat
    bool modified;
    QMessageBox::StandardButton answer;
    const char* saveAs; // the Save As answer after Yes; "" cancels it
    const char* box;
    QMessageBox::StandardButtons buttons;
    enum { Kept, Hidden, Destroyed } old; // what becomes of the document that was active
};

void PrintTo(const ReplaceCase& c, std::ostream* os) {
    *os << c.name;
}

class DocumentReplace : public Document, public ::testing::WithParamInterface<ReplaceCase> {};

TEST_P(DocumentReplace, UnsavedChangesAreAskedAboutBeforeNewOrOpenReplacesThem) {
    const ReplaceCase& c = GetParam();
    startEnglish();
    QPointer<ChildFrame> old = activeChild();
    changeByte(activeDocument(), 0x10, 0x45);
    activeDocument()->setModifiedFlag(c.modified);
    writeFile(QStringLiteral("a.dat"), testImageBytes());
    MessageBox::answerNext(c.answer);
    if (c.command == id::kFileOpen) {
        FileDialog::answerNext(path(QStringLiteral("a.dat")));
    }
    FileDialog::answerNext(QString::fromUtf8(c.saveAs).isEmpty() ? QString()
                                                                 : path(QString::fromUtf8(c.saveAs)));
    trigger(c.command);
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromUtf8(c.box));
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Test Company"));
    EXPECT_EQ(boxes[0].buttons, c.buttons);
    EXPECT_EQ(QFileInfo::exists(path(QStringLiteral("kept.dat"))), QString::fromUtf8(c.saveAs) == "kept.dat");
    EXPECT_EQ(old.isNull(), c.old == ReplaceCase::Destroyed);
    EXPECT_EQ(activeChild() == old, c.old == ReplaceCase::Kept);
    if (c.old == ReplaceCase::Kept) {
        EXPECT_TRUE(old->isVisible());
        EXPECT_EQ(activeDocument()->image().byte(0x10), 0x45);
        EXPECT_TRUE(activeDocument()->isModified());
    } else {
        EXPECT_EQ(activeDocument()->isNew(), c.command == id::kFileNew);
        EXPECT_EQ(visibleChildCount(), 1);
    }
}

constexpr auto kYesNoCancel = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
constexpr auto kOkCancel = QMessageBox::Ok | QMessageBox::Cancel;
const char* const kSaveQuestion = "Save changes to Channel Information?";

INSTANTIATE_TEST_SUITE_P(
    Answers, DocumentReplace,
    ::testing::Values(ReplaceCase{"NewUnmodifiedOkWarnsAndClears", id::kFileNew, false, QMessageBox::Ok, "",
                                  "All data will be Cleared!", kOkCancel, ReplaceCase::Destroyed},
                      ReplaceCase{"NewYesSavesFirst", id::kFileNew, true, QMessageBox::Yes, "kept.dat",
                                  kSaveQuestion, kYesNoCancel, ReplaceCase::Destroyed},
                      ReplaceCase{"NewNoDiscards", id::kFileNew, true, QMessageBox::No, "", kSaveQuestion,
                                  kYesNoCancel, ReplaceCase::Destroyed},
                      ReplaceCase{"NewCancelKeeps", id::kFileNew, true, QMessageBox::Cancel, "",
                                  kSaveQuestion, kYesNoCancel, ReplaceCase::Kept},
                      ReplaceCase{"NewSaveCancelledKeeps", id::kFileNew, true, QMessageBox::Yes, "",
                                  kSaveQuestion, kYesNoCancel, ReplaceCase::Kept},
                      ReplaceCase{"OpenYesSavesAndHides", id::kFileOpen, true, QMessageBox::Yes, "kept.dat",
                                  kSaveQuestion, kYesNoCancel, ReplaceCase::Hidden},
                      ReplaceCase{"OpenNoDiscards", id::kFileOpen, true, QMessageBox::No, "", kSaveQuestion,
                                  kYesNoCancel, ReplaceCase::Destroyed},
                      ReplaceCase{"OpenCancelKeeps", id::kFileOpen, true, QMessageBox::Cancel, "",
                                  kSaveQuestion, kYesNoCancel, ReplaceCase::Kept}),
    [](const ::testing::TestParamInfo<ReplaceCase>& row) { return row.param.name; });

TEST_F(Document, FileNewCancelLeavesEverythingAsItWas) {
    startEnglish();
    ChildFrame* old = activeChild();
    changeByte(activeDocument(), 0x10, 0x45);
    activeDocument()->setModifiedFlag(false);
    MessageBox::answerNext(QMessageBox::Cancel);
    trigger(id::kFileNew);
    ASSERT_EQ(frame()->childFrames().size(), 1);
    EXPECT_EQ(activeChild(), old);
    EXPECT_EQ(activeDocument()->image().byte(0x10), 0x45);
}

TEST_F(Document, OpenHidesThePreviousWindowAndKeepsItsDocument) {
    startEnglish();
    ChildFrame* first = activeChild();
    changeByte(first->document(), 0x20, 0x99);
    first->document()->setModifiedFlag(false);
    writeFile(QStringLiteral("a.dat"), testImageBytes(1, 0));
    openThroughDialog(path(QStringLiteral("a.dat")));
    EXPECT_EQ(frame()->childFrames().size(), 2);
    EXPECT_EQ(visibleChildCount(), 1);
    EXPECT_NE(activeChild(), first);
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(first->document()->image().byte(0x20), 0x99);
    EXPECT_FALSE(activeDocument()->isNew());
    EXPECT_EQ(bytesOf(activeDocument()), testImageBytes(1, 0));
    const auto shown = FileDialog::takeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].filter.contains(QStringLiteral("*.dat")));
}

struct WrongLengthCase {
    const char* name;
    int length; // -1: a folder
};

void PrintTo(const WrongLengthCase& c, std::ostream* os) {
    *os << c.name;
}

class DocumentWrongLength : public Document, public ::testing::WithParamInterface<WrongLengthCase> {};

TEST_P(DocumentWrongLength, IsRefusedWithDataFormatErrorAndThePreviousWindowStays) {
    startEnglish();
    ChildFrame* first = activeChild();
    changeByte(first->document(), 0x20, 0x99);
    QString file = path(QStringLiteral("wrong.dat"));
    if (GetParam().length < 0) {
        QDir(appDir()).mkdir(QStringLiteral("wrong.dat"));
    } else {
        writeFile(QStringLiteral("wrong.dat"), QByteArray(GetParam().length, '\x11'));
    }
    openThroughDialog(file);
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    // The file's name and size follow the message.
    EXPECT_EQ(boxes[0].text, QStringLiteral("Data Format Error\n") +
                                 (GetParam().length < 0
                                      ? file + QStringLiteral(" is not a file.")
                                      : QStringLiteral("%1 holds %2 bytes; a data file holds exactly 1024.")
                                            .arg(file)
                                            .arg(GetParam().length)));
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Test Company"));
    EXPECT_EQ(frame()->childFrames().size(), 1);
    EXPECT_EQ(activeChild(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->document()->image().byte(0x20), 0x99);
    EXPECT_TRUE(activeDocument()->isNew());
}

INSTANTIATE_TEST_SUITE_P(Lengths, DocumentWrongLength,
                         ::testing::Values(WrongLengthCase{"Empty", 0}, WrongLengthCase{"OneByte", 1},
                                           WrongLengthCase{"OneShort", 1023},
                                           WrongLengthCase{"OneOver", 1025}, WrongLengthCase{"Double", 2048},
                                           WrongLengthCase{"Folder", -1}),
                         [](const ::testing::TestParamInfo<WrongLengthCase>& row) { return row.param.name; });

TEST_F(Document, DataFormatErrorIsChineseInAChineseProgram) {
    writeTestIni(QStringLiteral("Chinese"));
    copyTranslations();
    ASSERT_TRUE(start());
    writeFile(QStringLiteral("wrong.dat"), QByteArray(10, '\0'));
    openThroughDialog(path(QStringLiteral("wrong.dat")));
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("数据格式不正确\n%1 有 10 字节；数据文件必须正好是 1024 字节。")
                                 .arg(path(QStringLiteral("wrong.dat"))));
    EXPECT_EQ(boxes[0].caption, QStringLiteral("测试公司"));
}

TEST_F(Document, OpeningAnOpenFileAgainBringsBackItsWindow) {
    startEnglish();
    writeFile(QStringLiteral("a.dat"), testImageBytes());
    openThroughDialog(path(QStringLiteral("a.dat")));
    ChildFrame* opened = activeChild();
    opened->close();
    openThroughDialog(QDir(appDir()).filePath(QStringLiteral("./a.dat")));
    EXPECT_EQ(frame()->childFrames().size(), 2);
    EXPECT_EQ(activeChild(), opened);
    EXPECT_TRUE(opened->isVisible());
}

TEST_F(Document, SaveAsThenReopenGivesTheSameBytes) {
    startEnglish();
    writeFile(QStringLiteral("a.dat"), testImageBytes(1, 1));
    openThroughDialog(path(QStringLiteral("a.dat")));
    changeByte(activeDocument(), 0x3FF, 0x5A);
    const QByteArray before = bytesOf(activeDocument());
    FileDialog::answerNext(path(QStringLiteral("b.dat")));
    trigger(id::kFileSaveAs);
    // Saving writes the grid into the channel records first; everything else stays as it was.
    const QByteArray expected = bytesOf(activeDocument());
    EXPECT_EQ(readFile(QStringLiteral("b.dat")), expected);
    EXPECT_EQ(expected.left(0x10), before.left(0x10));
    EXPECT_EQ(expected.mid(0x180), before.mid(0x180));
    EXPECT_EQ(activeDocument()->title(), QStringLiteral("b.dat"));
    openThroughDialog(path(QStringLiteral("b.dat")));
    // Already open under that name: the same window, not a second copy.
    EXPECT_EQ(frame()->childFrames().size(), 2);
    frame()->destroyChild(activeChild());
    openThroughDialog(path(QStringLiteral("b.dat")));
    EXPECT_EQ(bytesOf(activeDocument()), expected);
}

// Every change of the image is announced once, and the grid shows it; the same bytes again are
// no change and no step.
TEST_F(Document, EveryChangeOfTheImageIsAnnouncedAndShown) {
    startEnglish();
    ProgramDoc* doc = activeDocument();
    MemoryImage edited = doc->image();
    edited.setRxFrequency(1, 14500000);
    edited.setTxFrequency(1, 14500000);
    writeFile(QStringLiteral("a.dat"), QByteArray(reinterpret_cast<const char*>(edited.data()), 1024));
    const struct {
        const char* name;
        std::function<void()> change;
        int announced;
        int steps;
        const char* rx1; // channel 1's receive frequency in the grid
    } cases[] = {
        {"Edit", [&] { doc->applyChange(QStringLiteral("edit"), edited); }, 1, 1, "145.00000"},
        {"SameBytes", [&] { doc->applyChange(QStringLiteral("again"), edited); }, 0, 1, "145.00000"},
        {"Undo", [&] { doc->undoStack()->undo(); }, 1, 1, ""},
        {"Redo", [&] { doc->undoStack()->redo(); }, 1, 1, "145.00000"},
        {"Read", [&] { doc->replaceImage(MemoryImage::newDocument()); }, 1, 2, ""},
        {"Open", [&] { ASSERT_TRUE(doc->open(path(QStringLiteral("a.dat")))); }, 1, 0, "145.00000"},
        {"New", [&] { doc->onNewDocument(); }, 1, 0, ""},
        {"TakeImage", [&] { doc->takeImage(edited, QStringLiteral("history")); }, 1, 0, "145.00000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QSignalSpy announced(doc, &ProgramDoc::imageChanged);
        c.change();
        EXPECT_EQ(announced.count(), c.announced);
        EXPECT_EQ(doc->undoStack()->count(), c.steps);
        EXPECT_EQ(activeChild()->view()->grid()->cellText(1, 1), QString::fromUtf8(c.rx1));
    }
}

TEST_F(Document, SaveWritesAnOpenedFileInPlaceWithoutADialog) {
    startEnglish();
    writeFile(QStringLiteral("a.dat"), testImageBytes());
    openThroughDialog(path(QStringLiteral("a.dat")));
    FileDialog::takeShown();
    changeByte(activeDocument(), 0x3F0, 0x42);
    activeDocument()->setModifiedFlag();
    trigger(id::kFileSave);
    EXPECT_TRUE(FileDialog::takeShown().empty());
    EXPECT_EQ(static_cast<uint8_t>(readFile(QStringLiteral("a.dat")).at(0x3F0)), 0x42);
    EXPECT_FALSE(activeDocument()->isModified());
}

struct FirstSaveCase {
    const char* name;
    const char* appName;  // [Setup] AppName
    bool fileExists;      // a file of that name in the current folder
    const char* proposed; // what the dialog proposes; nullptr: no dialog
};

void PrintTo(const FirstSaveCase& c, std::ostream* os) {
    *os << c.name;
}

class DocumentFirstSave : public Document, public ::testing::WithParamInterface<FirstSaveCase> {};

TEST_P(DocumentFirstSave, FollowsThePresetPathOfANewDocument) {
    const FirstSaveCase& c = GetParam();
    writeIni(QString::fromUtf8(kTestIni)
                 .replace(QStringLiteral("{Language}"), QStringLiteral("English"))
                 .replace(QStringLiteral("{ShowLang}"), QStringLiteral("1"))
                 .replace(QStringLiteral("AppName=TestRadio"),
                          QStringLiteral("AppName=") + QString::fromUtf8(c.appName)));
    copyTranslations();
    ASSERT_TRUE(start());
    if (c.fileExists) {
        writeFile(QString::fromUtf8(c.appName), QByteArray("old"));
    }
    FileDialog::answerNext(path(QStringLiteral("chosen.dat")));
    trigger(id::kFileSave);
    const auto shown = FileDialog::takeShown();
    if (c.proposed == nullptr) {
        EXPECT_TRUE(shown.empty());
        EXPECT_EQ(readFile(QString::fromUtf8(c.appName)).size(), 1024);
    } else {
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_TRUE(shown[0].save);
        // In the user's documents folder the first time.
        EXPECT_EQ(shown[0].proposedPath, path(QStringLiteral("documents/") + QString::fromUtf8(c.proposed)));
        EXPECT_EQ(readFile(QStringLiteral("chosen.dat")).size(), 1024);
        EXPECT_EQ(activeDocument()->pathName(), path(QStringLiteral("chosen.dat")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocumentFirstSave,
    ::testing::Values(FirstSaveCase{"PresetFileExists", "TestRadio", true, nullptr},
                      FirstSaveCase{"PresetFileMissing", "TestRadio", false, "TestRadio"},
                      FirstSaveCase{"NoPresetTakesTheTitleUpToItsBlank", "", false, "Channel.dat"}),
    [](const ::testing::TestParamInfo<FirstSaveCase>& row) { return row.param.name; });

TEST_F(Document, FailedSaveSaysWhereAndKeepsTheChanges) {
    startEnglish();
    activeDocument()->setModifiedFlag();
    const QString target = path(QStringLiteral("no-such-folder/x.dat"));
    FileDialog::answerNext(target);
    trigger(id::kFileSaveAs);
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains(target)) << qPrintable(boxes[0].text);
    EXPECT_TRUE(activeDocument()->isModified());
    EXPECT_EQ(activeDocument()->title(), QStringLiteral("Channel Information"));
}

TEST_F(Document, ModifiedMarkShowsInTheWindowTitle) {
    startEnglish();
    EXPECT_FALSE(activeChild()->isWindowModified());
    activeDocument()->setModifiedFlag();
    EXPECT_TRUE(activeChild()->isWindowModified());
    EXPECT_EQ(activeChild()->windowTitle(), QStringLiteral("Channel Information[*]"));
    FileDialog::answerNext(path(QStringLiteral("saved.dat")));
    trigger(id::kFileSave);
    EXPECT_FALSE(activeChild()->isWindowModified());
    EXPECT_EQ(activeChild()->windowTitle(), QStringLiteral("saved.dat[*]"));
}

struct CloseCase {
    const char* name;
    QMessageBox::StandardButton answer;
    const char* saveAs; // the Save As answer after Yes; "" cancels it
    bool closes;
    bool written;
};

void PrintTo(const CloseCase& c, std::ostream* os) {
    *os << c.name;
}

class DocumentClose : public Document, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(DocumentClose, UnsavedChangesAreAskedAboutWhenTheMainWindowCloses) {
    const CloseCase& c = GetParam();
    startEnglish();
    activeDocument()->setModifiedFlag();
    MessageBox::answerNext(c.answer);
    if (c.answer == QMessageBox::Yes) {
        FileDialog::answerNext(QString::fromUtf8(c.saveAs).isEmpty() ? QString()
                                                                     : path(QString::fromUtf8(c.saveAs)));
    }
    EXPECT_EQ(frame()->close(), c.closes);
    EXPECT_EQ(frame()->isVisible(), !c.closes);
    EXPECT_EQ(QFileInfo::exists(path(QStringLiteral("kept.dat"))), c.written);
}

INSTANTIATE_TEST_SUITE_P(Answers, DocumentClose,
                         ::testing::Values(CloseCase{"YesSaves", QMessageBox::Yes, "kept.dat", true, true},
                                           CloseCase{"YesButSaveCancelled", QMessageBox::Yes, "", false,
                                                     false},
                                           CloseCase{"NoDiscards", QMessageBox::No, "", true, false},
                                           CloseCase{"CancelStays", QMessageBox::Cancel, "", false, false}),
                         [](const ::testing::TestParamInfo<CloseCase>& row) { return row.param.name; });

TEST_F(Document, HiddenModifiedDocumentsAreAskedAboutTooEachByName) {
    startEnglish();
    writeFile(QStringLiteral("a.dat"), testImageBytes());
    openThroughDialog(path(QStringLiteral("a.dat")));
    ChildFrame* hidden = frame()->childFrames().first();
    ASSERT_FALSE(hidden->isVisible());
    hidden->document()->setModifiedFlag();
    activeDocument()->setModifiedFlag();
    MessageBox::answerNext(QMessageBox::No);
    MessageBox::answerNext(QMessageBox::No);
    EXPECT_TRUE(frame()->close());
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Save changes to Channel Information?"));
    EXPECT_EQ(boxes[1].text, QStringLiteral("Save changes to a.dat?"));
    EXPECT_FALSE(hidden->isHidden()) << "the document asked about was shown";
}

TEST_F(Document, FileDialogsStartInTheDocumentsFolderThenWhereAFileWasChosenLast) {
    startEnglish();
    trigger(id::kFileOpen); // cancelled
    QDir(appDir()).mkdir(QStringLiteral("club"));
    writeFile(QStringLiteral("club/a.dat"), testImageBytes());
    openThroughDialog(path(QStringLiteral("club/a.dat")));
    auto shown = FileDialog::takeShown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].folder, path(QStringLiteral("documents")));
    EXPECT_EQ(shown[1].folder, path(QStringLiteral("documents")));
    // The next run of the program, for a new document's first save, too.
    ASSERT_TRUE(start());
    trigger(id::kFileSave);
    shown = FileDialog::takeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].proposedPath, path(QStringLiteral("club/TestRadio")));
    // A folder that is gone is no place to start.
    ASSERT_TRUE(QDir(path(QStringLiteral("club"))).removeRecursively());
    trigger(id::kFileOpen);
    shown = FileDialog::takeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].folder, path(QStringLiteral("documents")));
}

TEST_F(Document, OpenedFileSetsTheRememberedTypeAndBandThatANewDocumentTakes) {
    startEnglish();
    writeFile(QStringLiteral("a.dat"), testImageBytes(1, 0));
    openThroughDialog(path(QStringLiteral("a.dat")));
    UserSettings store(QStringLiteral("TestRadio").toStdString());
    EXPECT_EQ(store.readValue("Type", 99), 1u);
    EXPECT_EQ(store.readValue("Field", 99), 0u);
    EXPECT_EQ(frame()->caption(), QStringLiteral("Test Programmer  [ Type:HT-B  Fre:400 - 470MHz ]"));
    MessageBox::answerNext(QMessageBox::Ok);
    trigger(id::kFileNew);
    EXPECT_EQ(activeDocument()->image().radioType(), 1);
    EXPECT_EQ(activeDocument()->image().band(), 0);
    EXPECT_EQ(activeChild()->view()->bandLimits().min10Hz, 40000000);
    EXPECT_EQ(activeChild()->view()->bandLimits().max10Hz, 47000000);
    // Taking the remembered choice is not a change of the user's.
    EXPECT_FALSE(activeDocument()->isModified());
}

TEST_F(Document, CaptionLimitsAndProductInformationFollowTheActiveDocument) {
    writeTestIni();
    copyTranslations();
    writeFile(QStringLiteral("vhf.dat"), testImageBytes(0, 0));
    writeFile(QStringLiteral("uhf.dat"), testImageBytes(1, 0));
    ASSERT_TRUE(start({path(QStringLiteral("vhf.dat"))}));
    ChildFrame* vhf = activeChild();
    openThroughDialog(path(QStringLiteral("uhf.dat")));
    ASSERT_NE(activeChild(), vhf);
    EXPECT_EQ(frame()->caption(), QStringLiteral("Test Programmer  [ Type:HT-B  Fre:400 - 470MHz ]"));

    // Back to the first file: its window comes back, and with it its type and band.
    openThroughDialog(path(QStringLiteral("vhf.dat")));
    ASSERT_EQ(activeChild(), vhf);
    EXPECT_EQ(frame()->caption(), QStringLiteral("Test Programmer  [ Type:HT-A  Fre:136 - 174MHz ]"));
    EXPECT_EQ(frame()->windowTitle(), frame()->captionTitle());
    EXPECT_EQ(activeChild()->view()->bandLimits().min10Hz, 13600000);
    EXPECT_EQ(activeChild()->view()->bandLimits().max10Hz, 17400000);
    QString type;
    QString band;
    runModal([this] { trigger(id::kProductInformation); },
             [&](QWidget* modal) {
                 auto* dialog = qobject_cast<ProductInfoDlg*>(modal);
                 ASSERT_NE(dialog, nullptr);
                 type = dialog->typeCombo()->currentText();
                 band = dialog->bandCombo()->currentText();
                 dialog->reject();
             });
    EXPECT_EQ(type, QStringLiteral("HT-A"));
    EXPECT_EQ(band, QStringLiteral("136 - 174MHz"));

    // Product Information's choice changes the active document's caption only; Clear Channels too.
    const MemoryImage before = activeDocument()->image();
    const std::vector<int> outside = channeledit::channelsOutsideBand(before, {40000000, 47000000});
    ASSERT_FALSE(outside.empty());
    MessageBox::answerNext(QMessageBox::No); // Clear Channels
    runModal([this] { trigger(id::kProductInformation); },
             [](QWidget* modal) {
                 auto* dialog = qobject_cast<ProductInfoDlg*>(modal);
                 ASSERT_NE(dialog, nullptr);
                 dialog->bandCombo()->setCurrentIndex(1);
                 dialog->accept();
             });
    EXPECT_EQ(frame()->caption(), QStringLiteral("Test Programmer  [ Type:HT-A  Fre:400 - 470MHz ]"));
    EXPECT_EQ(UserSettings("TestRadio").readValue("Field", 99), 1u) << "the choice is remembered";
    EXPECT_EQ(shownBoxes().size(), 1u);
    for (int channel : outside) {
        EXPECT_EQ(activeChild()->view()->grid()->cellText(channel, 1), "") << "channel " << channel;
    }
    activeDocument()->undoStack()->undo();
    EXPECT_EQ(activeDocument()->image(), before);
    EXPECT_EQ(frame()->caption(), QStringLiteral("Test Programmer  [ Type:HT-A  Fre:136 - 174MHz ]"));
    openThroughDialog(path(QStringLiteral("uhf.dat")));
    EXPECT_EQ(frame()->caption(), QStringLiteral("Test Programmer  [ Type:HT-B  Fre:400 - 470MHz ]"));
    EXPECT_EQ(activeDocument()->typeAndBand().limits.min10Hz, 40000000);
}

#include "ProgramFixture.h"

#include "RadioSimulator.h"
#include "app/FileDialog.h"
#include "app/MessageBox.h"
#include "app/Resource.h"
#include "dialogs/ChangesDlg.h"
#include "document/ProgramDoc.h"
#include "editor/ChannelView.h"
#include "editor/ProgramView.h"
#include "frame/ChildFrame.h"
#include "frame/MainFrame.h"
#include "history/RadioHistory.h"
#include "radio/ComSetupDlg.h"
#include "radio/ProcessDlg.h"
#include "radio/RadioHistoryDlg.h"
#include "radio/RadioJob.h"
#include "radio/RadioTransfer.h"
#include "radio/TransferController.h"
#include "settings/UserSettings.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

// Read and Write through the progress dialog against a simulated radio that COM1 stands for.
class Transfer : public ProgramFixture {
protected:
    // asDemo: COM1 stands for the radio, as with Program --demo.
    void startWith(const SimulatorOptions& options, const QString& language = QStringLiteral("English"),
                   bool asDemo = true) {
        m_radio = std::make_unique<RadioSimulator>(options);
        ASSERT_TRUE(m_radio->start());
        if (!m_showChanges) {
            // A user who switched the list of changes off: writes go ahead after the backup.
            UserSettings("TestRadio").writeValue("ShowChanges", 0);
        }
        writeTestIni(language);
        copyTranslations();
        ASSERT_TRUE(start());
        if (asDemo) {
            context()->setDemoDevice(m_radio->devicePath());
        }
    }
    ProgramView* view() const { return activeChild()->view(); }
    ProcessDlg* dialog() const { return frame()->transferController()->processDialog(); }
    void trigger(int command) { frame()->commandAction(command)->trigger(); }
    // Presses OK and waits until the transfer has closed the dialog.
    bool runTransfer() {
        QTest::mouseClick(dialog()->okButton(), Qt::LeftButton);
        return QTest::qWaitFor([this] { return !dialog()->isVisible(); }, 20000);
    }
    static RadioSimulator::Memory radioMemory() {
        MemoryImage image = MemoryImage::newDocument();
        image.setRadioType(1);
        image.setBand(0);
        image.setRxFrequency(4, 43000000);
        image.setTxFrequency(4, 43500000);
        image.setRxTone(4, Tone::dcs(754, true));
        image.setByte(0x3F0, 0x77); // beyond the transferred rows: never read
        RadioSimulator::Memory memory{};
        std::copy(image.data(), image.data() + memory.size(), memory.begin());
        return memory;
    }

    // A channel in the band (136 - 174 MHz), so that a write asks nothing first.
    void addChannel() {
        MemoryImage image = activeDocument()->image();
        image.setRxFrequency(1, 14650000);
        image.setTxFrequency(1, 14650000);
        activeDocument()->applyChange(QStringLiteral("a channel"), image);
    }

    std::unique_ptr<RadioSimulator> m_radio;
    bool m_showChanges = false; // the setting as the user left it: on unless stored off
};

TEST_F(Transfer, AFullReadFillsTheGridCaptionAndBandLimits) {
    startWith({});
    m_radio->setMemory(radioMemory());
    activeChild()->close(); // hidden windows come back after a transfer
    trigger(id::kRead);
    EXPECT_EQ(dialog()->windowTitle(), "Read Data");
    ASSERT_TRUE(runTransfer());
    EXPECT_TRUE(shownBoxes().empty());
    EXPECT_EQ(dialog()->numberLabel()->text(), "51");
    EXPECT_EQ(view()->grid()->cellText(4, 1), "430.00000");
    EXPECT_EQ(view()->grid()->cellText(4, 3), "D754I");
    EXPECT_EQ(view()->bandLimits().min10Hz, 40000000) << "type 2, band 0 of the radio: 400 - 470MHz";
    EXPECT_TRUE(frame()->windowTitle().contains("HT-B"));
    EXPECT_NE(activeDocument()->image().byte(0x3F0), 0x77);
    EXPECT_TRUE(activeDocument()->isModified());
    EXPECT_TRUE(activeChild()->isVisible());
    EXPECT_EQ(frame()->statusBar()->currentMessage(), "Read from the radio on COM1 into the document.");
}

TEST_F(Transfer, AFullWriteSendsTheEncodedGrid) {
    startWith({});
    ChannelView* grid = view()->grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->cellRect(2, 1).center());
    QTest::keyClicks(view()->grid()->openEditor(), "145.0125");
    trigger(id::kWrite); // the open edit is committed when the transfer starts
    EXPECT_EQ(dialog()->windowTitle(), "Write Data");
    trigger(id::kRead);
    EXPECT_EQ(dialog()->windowTitle(), "Write Data") << "an open dialog keeps its direction";
    ASSERT_TRUE(runTransfer());
    EXPECT_TRUE(shownBoxes().empty());
    const RadioSimulator::Memory radio = m_radio->memory();
    const MemoryImage& image = activeDocument()->image();
    for (size_t i = 0; i < image::kTransferSize; ++i) {
        ASSERT_EQ(radio[i], image.byte(i)) << "offset " << i;
    }
    EXPECT_EQ(image.rxFrequency(2), std::optional<uint32_t>(14501250));
    EXPECT_EQ(frame()->statusBar()->currentMessage(), "Written to the radio on COM1 and verified.");
}

TEST_F(Transfer, ReadEditWriteAndReadAgainShowsTheEdit) {
    startWith({});
    m_radio->setMemory(radioMemory());
    trigger(id::kRead);
    ASSERT_TRUE(runTransfer());
    ChannelView* grid = view()->grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->cellRect(4, 2).center());
    QTest::keyClicks(view()->grid()->openEditor(), "431.25");
    QTest::keyClick(view()->grid()->openEditor(), Qt::Key_Return);
    trigger(id::kWrite);
    ASSERT_TRUE(runTransfer());
    // Someone else's edit in the grid, then the radio read back over it.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->cellRect(4, 1).center());
    QTest::keyClick(view()->grid()->openEditor(), Qt::Key_Backspace);
    QTest::keyClick(view()->grid()->openEditor(), Qt::Key_Return);
    EXPECT_EQ(grid->cellText(4, 2), "");
    trigger(id::kRead);
    ASSERT_TRUE(runTransfer());
    EXPECT_TRUE(shownBoxes().empty());
    EXPECT_EQ(grid->cellText(4, 1), "430.00000");
    EXPECT_EQ(grid->cellText(4, 2), "431.25000");
}

TEST_F(Transfer, CancelBeforeOkSendsNothing) {
    startWith({});
    trigger(id::kRead);
    QTest::mouseClick(dialog()->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog()->isVisible());
    QTest::qWait(50);
    EXPECT_EQ(m_radio->handshakes(), 0);
}

TEST_F(Transfer, CancelDuringTheFramesStopsWithoutAMessageAndKeepsTheDocument) {
    SimulatorOptions paced;
    paced.paced = true;
    startWith(paced);
    m_radio->setMemory(radioMemory());
    const MemoryImage before = activeDocument()->image();
    trigger(id::kRead);
    QTimer::singleShot(400, dialog()->cancelButton(), [this] { dialog()->cancelButton()->click(); });
    ASSERT_TRUE(runTransfer());
    EXPECT_TRUE(shownBoxes().empty());
    const int rows = dialog()->numberLabel()->text().toInt();
    EXPECT_GT(rows, 0);
    EXPECT_LT(rows, 51);
    EXPECT_EQ(activeDocument()->image(), before);
    EXPECT_EQ(view()->grid()->cellText(4, 1), "");
}

TEST_F(Transfer, NothingDestroysTheDocumentWhileItsTransferRuns) {
    SimulatorOptions paced;
    paced.paced = true;
    startWith(paced);
    ChildFrame* child = activeChild();
    trigger(id::kRead);
    MessageBox::answerNext(QMessageBox::Ok); // File New's warning, should it come
    QTimer::singleShot(300, [this] {
        trigger(id::kFileNew);
        frame()->close();
    });
    ASSERT_TRUE(runTransfer());
    EXPECT_EQ(activeChild(), child);
    EXPECT_TRUE(frame()->isVisible());
    EXPECT_EQ(dialog()->numberLabel()->text(), "51");
}

// The progress dialog waits for OK for the first document; Write in a second window raises it,
// and nothing there starts a second transfer.
TEST_F(Transfer, ASecondDocumentsCommandsDuringATransferStartNothing) {
    SimulatorOptions paced;
    paced.paced = true;
    startWith(paced);
    m_radio->setMemory(radioMemory());
    ProgramDoc* first = activeDocument();
    trigger(id::kRead); // waits for OK
    writeFile(QStringLiteral("b.dat"), testImageBytes(0, 0));
    FileDialog::answerNext(path(QStringLiteral("b.dat")));
    trigger(id::kFileOpen);
    ProgramDoc* second = activeDocument();
    ASSERT_NE(first, second);
    const MemoryImage secondBefore = second->image();
    trigger(id::kWrite);
    EXPECT_EQ(dialog()->windowTitle(), "Read Data") << "the open dialog keeps its document and direction";
    MessageBox::answerNext(QMessageBox::Ok); // File New's warning, should it come
    QTimer::singleShot(300, [this, second] {
        dialog()->okButton()->click();
        frame()->transferController()->write(second);
    });
    QTimer::singleShot(600, [this] { trigger(id::kFileNew); });
    ASSERT_TRUE(runTransfer());
    EXPECT_EQ(dialog()->numberLabel()->text(), "51");
    EXPECT_EQ(m_radio->completedReads(), 1);
    EXPECT_EQ(m_radio->completedWrites(), 0);
    EXPECT_EQ(first->image().rxFrequency(4), std::optional<uint32_t>(43000000)) << "read into the first";
    EXPECT_EQ(second->image(), secondBefore);
    EXPECT_EQ(frame()->childFrames().size(), 2) << "File New waited for the transfer";
}

TEST_F(Transfer, ADocumentDestroyedDuringItsTransferTakesNothingAndTheLineIsFreeAgain) {
    SimulatorOptions paced;
    paced.paced = true;
    startWith(paced);
    m_radio->setMemory(radioMemory());
    trigger(id::kRead);
    QTimer::singleShot(300, [this] { frame()->destroyChild(activeChild()); });
    ASSERT_TRUE(runTransfer());
    EXPECT_EQ(activeChild(), nullptr);
    EXPECT_FALSE(context()->isTransferRunning());
    EXPECT_TRUE(frame()->commandAction(id::kFileNew)->isEnabled());
}

TEST_F(Transfer, RetryAfterAMissingAcknowledgementThenSuccess) {
    SimulatorOptions off;
    off.ignoreHandshake = true;
    startWith(off);
    m_radio->setMemory(radioMemory());
    MessageBox::answerNext(QMessageBox::Retry);
    trigger(id::kRead);
    // The radio is switched on once it has ignored the first attempt's handshake.
    QTimer switchOn;
    QObject::connect(&switchOn, &QTimer::timeout, [this] {
        if (m_radio->handshakes() >= 1) {
            m_radio->setIgnoreHandshake(false);
        }
    });
    switchOn.start(1);
    ASSERT_TRUE(runTransfer());
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.split("\n\n").value(0),
              "Communication Error,Please check all the connections and the radio power");
    EXPECT_TRUE(boxes[0].text.contains("\n\nCOM1: " + QString::fromStdString(m_radio->devicePath()) + "\n"))
        << qPrintable(boxes[0].text);
    EXPECT_TRUE(boxes[0].text.contains("this may be the wrong port"));
    EXPECT_TRUE(boxes[0].text.contains("Save Log... keeps every byte"));
    EXPECT_EQ(boxes[0].buttons, QMessageBox::Retry | QMessageBox::Cancel);
    EXPECT_EQ(dialog()->numberLabel()->text(), "51");
}

struct WrongRadioCase {
    const char* language;
    const char* text;
    const char* caption;
};

class TransferWrongRadio : public Transfer, public ::testing::WithParamInterface<WrongRadioCase> {};

TEST_P(TransferWrongRadio, IsRefusedInTheInterfacesLanguage) {
    const WrongRadioCase& c = GetParam();
    SimulatorOptions other;
    other.identity = {'P', '3', '1', '0', '7', 0, 0, 0};
    startWith(other, QString::fromLatin1(c.language));
    trigger(id::kRead);
    EXPECT_EQ(dialog()->windowTitle(), QString::fromUtf8(c.language[0] == 'C' ? "读数据" : "Read Data"));
    ASSERT_TRUE(runTransfer());
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromUtf8(c.text));
    EXPECT_EQ(boxes[0].caption, QString::fromUtf8(c.caption));
}

INSTANTIATE_TEST_SUITE_P(
    Languages, TransferWrongRadio,
    ::testing::Values(
        WrongRadioCase{"English", "Becuase the type of radio does not match,\ncommunications is interrupt.",
                       "Caution"},
        WrongRadioCase{"Chinese", "对讲机类型不匹配,无法通讯。", "警告"}),
    [](const ::testing::TestParamInfo<WrongRadioCase>& row) { return std::string(row.param.language); });

// The port of every transfer, in every document window: the one this user chose last, also
// after a restart; one without a device fails naming it, and no other port is tried.
struct PortCase {
    const char* name;
    uint32_t rememberedCom; // 0: nothing remembered
    int radioPort;          // the port [Setup] COMn points at the radio
    bool chooseCom2;        // COM Setup, COM2, OK in the first window
    const char* message;    // the start of the box's second paragraph; nullptr: the read works
};

class TransferPort : public Transfer, public ::testing::WithParamInterface<PortCase> {};

TEST_P(TransferPort, IsTheOneChosenInEveryWindow) {
    const PortCase& c = GetParam();
    if (c.rememberedCom != 0) {
        UserSettings("TestRadio").writeValue("com", c.rememberedCom);
    }
    startWith({}, QStringLiteral("English"), false);
    m_radio->setMemory(radioMemory());
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("machine"))));
    context()->setDeviceRoot(QFile::encodeName(path(QStringLiteral("machine"))).toStdString());
    ASSERT_TRUE(context()->programSettings().storePortDevice(c.radioPort, m_radio->devicePath()));
    if (c.chooseCom2) {
        runModal([this] { trigger(id::kComSetup); },
                 [](QWidget* modal) {
                     auto* dialog = qobject_cast<ComSetupDlg*>(modal);
                     ASSERT_NE(dialog, nullptr);
                     dialog->portButton(2)->setChecked(true);
                     dialog->accept();
                 });
        EXPECT_EQ(UserSettings("TestRadio").readValue("com", 0), 2u);
    }
    writeFile(QStringLiteral("b.dat"), testImageBytes(0, 0));
    FileDialog::answerNext(path(QStringLiteral("b.dat")));
    trigger(id::kFileOpen);
    trigger(id::kRead);
    ASSERT_TRUE(runTransfer());
    const auto boxes = shownBoxes();
    if (c.message == nullptr) {
        EXPECT_TRUE(boxes.empty()) << qPrintable(boxes.empty() ? QString() : boxes[0].text);
        EXPECT_EQ(m_radio->completedReads(), 1);
    } else {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].text.split("\n\n").value(1).startsWith(c.message)) << qPrintable(boxes[0].text);
        EXPECT_EQ(m_radio->handshakes(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ports, TransferPort,
    ::testing::Values(PortCase{"NothingRememberedIsCom1", 0, 1, false, nullptr},
                      PortCase{"RememberedCom2", 2, 2, false, nullptr},
                      PortCase{"ChosenInComSetup", 0, 2, true, nullptr},
                      PortCase{"RememberedWithoutDevice", 3, 2, false,
                               "COM3: No serial device stands for this port on this computer"}),
    [](const ::testing::TestParamInfo<PortCase>& row) { return std::string(row.param.name); });

TEST_F(Transfer, APortThatCannotBeOpenedSaysWhy) {
    startWith({});
    context()->setDemoDevice("/dev/no-such-radio-port");
    trigger(id::kRead);
    ASSERT_TRUE(runTransfer());
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(
        boxes[0].text.startsWith("Could not Open the Port,Please check whether the Port are occupied"));
    EXPECT_TRUE(boxes[0].text.contains("/dev/no-such-radio-port"));
    EXPECT_EQ(m_radio->handshakes(), 0);
}

TEST_F(Transfer, ChannelsTypedSavedReopenedAndWrittenReachTheRadioAsTyped) {
    startWith({});
    ChannelView* grid = view()->grid();
    const auto typed = [](int ch) { return 14500000u + static_cast<uint32_t>(ch) * 12500u; };
    for (int ch = 1; ch <= 16; ++ch) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->cellRect(ch, 1).center());
        const QString digits = QString::number(typed(ch));
        QTest::keyClicks(view()->grid()->openEditor(),
                         QStringLiteral("%1.%2").arg(digits.left(3), digits.mid(3)));
        QTest::keyClick(view()->grid()->openEditor(), Qt::Key_Return);
    }
    FileDialog::answerNext(path(QStringLiteral("sixteen.dat")));
    trigger(id::kFileSaveAs);
    frame()->destroyChild(activeChild());
    FileDialog::answerNext(path(QStringLiteral("sixteen.dat")));
    trigger(id::kFileOpen);
    ASSERT_NE(activeChild(), nullptr);
    EXPECT_EQ(view()->grid()->cellText(16, 2), "147.00000");
    trigger(id::kWrite);
    ASSERT_TRUE(runTransfer());
    EXPECT_TRUE(shownBoxes().empty());
    MemoryImage radio;
    const RadioSimulator::Memory memory = m_radio->memory();
    std::copy(memory.begin(), memory.end(), radio.data());
    for (int ch = 1; ch <= 16; ++ch) {
        EXPECT_EQ(radio.rxFrequency(ch), std::optional<uint32_t>(typed(ch))) << ch;
        EXPECT_EQ(radio.txFrequency(ch), std::optional<uint32_t>(typed(ch))) << ch;
        EXPECT_TRUE(radio.isScanned(ch));
        EXPECT_EQ(radio.rxTone(ch), Tone::none());
    }
}

} // namespace

// While a transfer runs, its document can be looked at but not changed, saved, closed or
// replaced; the window goes on painting and Cancel is prompt.
class TransferBusy : public Transfer, public ::testing::WithParamInterface<int> {};

TEST_P(TransferBusy, LeavesTheDocumentAloneAndStaysResponsive) {
    const int command = GetParam();
    SimulatorOptions paced;
    paced.paced = true;
    startWith(paced);
    m_radio->setMemory(radioMemory());
    addChannel();
    activeDocument()->setModifiedFlag(false);
    const MemoryImage before = activeDocument()->image();
    trigger(command);
    QTest::mouseClick(dialog()->okButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialog()->numberLabel()->text().toInt() >= 3; }, 10000));

    using namespace id;
    for (int disabled :
         {kFileNew, kFileClose, kFileSave, kFileSaveAs, kFilePrint, kFilePrintPreview, kProductInformation,
          kOptionalFeatures, kComSetup, kRead, kWrite, kLanguage, kAppExit}) {
        EXPECT_FALSE(frame()->commandAction(disabled)->isEnabled()) << "command " << disabled;
    }
    EXPECT_FALSE(view()->grid()->isEnabled());
    // The page buttons of the navigation bar run the same commands: nothing opens.
    trigger(kOptionalFeatures);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(frame()->close());
    // The user-interface thread is free: timers fire and the window paints while rows arrive.
    const int rowsBefore = dialog()->numberLabel()->text().toInt();
    QElapsedTimer painting;
    painting.start();
    EXPECT_FALSE(frame()->grab().isNull());
    EXPECT_LT(painting.elapsed(), 1000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog()->numberLabel()->text().toInt() > rowsBefore; }, 5000));

    QElapsedTimer cancelled;
    cancelled.start();
    QTest::mouseClick(dialog()->cancelButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !dialog()->isVisible(); }, 5000));
    EXPECT_LT(cancelled.elapsed(), 300) << "Cancel takes effect within about 100 ms";
    if (command == kRead) {
        EXPECT_EQ(activeDocument()->image(), before) << "a cancelled read changes nothing";
        EXPECT_FALSE(activeDocument()->isModified());
    }
    for (int enabled : {kFileNew, kFileSave, kOptionalFeatures, kRead, kWrite}) {
        EXPECT_TRUE(frame()->commandAction(enabled)->isEnabled()) << "command " << enabled;
    }
    EXPECT_TRUE(view()->grid()->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Directions, TransferBusy, ::testing::Values(id::kRead, id::kWrite),
                         [](const ::testing::TestParamInfo<int>& row) {
                             return std::string(row.param == id::kRead ? "Read" : "Write");
                         });

TEST_F(Transfer, EnterStartsEveryTransferAgain) {
    startWith({});
    m_radio->setMemory(radioMemory());
    for (int round = 0; round < 3; ++round) {
        if (round == 1) {
            // Something the radio does not hold yet, so that the write sends it.
            MemoryImage image = activeDocument()->image();
            image.setRxFrequency(4, 43125000);
            activeDocument()->applyChange(QStringLiteral("an edit"), image);
        }
        trigger(round == 1 ? id::kWrite : id::kRead);
        ASSERT_TRUE(dialog()->isVisible());
        EXPECT_TRUE(dialog()->okButton()->isDefault()) << "round " << round;
        QTest::keyClick(dialog(), Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !dialog()->isVisible(); }, 20000)) << "round " << round;
        EXPECT_EQ(dialog()->numberLabel()->text(), "51") << "round " << round;
    }
    EXPECT_EQ(m_radio->completedReads(), 4) << "two reads, and the write's backup and verify";
    EXPECT_EQ(m_radio->completedWrites(), 1);
}

TEST_F(Transfer, ASecondEnterDuringATransferDoesNotCancelIt) {
    SimulatorOptions paced;
    paced.paced = true;
    startWith(paced);
    m_radio->setMemory(radioMemory());
    trigger(id::kRead);
    ASSERT_TRUE(QTest::qWaitFor([this] {
        dialog()->activateWindow();
        return QApplication::activeWindow() == dialog();
    }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialog()->numberLabel()->text().toInt() >= 2; }, 10000));
    EXPECT_EQ(QApplication::focusWidget(), dialog()->progressBar());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(dialog(), Qt::Key_Enter);
    const int rows = dialog()->numberLabel()->text().toInt();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog()->numberLabel()->text().toInt() > rows + 2; }, 5000));
    EXPECT_FALSE(dialog()->isCancelled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !dialog()->isVisible(); }, 5000));
    EXPECT_TRUE(dialog()->isCancelled());
    EXPECT_LT(dialog()->numberLabel()->text().toInt(), 51);
}

TEST_F(Transfer, ACancelledWriteWarnsAndCanPutTheBackupBack) {
    SimulatorOptions paced;
    paced.paced = true;
    startWith(paced);
    const RadioSimulator::Memory before = radioMemory();
    m_radio->setMemory(before);
    MemoryImage image = activeDocument()->image();
    image.setRxFrequency(1, 14650000); // the radio holds nothing on channel 1
    image.setTxFrequency(1, 14650000);
    activeDocument()->applyChange(QStringLiteral("a channel"), image);
    trigger(id::kWrite);
    QTest::mouseClick(dialog()->okButton(), Qt::LeftButton);
    const QString writing = QString::fromUtf8(jobStageText(JobStage::Write, Language::English));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return dialog()->stageLabel()->text() == writing && dialog()->numberLabel()->text().toInt() >= 5;
        },
        20000));
    MessageBox::answerNext(QMessageBox::Reset);
    QTest::mouseClick(dialog()->cancelButton(), Qt::LeftButton);
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return m_radio->completedWrites() == 1 && !dialog()->isVisible(); }, 30000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !activeDocument()->isBusy(); }, 5000));
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u) << "the warning, and no message after the restore";
    EXPECT_EQ(boxes[0].buttons, QMessageBox::Retry | QMessageBox::Reset | QMessageBox::Close);
    EXPECT_EQ(boxes[0].buttonTexts.value(QMessageBox::Retry), "Write Again");
    EXPECT_EQ(boxes[0].buttonTexts.value(QMessageBox::Reset), "Restore Backup");
    const RadioSimulator::Memory after = m_radio->memory();
    for (size_t i = 0; i < image::kTransferSize; ++i) {
        ASSERT_EQ(after[i], before[i]) << "offset " << i;
    }
    // The images went to the user's history: the backup, and what the restore wrote.
    RadioHistory history(RadioHistory::defaultFolder("TestRadio"));
    const std::vector<HistoryEntry> entries = history.entries();
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[0].kind, HistoryKind::Written);
    EXPECT_EQ(entries.back().kind, HistoryKind::BeforeWrite);
}

TEST_F(Transfer, ACancelledVerifySaysTheRadioWasWrittenButNotVerified) {
    SimulatorOptions paced;
    paced.paced = true;
    startWith(paced);
    context()->setWriteChoice(AppContext::WriteChoice::Backup, false);
    addChannel();
    trigger(id::kWrite);
    QTest::mouseClick(dialog()->okButton(), Qt::LeftButton);
    const QString verifying = QString::fromUtf8(jobStageText(JobStage::Verify, Language::English));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog()->stageLabel()->text() == verifying; }, 20000));
    QTest::mouseClick(dialog()->cancelButton(), Qt::LeftButton);
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !dialog()->isVisible() && !activeDocument()->isBusy(); }, 10000));
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].icon, QMessageBox::Information);
    EXPECT_TRUE(boxes[0].text.contains("written completely, but not read back"))
        << boxes[0].text.toStdString();
    EXPECT_EQ(m_radio->completedWrites(), 1);
}

TEST_F(Transfer, WriteAgainAfterACancelWritesTheDocument) {
    SimulatorOptions paced;
    paced.paced = true;
    startWith(paced);
    m_radio->setMemory(radioMemory());
    context()->setWriteChoice(AppContext::WriteChoice::Backup, false);
    context()->setWriteChoice(AppContext::WriteChoice::Verify, false);
    addChannel();
    trigger(id::kWrite);
    QTest::mouseClick(dialog()->okButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialog()->numberLabel()->text().toInt() >= 5; }, 20000));
    MessageBox::answerNext(QMessageBox::Retry);
    QTest::mouseClick(dialog()->cancelButton(), Qt::LeftButton);
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return m_radio->completedWrites() == 1 && !dialog()->isVisible(); }, 30000));
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].buttons, QMessageBox::Retry | QMessageBox::Close) << "no backup was read to put back";
    EXPECT_EQ(m_radio->completedReads(), 0) << "backup and verify were switched off";
    const RadioSimulator::Memory radio = m_radio->memory();
    for (size_t i = 0; i < image::kTransferSize; ++i) {
        ASSERT_EQ(radio[i], activeDocument()->image().byte(i)) << "offset " << i;
    }
}

TEST_F(Transfer, RadioHistoryOpensAReadImageAsANewDocument) {
    startWith({});
    m_radio->setMemory(radioMemory());
    EXPECT_FALSE(frame()->commandAction(id::kSaveLog)->isEnabled()) << "no transfer yet";
    trigger(id::kRead);
    ASSERT_TRUE(runTransfer());
    ProgramDoc* readInto = activeDocument();
    int listed = 0;
    runModal([this] { trigger(id::kRadioHistory); },
             [&](QWidget* modal) {
                 auto* dialog = qobject_cast<RadioHistoryDlg*>(modal);
                 ASSERT_NE(dialog, nullptr);
                 listed = dialog->list()->topLevelItemCount();
                 ASSERT_GT(listed, 0);
                 EXPECT_EQ(dialog->list()->topLevelItem(0)->text(1), "Read");
                 EXPECT_EQ(dialog->list()->topLevelItem(0)->text(3), "HT-B");
                 EXPECT_EQ(dialog->list()->topLevelItem(0)->text(4), "400 - 470MHz");
                 EXPECT_EQ(dialog->list()->topLevelItem(0)->text(5), "1") << "channels in use";
                 dialog->openButton()->click();
             });
    EXPECT_EQ(listed, 1);
    ASSERT_NE(activeDocument(), readInto);
    EXPECT_EQ(frame()->childFrames().size(), 2);
    EXPECT_TRUE(activeDocument()->isModified()) << "an image from the history has no file yet";
    EXPECT_TRUE(activeDocument()->title().endsWith(" read"));
    for (size_t i = 0; i < image::kTransferSize; ++i) {
        ASSERT_EQ(activeDocument()->image().byte(i), readInto->image().byte(i)) << "offset " << i;
    }
    EXPECT_EQ(view()->grid()->cellText(4, 1), "430.00000");

    // The log of that transfer, every byte on the wire, can be kept.
    ASSERT_TRUE(frame()->commandAction(id::kSaveLog)->isEnabled());
    FileDialog::answerNext(path(QStringLiteral("read.log")));
    trigger(id::kSaveLog);
    const QByteArray log = readFile(QStringLiteral("read.log"));
    EXPECT_TRUE(log.contains(" open ")) << log.left(200).constData();
    EXPECT_TRUE(log.contains(">  02")) << "the handshake's first byte";
}

TEST_F(Transfer, BackupAndVerifyAreTheUsersChoice) {
    startWith({});
    QAction* backup = frame()->commandAction(id::kBackupBeforeWrite);
    QAction* verify = frame()->commandAction(id::kVerifyAfterWrite);
    EXPECT_TRUE(backup->isChecked());
    EXPECT_TRUE(verify->isChecked());
    backup->trigger();
    EXPECT_FALSE(backup->isChecked());
    EXPECT_FALSE(context()->writeChoice(AppContext::WriteChoice::Backup));
    EXPECT_TRUE(context()->writeChoice(AppContext::WriteChoice::Verify));
    // The choice is remembered per user.
    UserSettings store("TestRadio");
    EXPECT_EQ(store.readValue("Backup", 7), 0u);
    addChannel();
    trigger(id::kWrite);
    ASSERT_TRUE(runTransfer());
    EXPECT_EQ(m_radio->completedReads(), 1) << "verify only";
    EXPECT_EQ(m_radio->completedWrites(), 1);
    verify->trigger();
    trigger(id::kWrite);
    ASSERT_TRUE(runTransfer());
    EXPECT_EQ(m_radio->completedReads(), 1);
    EXPECT_EQ(frame()->statusBar()->currentMessage(), "Written to the radio on COM1.");
}

TEST_F(Transfer, AVerifyMismatchNamesTheChannelAndFieldAndOffersToWriteAgain) {
    SimulatorOptions corrupt;
    corrupt.corruptAtFrame = 20; // frame 20 carries the first half of row 10
    startWith(corrupt);
    m_radio->setMemory(radioMemory());
    addChannel();
    trigger(id::kWrite);
    ASSERT_TRUE(runTransfer());
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains("a difference in the Rx Frequency of channel 10:"))
        << qPrintable(boxes[0].text);
    EXPECT_EQ(boxes[0].buttons, QMessageBox::Retry | QMessageBox::Reset | QMessageBox::Close);
    EXPECT_EQ(m_radio->completedWrites(), 1);
    EXPECT_EQ(m_radio->completedReads(), 2) << "backup and verify";
}

TEST_F(Transfer, AFailedBackupStopsTheWriteUntilTheUserWritesWithoutIt) {
    SimulatorOptions shortReply;
    shortReply.shortReplyAtFrame = 5; // every read breaks off at frame 5; writes go through
    startWith(shortReply);
    m_radio->setMemory(radioMemory());
    context()->setWriteChoice(AppContext::WriteChoice::Verify, false);
    addChannel();
    trigger(id::kWrite);
    ASSERT_TRUE(runTransfer());
    auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains("nothing was written")) << qPrintable(boxes[0].text);
    EXPECT_EQ(boxes[0].buttons, QMessageBox::Ignore | QMessageBox::Cancel);
    EXPECT_EQ(boxes[0].buttonTexts.value(QMessageBox::Ignore), "Write Without Backup");
    EXPECT_EQ(m_radio->completedWrites(), 0);

    MessageBox::answerNext(QMessageBox::Ignore);
    trigger(id::kWrite);
    ASSERT_TRUE(runTransfer());
    // A failed backup and a whole write after it: generous for a loaded machine.
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return m_radio->completedWrites() == 1 && !dialog()->isVisible(); }, 60000));
    boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u) << "the second failed backup, answered with Write Without Backup";
    const RadioSimulator::Memory radio = m_radio->memory();
    for (size_t i = 0; i < image::kTransferSize; ++i) {
        ASSERT_EQ(radio[i], activeDocument()->image().byte(i)) << "offset " << i;
    }
}

// A write that would put channels outside the band into the radio, or leave it with no channel,
// asks first; Enter (the default) keeps the radio as it is.
TEST_F(Transfer, AWriteOfChannelsOutsideTheBandOrOfNoChannelAsksFirst) {
    struct Case {
        const char* name;
        uint32_t channel3; // receive and transmit frequency of channel 3; 0 for none
        QMessageBox::StandardButton answer;
        const char* asked;
    } cases[] = {
        {"NoChannel", 0, QMessageBox::Cancel,
         "No channel is in use: writing leaves the radio with no channels."},
        {"OutsideCancelled", 45000000, QMessageBox::Cancel,
         "Channel 3 is outside the band 136.00000 to 174.00000 MHz."},
        {"OutsideWritten", 45000000, QMessageBox::Ok,
         "Channel 3 is outside the band 136.00000 to 174.00000 MHz."},
    };
    startWith({});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryImage image = activeDocument()->image();
        image.setRxFrequency(3, c.channel3);
        image.setTxFrequency(3, c.channel3);
        activeDocument()->applyChange(QStringLiteral("channel 3"), image);
        MessageBox::answerNext(c.answer);
        trigger(id::kWrite);
        const auto boxes = shownBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.asked + QStringLiteral("\n\nWrite to the radio anyway?"));
        EXPECT_EQ(boxes[0].defaultButton, QMessageBox::Cancel);
        const bool written = c.answer == QMessageBox::Ok;
        ASSERT_EQ(dialog()->isVisible(), written) << "the progress dialog opens only for a write";
        ASSERT_TRUE(!written || runTransfer());
        EXPECT_EQ(m_radio->completedWrites(), written ? 1 : 0);
    }
}

// After the backup a write lists what it changes and asks (Cancel sends nothing), says when the
// radio seems another model, and writes nothing the radio already holds unless asked again.
TEST_F(Transfer, AWriteShowsItsChangesAndSkipsWhatTheRadioHolds) {
    struct Case {
        const char* name;
        bool change;    // channel 4's Rx Frequency 430 -> 431.25 MHz
        bool otherType; // the document is of the other radio type (the same band limits)
        bool write;     // the answer: Write, Write Anyway; otherwise Cancel, OK
        int writes;
        const char* status;
    } cases[] = {
        {"Cancelled", true, false, false, 0, "Nothing was written to the radio on COM1."},
        {"WrittenOverAnotherModel", true, true, true, 1, "Written to the radio on COM1 and verified."},
        {"AlreadyHeld", false, false, false, 0,
         "Nothing was written: the radio on COM1 already holds this document."},
        {"AlreadyHeldWrittenAnyway", false, false, true, 1, "Written to the radio on COM1 and verified."},
    };
    m_showChanges = true;
    startWith({});
    EXPECT_TRUE(frame()->commandAction(id::kShowChangesBeforeWriting)->isChecked())
        << "on unless switched off";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_radio->setMemory(radioMemory());
        trigger(id::kRead);
        ASSERT_TRUE(runTransfer());
        MemoryImage image = activeDocument()->image();
        if (c.change) {
            image.setRxFrequency(4, 43125000);
        }
        image.setRadioType(c.otherType ? 0 : 1);
        image.setBand(c.otherType ? 1 : 0);
        activeDocument()->applyChange(QStringLiteral("an edit"), image);
        const int writesBefore = m_radio->completedWrites();
        QStringList listed;
        QString text;
        QString advice;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto* changes = qobject_cast<ChangesDlg*>(QApplication::activeModalWidget())) {
                for (int i = 0; i < changes->list()->topLevelItemCount(); ++i) {
                    const QTreeWidgetItem* item = changes->list()->topLevelItem(i);
                    listed << QStringList{item->text(0), item->text(1), item->text(2), item->text(3)}.join(
                        '|');
                }
                text = changes->findChild<QLabel*>()->text();
                advice = changes->findings()->toPlainText();
                c.write ? changes->button(ChangesDlg::Answer::Write)->click() : changes->reject();
            }
        });
        answer.start(10);
        MessageBox::answerNext(c.write ? QMessageBox::Ignore : QMessageBox::Ok);
        trigger(id::kWrite);
        ASSERT_TRUE(runTransfer());
        ASSERT_TRUE(
            QTest::qWaitFor([this] { return !activeDocument()->isBusy() && !dialog()->isVisible(); }));
        EXPECT_EQ(listed.contains("Rx Frequency|4|430.00000|431.25000"), c.change)
            << qPrintable(listed.join('\n'));
        EXPECT_EQ(text.contains("another model"), c.otherType) << qPrintable(text);
        EXPECT_EQ(advice.startsWith("CH 4, QT/DQT Enc: a decode tone without an encode tone"), c.change)
            << "advice on the D754I channel under the changes: " << qPrintable(advice);
        const auto boxes = shownBoxes();
        ASSERT_EQ(boxes.size(), c.change ? 0u : 1u);
        if (!c.change) {
            EXPECT_EQ(boxes[0].text,
                      "The radio already holds these channels and options; nothing was written.");
            EXPECT_EQ(boxes[0].buttonTexts.value(QMessageBox::Ignore), "Write Anyway");
        }
        EXPECT_EQ(m_radio->completedWrites() - writesBefore, c.writes);
        EXPECT_EQ(frame()->statusBar()->currentMessage(), c.status);
    }
}

// Compare with Radio reads the radio into nothing but the history and lists where it differs;
// its contents open as a new document. A file that holds the document's image is no difference.
TEST_F(Transfer, CompareWithRadioListsTheDifferencesAndOpensTheRadiosContents) {
    startWith({});
    m_radio->setMemory(radioMemory());
    trigger(id::kRead);
    ASSERT_TRUE(runTransfer());
    MemoryImage image = activeDocument()->image();
    image.setRxFrequency(4, 43125000);
    activeDocument()->applyChange(QStringLiteral("an edit"), image);
    ProgramDoc* doc = activeDocument();
    QStringList listed;
    trigger(id::kCompareWithRadio);
    runModal(
        [this] { ASSERT_TRUE(runTransfer()); },
        [&](QWidget* modal) {
            auto* changes = qobject_cast<ChangesDlg*>(modal);
            ASSERT_NE(changes, nullptr);
            for (int i = 0; i < changes->list()->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* item = changes->list()->topLevelItem(i);
                listed << QStringList{item->text(0), item->text(1), item->text(2), item->text(3)}.join('|');
            }
            changes->button(ChangesDlg::Answer::OpenRadio)->click();
        });
    EXPECT_EQ(listed, QStringList{"Rx Frequency|4|430.00000|431.25000"});
    EXPECT_EQ(doc->image(), image) << "the document is unchanged";
    ASSERT_NE(activeDocument(), doc);
    EXPECT_EQ(view()->grid()->cellText(4, 1), "430.00000");
    EXPECT_TRUE(activeDocument()->title().endsWith(" read")) << qPrintable(activeDocument()->title());
    EXPECT_EQ(m_radio->completedReads(), 2);
    EXPECT_EQ(m_radio->completedWrites(), 0);

    FileDialog::answerNext(path(QStringLiteral("radio.dat")));
    trigger(id::kFileSaveAs);
    FileDialog::answerNext(path(QStringLiteral("radio.dat")));
    trigger(id::kCompareWithFile);
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, path(QStringLiteral("radio.dat")) + " holds the same image as this document.");
}

TEST_F(Transfer, AReadCanBeUndoneAndGivesTheUnsavedEditsBack) {
    startWith({});
    m_radio->setMemory(radioMemory());
    MemoryImage edited = activeDocument()->image();
    edited.setRxFrequency(7, 14700000);
    edited.setTxFrequency(7, 14700000);
    activeDocument()->applyChange(QStringLiteral("an edit"), edited);
    trigger(id::kRead);
    ASSERT_TRUE(runTransfer());
    EXPECT_EQ(view()->grid()->cellText(7, 1), "");
    EXPECT_EQ(view()->grid()->cellText(4, 1), "430.00000");
    QAction* undo = frame()->commandAction(id::kEditUndo);
    EXPECT_EQ(undo->text(), "&Undo Read from Radio");
    undo->trigger();
    EXPECT_EQ(view()->grid()->cellText(7, 1), "147.00000");
    EXPECT_EQ(view()->grid()->cellText(4, 1), "");
    EXPECT_EQ(activeDocument()->image(), edited);
    EXPECT_EQ(frame()->caption(), QStringLiteral("Test Programmer  [ Type:HT-A  Fre:136 - 174MHz ]"))
        << "type and band follow the image back";
}

TEST_F(Transfer, AnErasedRadioIsNoChoiceOfTypeForTheNextDocuments) {
    startWith({});
    m_radio->setMemory(radioMemory());
    trigger(id::kRead);
    ASSERT_TRUE(runTransfer());
    ASSERT_EQ(context()->userSettings().readValue("Type", 99), 1u);

    RadioSimulator::Memory erased{};
    erased.fill(0xFF);
    m_radio->setMemory(erased);
    trigger(id::kRead);
    ASSERT_TRUE(runTransfer());
    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith("The radio holds no type and band that Program.ini lists (type 255, "
                                         "band 255). Choose them in Edit > Product Information"));
    EXPECT_EQ(frame()->caption(),
              QStringLiteral("Test Programmer  [ Type:(not in Program.ini)  Fre:(not in Program.ini) ]"));
    EXPECT_EQ(activeDocument()->image().radioType(), 0xFF) << "the document shows what the radio holds";
    EXPECT_EQ(context()->userSettings().readValue("Type", 99), 1u) << "but it is not remembered";

    MessageBox::answerNext(QMessageBox::No); // "Save changes to ...?": the read goes
    trigger(id::kFileNew);
    EXPECT_EQ(activeDocument()->image().radioType(), 1);
    EXPECT_EQ(view()->bandLimits().min10Hz, 40000000) << "a new document takes frequencies of its band";
}

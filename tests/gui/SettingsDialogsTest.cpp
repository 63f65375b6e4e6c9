#include "dialogs/OptionalFeaturesDlg.h"
#include "dialogs/ProductInfoDlg.h"
#include "radio/ProcessDlg.h"
#include "radio/RadioHistoryDlg.h"

#include "app/MessageBox.h"

#include "settings/IniFile.h"
#include "settings/MemorySettings.h"
#include "settings/ProgramIni.h"
#include "text/CoreTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class ProductInfoDlgTest : public testing::Test {
protected:
    void SetUp() override {
        m_path = fs::temp_directory_path() / ("productinfo-" + std::to_string(::getpid()) + ".ini");
        std::ofstream(m_path) << "[Setup]\nType1=A\nField1=130 - 160MHz\nType2=B\n"
                                 "Field2=400 - 470MHz|136 - 174MHz\nType4=D\n";
        ASSERT_TRUE(m_file.load(m_path.string(), false, true));
        m_image.setRadioType(0); // as a new document takes them: type A, band 130 - 160MHz
        m_image.setBand(0);
    }
    void TearDown() override { fs::remove(m_path); }
    fs::path m_path;
    IniFile m_file;
    ProgramIni m_ini{m_file};
    MemorySettings m_store;
    MemoryImage m_image = MemoryImage::newDocument();
};

TEST_F(ProductInfoDlgTest, OpensOnTheRememberedChoiceNotTheDocuments) {
    m_store.writeValue("Type", 1);
    m_store.writeValue("Field", 1);
    m_image.setRadioType(0);
    ProductInfoDlg dlg(m_ini, radiomodel::remembered(m_store), m_image);
    EXPECT_EQ(dlg.typeCombo()->count(), 2) << "the list ends at the first missing type";
    EXPECT_EQ(dlg.typeCombo()->currentText(), "B");
    EXPECT_EQ(dlg.bandCombo()->currentText(), "136 - 174MHz");
}

TEST_F(ProductInfoDlgTest, ChoosingAnotherTypeSelectsItsFirstBandAndOkGivesEverything) {
    ProductInfoDlg dlg(m_ini, radiomodel::remembered(m_store), m_image);
    dlg.show();
    dlg.typeCombo()->setFocus();
    QTest::keyClick(dlg.typeCombo(), Qt::Key_Down);
    EXPECT_EQ(dlg.typeCombo()->currentText(), "B");
    EXPECT_EQ(dlg.bandCombo()->count(), 2);
    EXPECT_EQ(dlg.bandCombo()->currentIndex(), 0);
    dlg.bandCombo()->setCurrentIndex(1);
    dlg.accept();
    EXPECT_EQ(dlg.image().radioType(), 1);
    EXPECT_EQ(dlg.image().band(), 1);
    EXPECT_EQ(dlg.choice().type, 1u);
    EXPECT_EQ(dlg.choice().band, 1u);
    EXPECT_EQ(dlg.applied().limits.min10Hz, 13600000);
    EXPECT_EQ(dlg.applied().limits.max10Hz, 17400000);
}

TEST_F(ProductInfoDlgTest, RememberedValuePastTheListStoresErasedBytesOnOk) {
    m_store.writeValue("Type", 7);
    ProductInfoDlg dlg(m_ini, radiomodel::remembered(m_store), m_image);
    EXPECT_EQ(dlg.typeCombo()->currentIndex(), -1);
    EXPECT_EQ(dlg.bandCombo()->count(), 1) << "no type gives one empty band";
    dlg.accept();
    EXPECT_EQ(dlg.image().radioType(), 0xFF);
    EXPECT_EQ(dlg.applied().typeName, "");
}

TEST_F(ProductInfoDlgTest, ADocumentWithoutAListedTypeAndBandShowsNoChoice) {
    m_store.writeValue("Type", 1);
    m_image.setRadioType(0xFF); // an erased radio
    ProductInfoDlg dlg(m_ini, radiomodel::remembered(m_store), m_image);
    EXPECT_EQ(dlg.typeCombo()->currentIndex(), -1) << "not the remembered B";
    dlg.typeCombo()->setCurrentIndex(1);
    emit dlg.typeCombo()->activated(1);
    dlg.accept();
    EXPECT_EQ(dlg.image().radioType(), 1);
    EXPECT_EQ(dlg.applied().limits.min10Hz, 40000000) << "type B, its first band";
}

// Channel 1 (145 MHz) lies outside B's 400 - 470MHz, channel 2 (450 MHz) inside.
TEST_F(ProductInfoDlgTest, ABandThatLeavesChannelsOutsideAsksToKeepOrClearThem) {
    struct Case {
        const char* name;
        QMessageBox::StandardButton answer;
        bool accepted;
        bool channel1Kept;
    } cases[] = {{"Keep", QMessageBox::Yes, true, true},
                 {"Clear", QMessageBox::No, true, false},
                 {"Cancel", QMessageBox::Cancel, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryImage image = m_image;
        image.setRxFrequency(1, 14500000);
        image.setTxFrequency(1, 14500000);
        image.setRxFrequency(2, 45000000);
        image.setTxFrequency(2, 45000000);
        MessageBox::setAnsweringMode(true);
        MessageBox::answerNext(c.answer);
        ProductInfoDlg dlg(m_ini, radiomodel::remembered(m_store), image);
        dlg.typeCombo()->setCurrentIndex(1);
        emit dlg.typeCombo()->activated(1);
        dlg.accept();
        const auto boxes = MessageBox::takeShown();
        MessageBox::setAnsweringMode(false);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].text.startsWith("Channel 1 is outside the band 400.00000 to 470.00000 MHz."));
        EXPECT_EQ(boxes[0].defaultButton, QMessageBox::Cancel);
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted);
        EXPECT_EQ(dlg.image().radioType(), c.accepted ? 1 : 0);
        EXPECT_EQ(dlg.image().isInUse(1), c.channel1Kept);
        EXPECT_TRUE(dlg.image().isInUse(2)) << "a channel inside the band stays";
        EXPECT_EQ(dlg.clearedChannels(), c.channel1Kept ? std::vector<int>{} : std::vector<int>{1});
    }
}

TEST_F(ProductInfoDlgTest, CancelChangesNothing) {
    const MemoryImage before = m_image;
    ProductInfoDlg dlg(m_ini, radiomodel::remembered(m_store), m_image);
    dlg.typeCombo()->setCurrentIndex(1);
    dlg.reject();
    EXPECT_EQ(dlg.image(), before);
    EXPECT_EQ(m_store.readValue("Type", 42), 42u);
}

// Radio History names a type and band as Program.ini does, "unknown" where it lists none, and
// shows its last column whole.
TEST_F(ProductInfoDlgTest, RadioHistoryNamesTypesAndBandsAndShowsEveryColumn) {
    const struct {
        uint8_t type;
        uint8_t band;
        const char* typeText;
        const char* bandText;
    } cases[] = {
        {0, 0, "A", "130 - 160MHz"},        {1, 1, "B", "136 - 174MHz"}, {1, 2, "B", "unknown"},
        {3, 0, "unknown", "unknown"}, // Type4 follows a missing Type3
        {0xFF, 0xFF, "unknown", "unknown"},
    };
    QTemporaryDir folder;
    RadioHistory history(folder.path().toStdString());
    for (const auto& c : cases) {
        m_image.setRadioType(c.type);
        m_image.setBand(c.band);
        ASSERT_TRUE(
            history.add(HistoryKind::Read, m_image, "/dev/serial/by-id/usb-Prolific_USB-Serial_Cable-port0"));
    }
    RadioHistoryDlg dialog(history, m_ini, Language::English);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const int count = static_cast<int>(std::size(cases));
    ASSERT_EQ(dialog.list()->topLevelItemCount(), count);
    for (int i = 0; i < count; ++i) {
        const QTreeWidgetItem* item = dialog.list()->topLevelItem(count - 1 - i); // newest first
        EXPECT_EQ(item->text(3), cases[i].typeText) << i;
        EXPECT_EQ(item->text(4), cases[i].bandText) << i;
    }
    EXPECT_EQ(dialog.list()->horizontalScrollBar()->maximum(), 0) << "the Channels column is cut";
}

TEST(OptionalFeaturesDlg, NewDocumentShowsItsDefaultsAndOkChangesNothing) {
    MemoryImage image = MemoryImage::newDocument();
    OptionalFeaturesDlg dlg(image, Language::English);
    EXPECT_EQ(dlg.combo(OptionList::TimeOut)->currentText(), "45s");
    EXPECT_EQ(dlg.combo(OptionList::MonitorKey)->currentText(), "Monitor Momentary");
    EXPECT_EQ(dlg.combo(OptionList::Vox)->currentText(), "Off");
    EXPECT_TRUE(dlg.checkBox(OptionList::KeyBeep)->isChecked());
    EXPECT_TRUE(dlg.checkBox(OptionList::BatterySaver)->isChecked());
    dlg.accept();
    EXPECT_EQ(dlg.image(), MemoryImage::newDocument()) << "the monitor key's byte the list cannot show stays";
}

TEST(OptionalFeaturesDlg, OnlyTheFieldsTheUserChangedAreStored) {
    MemoryImage image = MemoryImage::newDocument();
    image.setByte(image::offset::kSquelch, 0x0A);
    image.setByte(image::offset::kBatterySaver, 0xFE);
    OptionalFeaturesDlg dlg(image, Language::Chinese);
    EXPECT_EQ(dlg.combo(OptionList::Squelch)->currentIndex(), -1);
    EXPECT_FALSE(dlg.checkBox(OptionList::BatterySaver)->isChecked());
    EXPECT_EQ(dlg.combo(OptionList::Voice)->currentText(), "英文");
    dlg.combo(OptionList::TimeOut)->setCurrentIndex(39);
    dlg.combo(OptionList::Vox)->setCurrentIndex(0);
    dlg.accept();
    image = dlg.image();
    EXPECT_EQ(image.byte(image::offset::kTimeOut), 40);
    EXPECT_EQ(image.byte(image::offset::kVox), 1);
    EXPECT_EQ(image.byte(image::offset::kSquelch), 0x0A) << "a radio's own value survives OK";
    EXPECT_EQ(image.byte(image::offset::kBatterySaver), 0xFE);

    // Changed, they follow the lists' arithmetic.
    OptionalFeaturesDlg again(image, Language::Chinese);
    again.combo(OptionList::Squelch)->setCurrentIndex(3);
    again.checkBox(OptionList::BatterySaver)->setChecked(true);
    again.accept();
    image = again.image();
    EXPECT_EQ(image.byte(image::offset::kBatterySaver), 0x01);
    EXPECT_NE(image.byte(image::offset::kSquelch), 0x0A);
}

TEST(OptionalFeaturesDlg, FOneReportsTheFocusedControl) {
    MemoryImage image = MemoryImage::newDocument();
    OptionalFeaturesDlg dlg(image, Language::English);
    dlg.show();
    QSignalSpy spy(&dlg, &HelpDialog::helpRequested);
    dlg.combo(OptionList::VoxDelay)->setFocus();
    QTest::keyClick(&dlg, Qt::Key_F1);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 1140);
}

TEST(ProcessDlg, OkStartsOnceAndCancelBeforeOkClosesWithoutStarting) {
    ProcessDlg dlg;
    dlg.prepare("Read Data");
    dlg.show();
    QSignalSpy started(&dlg, &ProcessDlg::transferRequested);
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    EXPECT_EQ(started.count(), 1);
    EXPECT_FALSE(dlg.okButton()->isEnabled());
    QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(dlg.isCancelled());
    EXPECT_TRUE(dlg.isVisible()) << "a running transfer closes the dialog itself";

    dlg.prepare("Write Data");
    EXPECT_EQ(dlg.numberLabel()->text(), "0");
    QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(started.count(), 1);
}

TEST(ProcessDlg, TheNumberCountsRowsToFiftyOne) {
    ProcessDlg dlg;
    dlg.prepare("Write Data");
    for (int i = 0; i < ProcessDlg::kRowCount; ++i) {
        dlg.stepIt();
    }
    EXPECT_EQ(dlg.numberLabel()->text(), "51");
    EXPECT_EQ(dlg.position(), 51);
}

} // namespace

// The dialog's labels come from core's option table, as the report's and radioprog's do: with
// the Chinese translation loaded they still name each option the table's way.
TEST(OptionalFeaturesDlg, ChineseLabelsAgreeWithTheOptionTable) {
    QTranslator language;
    ASSERT_TRUE(language.load(QStringLiteral(RADIO_BIN_DIR "/Chinese.qm")));
    QCoreApplication::installTranslator(&language);
    MemoryImage image = MemoryImage::newDocument();
    {
        OptionalFeaturesDlg dlg(image, Language::Chinese);
        for (const OptionInfo& info : optionTable()) {
            if (QCheckBox* box = dlg.checkBox(info.list)) {
                EXPECT_EQ(box->text(), QString::fromStdString(optionLabel(info.list, Language::Chinese)));
                continue;
            }
            QComboBox* combo = dlg.combo(info.list);
            ASSERT_NE(combo, nullptr) << info.key;
            QWidget* label = nullptr;
            for (QFormLayout* layout : dlg.findChildren<QFormLayout*>()) {
                if (layout->indexOf(combo) >= 0) {
                    label = layout->labelForField(combo);
                }
            }
            ASSERT_NE(label, nullptr) << info.key;
            EXPECT_EQ(qobject_cast<QLabel*>(label)->text(),
                      QString::fromStdString(optionLabel(info.list, Language::Chinese)))
                << info.key;
        }
        EXPECT_EQ(dlg.checkBox(OptionList::KeyBeep)->text(),
                  QString::fromUtf8(coreText(CoreText::Beep, Language::Chinese)));
        EXPECT_EQ(dlg.checkBox(OptionList::BatterySaver)->text(),
                  QString::fromUtf8(coreText(CoreText::BatterySaver, Language::Chinese)));
    }
    QCoreApplication::removeTranslator(&language);
}

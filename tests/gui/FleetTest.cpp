#include "ProgramFixture.h"

#include "RadioSimulator.h"
#include "app/FileDialog.h"
#include "app/Resource.h"
#include "document/ProgramDoc.h"
#include "frame/MainFrame.h"
#include "radio/FleetDlg.h"
#include "report/FleetReport.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

// Program, Program Several Radios against two simulated radios that COM1 and COM2 stand for.
class Fleet : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        for (auto& radio : m_radios) {
            radio = std::make_unique<RadioSimulator>();
            ASSERT_TRUE(radio->start());
        }
        QString ini = QString::fromUtf8(kTestIni)
                          .replace(QStringLiteral("{Language}"), QStringLiteral("English"))
                          .replace(QStringLiteral("{ShowLang}"), QStringLiteral("1"));
        ini.replace(QStringLiteral("[Setup]\n"), QStringLiteral("[Setup]\nCOM1=%1\nCOM2=%2\n")
                                                     .arg(QString::fromStdString(m_radios[0]->devicePath()),
                                                          QString::fromStdString(m_radios[1]->devicePath())));
        writeIni(ini);
        copyTranslations();
        ASSERT_TRUE(start());
    }

    // A channel in the band, so that the master has something to give.
    void addChannel() {
        MemoryImage image = activeDocument()->image();
        image.setRxFrequency(1, 14650000);
        image.setTxFrequency(1, 14650000);
        activeDocument()->applyChange(QStringLiteral("a channel"), image);
    }

    std::unique_ptr<FleetDlg> openDialog() {
        return std::make_unique<FleetDlg>(*context(), activeDocument()->image(), QStringLiteral("master"),
                                          QStringLiteral("COM1"), m_printer, frame());
    }

    std::unique_ptr<RadioSimulator> m_radios[2];
    QPrinter m_printer;
};

TEST_F(Fleet, OneRoundOnTwoPortsFillsTheTableAndSavesTheLog) {
    addChannel();
    EXPECT_TRUE(frame()->commandAction(id::kProgramSeveralRadios)->isEnabled());
    const std::unique_ptr<FleetDlg> dialog = openDialog();
    dialog->show();
    EXPECT_TRUE(dialog->portBox(0)->isChecked()) << "the document's transfer port";
    EXPECT_FALSE(dialog->portBox(1)->isChecked());
    EXPECT_FALSE(dialog->saveLogButton()->isEnabled());
    dialog->portBox(1)->setChecked(true);
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    ASSERT_TRUE(dialog->isRoundRunning());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->isRoundRunning(); }, 60000));

    QTableWidget* table = dialog->table();
    ASSERT_EQ(table->rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(table->item(row, FleetDlg::RadioColumn)->text(), QString::number(row + 1));
        EXPECT_EQ(table->item(row, FleetDlg::PortColumn)->text(), QStringLiteral("COM%1").arg(row + 1));
        EXPECT_TRUE(table->item(row, FleetDlg::OutcomeColumn)->text().startsWith("written"))
            << qPrintable(table->item(row, FleetDlg::OutcomeColumn)->text());
        EXPECT_EQ(m_radios[row]->completedWrites(), 1);
    }
    EXPECT_EQ(table->accessibleName(), "Radios");
    EXPECT_EQ(table->horizontalHeaderItem(FleetDlg::OutcomeColumn)->text(), "Outcome");

    FileDialog::answerNext(path(QStringLiteral("fleet.csv")));
    ASSERT_TRUE(dialog->saveLog());
    const QList<QByteArray> lines = readFile(QStringLiteral("fleet.csv")).split('\n');
    ASSERT_EQ(lines.size(), 4) << "header, two radios and the last line's end";
    EXPECT_EQ(lines[0], "radio,round,port,device,started,identity,outcome,changes,backup_id,seconds");
    EXPECT_TRUE(lines[1].startsWith("1,1,COM1,")) << lines[1].constData();
    EXPECT_TRUE(lines[2].startsWith("2,1,COM2,")) << lines[2].constData();
    EXPECT_TRUE(lines[1].contains(",written,"));
}

TEST_F(Fleet, AMasterWithoutChannelsStartsNothing) {
    const std::unique_ptr<FleetDlg> dialog = openDialog();
    EXPECT_FALSE(dialog->nextButton()->isEnabled());
    EXPECT_FALSE(dialog->statusLabel()->text().isEmpty());
    QTest::keyClick(dialog.get(), Qt::Key_Space);
    EXPECT_FALSE(dialog->isRoundRunning());
    EXPECT_EQ(m_radios[0]->handshakes(), 0);
}

// The printed summary's pages: as many radios as fit above the footer rule, a long reason on
// lines of its own below its radio, and a radio never split across pages.
TEST(FleetReport, PagesHoldTheRadiosThatFit) {
    const ReportInput input{{4800, 6360, 600, 600}, 391, 313, Language::English, "Radio Shop"};
    ASSERT_EQ(fleetreport::linesPerPage(input.reportLineTwips, input.smallLineTwips), 39);
    const std::string twoLines =
        "the radio did not answer the handshake"; // after "failed while backing up: "
    const struct {
        int radios;
        std::string reason; // "" for a written radio, one line each
        int pages;
    } cases[] = {{0, "", 1}, {39, "", 1}, {40, "", 2}, {19, twoLines, 1}, {20, twoLines, 2}};
    for (const auto& c : cases) {
        std::vector<FleetRecord> records(static_cast<size_t>(c.radios));
        for (FleetRecord& record : records) {
            record.outcome = c.reason.empty() ? FleetOutcome::Written : FleetOutcome::Failed;
            record.reason = c.reason;
        }
        const ReportModel model = buildFleetReport(records, "master.dat", input);
        ASSERT_EQ(model.pageCount(), c.pages) << c.radios << " radios";
        const std::string last = "Page " + std::to_string(c.pages) + " of " + std::to_string(c.pages);
        EXPECT_EQ(model.pages.back().texts.back().text, last);
        // Every line of the body ends above the footer rule.
        const int footerRule = -36 * input.reportLineTwips + input.reportLineTwips / 2;
        for (const ReportPage& page : model.pages) {
            for (const ReportText& text : page.texts) {
                if (text.font == ReportFontId::Small) {
                    EXPECT_GT(text.y - input.smallLineTwips, footerRule) << text.text;
                }
            }
        }
    }
}

} // namespace

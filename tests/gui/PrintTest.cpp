#include "ProgramFixture.h"

#include "app/Resource.h"
#include "document/ProgramDoc.h"
#include "editor/ChannelView.h"
#include "editor/DocumentCommands.h"
#include "editor/ProgramView.h"
#include "frame/ChildFrame.h"
#include "frame/MainFrame.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>

namespace {

class Printing : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        writeTestIni();
        copyTranslations();
        ASSERT_TRUE(start());
    }
    ProgramView* view() const { return activeChild()->view(); }
    // Types a receive frequency into row `row` and leaves the edit open.
    void typeReceive(int row, const char* text) {
        ChannelView* grid = view()->grid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->cellRect(row, 1).center());
        QTest::keyClicks(grid->openEditor(), text);
    }
};

TEST_F(Printing, PreviewShowsTheOpenEditAndAPageForEveryEightChannels) {
    for (int row = 1; row <= 8; ++row) {
        typeReceive(row, "145");
        QTest::keyClick(view()->grid()->openEditor(), Qt::Key_Return);
    }
    typeReceive(9, "146"); // still open when the preview is asked for
    int pages = 0;
    runModal([&] { frame()->commandAction(id::kFilePrintPreview)->trigger(); },
             [&](QWidget* dialog) {
                 auto* preview = dialog->findChild<QPrintPreviewWidget*>();
                 if (preview != nullptr) {
                     preview->updatePreview();
                     pages = preview->pageCount();
                 }
                 static_cast<QDialog*>(dialog)->reject();
             });
    EXPECT_EQ(view()->grid()->cellText(9, 1), "146.00000");
    EXPECT_EQ(pages, 3) << "options, channels 1 to 8, channel 9";
}

TEST_F(Printing, APdfPrinterGetsEveryPage) {
    typeReceive(1, "145.5");
    QTest::keyClick(view()->grid()->openEditor(), Qt::Key_Return);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path(QStringLiteral("report.pdf")));
    ASSERT_TRUE(view()->commands()->printReport(printer));
    const QByteArray pdf = readFile(QStringLiteral("report.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    // Every page object says "/Type /Page"; the page tree says "/Type /Pages".
    EXPECT_EQ(pdf.count("/Type /Page") - pdf.count("/Type /Pages"), 2);
}

} // namespace

namespace {

// In the Chinese interface Qt's own dialogs speak Chinese too (Qt's translations, when the
// machine has them), and so does the title the program gives the preview.
class ChinesePrinting : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        writeTestIni(QStringLiteral("Chinese"));
        copyTranslations();
        ASSERT_TRUE(start());
    }
};

} // namespace

TEST_F(ChinesePrinting, ThePrintDialogAndThePreviewAreChinese) {
    if (QLibraryInfo::path(QLibraryInfo::TranslationsPath).isEmpty() ||
        !QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                           QStringLiteral("/qtbase_zh_CN.qm"))) {
        GTEST_SKIP() << "Qt's Chinese translations are not installed";
    }
    QStringList buttons;
    runModal([&] { frame()->commandAction(id::kFilePrint)->trigger(); },
             [&](QWidget* dialog) {
                 for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
                     if (button->isVisible()) {
                         buttons << button->text();
                     }
                 }
                 static_cast<QDialog*>(dialog)->reject();
             });
    EXPECT_TRUE(buttons.contains(QStringLiteral("取消"))) << qPrintable(buttons.join(QLatin1Char('|')));
    EXPECT_FALSE(buttons.contains(QStringLiteral("Cancel"))) << qPrintable(buttons.join(QLatin1Char('|')));

    QString title;
    runModal([&] { frame()->commandAction(id::kFilePrintPreview)->trigger(); },
             [&](QWidget* dialog) {
                 title = dialog->windowTitle();
                 static_cast<QDialog*>(dialog)->reject();
             });
    EXPECT_EQ(title, QStringLiteral("打印预览"));
}

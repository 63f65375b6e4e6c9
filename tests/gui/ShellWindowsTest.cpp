// The document window that hides instead of closing, the tiled background and the About box.
#include "ProgramFixture.h"

#include "app/Pictures.h"
#include "app/Resource.h"
#include "document/ProgramDoc.h"
#include "editor/ProgramView.h"
#include "frame/AboutDlg.h"
#include "frame/ChildFrame.h"
#include "frame/MainFrame.h"
#include "frame/MdiClientWnd.h"
#include "frame/NavigationBar.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class ShellWindows : public ProgramFixture {
protected:
    void startEnglish() {
        writeTestIni();
        copyTranslations();
        ASSERT_TRUE(start());
    }

    // The background as painted, without the document windows on it.
    QImage paintedBackground() {
        for (ChildFrame* child : frame()->childFrames()) {
            child->hide();
        }
        QCoreApplication::processEvents();
        MdiClientWnd* area = frame()->mdiClient();
        return area->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

} // namespace

enum class CloseBy { CloseBox, CtrlF4, FileClose };

struct HideCase {
    const char* name;
    CloseBy how;
};

void PrintTo(const HideCase& c, std::ostream* os) {
    *os << c.name;
}

class ShellWindowsHide : public ShellWindows, public ::testing::WithParamInterface<HideCase> {};

TEST_P(ShellWindowsHide, DocumentWindowHidesAndChannelInformationBringsItBack) {
    startEnglish();
    ChildFrame* child = activeChild();
    ProgramDoc* doc = child->document();
    MemoryImage image = doc->image();
    image.setByte(0x40, 0x77);
    doc->applyChange(QStringLiteral("a byte"), image);
    switch (GetParam().how) {
    case CloseBy::CloseBox:
        child->close();
        break;
    case CloseBy::CtrlF4:
        QTest::keyClick(child->view(), Qt::Key_F4, Qt::ControlModifier);
        break;
    case CloseBy::FileClose:
        frame()->commandAction(id::kFileClose)->trigger();
        break;
    }
    EXPECT_FALSE(child->isVisible());
    ASSERT_EQ(frame()->childFrames().size(), 1);
    EXPECT_EQ(activeChild(), child);
    EXPECT_TRUE(shownBoxes().empty());
    frame()->commandAction(id::kChannelInformation)->trigger();
    EXPECT_TRUE(child->isVisible());
    EXPECT_EQ(child->document(), doc);
    EXPECT_EQ(doc->image().byte(0x40), 0x77);
}

INSTANTIATE_TEST_SUITE_P(Ways, ShellWindowsHide,
                         ::testing::Values(HideCase{"CloseBox", CloseBy::CloseBox},
                                           HideCase{"CtrlF4", CloseBy::CtrlF4},
                                           HideCase{"FileClose", CloseBy::FileClose}),
                         [](const ::testing::TestParamInfo<HideCase>& row) { return row.param.name; });

TEST_F(ShellWindows, BuiltInPictureIsTiledFromTheTopLeftCorner) {
    startEnglish();
    const QImage tile = Pictures::builtInBackground().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(tile.size(), QSize(238, 157));
    const QImage painted = paintedBackground();
    ASSERT_GT(painted.width(), 2 * 238);
    ASSERT_GT(painted.height(), 157 + 80);
    for (const QPoint& p : {QPoint(0, 0), QPoint(119, 74), QPoint(237, 156)}) {
        EXPECT_EQ(painted.pixel(p), tile.pixel(p));
        EXPECT_EQ(painted.pixel(p + QPoint(238, 0)), tile.pixel(p));
        EXPECT_EQ(painted.pixel(p + QPoint(238, 157)), tile.pixel(p));
    }
}

TEST_F(ShellWindows, BackgroundBmpBesideTheProgramReplacesThePicture) {
    // Four quadrants of 10 x 10 in different colours.
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::black);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            picture.setPixel(x, y, qRgb(x < 10 ? 255 : 0, y < 10 ? 255 : 0, 60));
        }
    }
    startEnglish();
    ASSERT_TRUE(picture.save(path(QStringLiteral("background.bmp")), "BMP"));
    frame()->resize(frame()->width() + 1, frame()->height());
    const QImage painted = paintedBackground();
    for (const QPoint& p : {QPoint(3, 3), QPoint(13, 3), QPoint(3, 13), QPoint(17, 17)}) {
        EXPECT_EQ(painted.pixel(p), picture.pixel(p));
        EXPECT_EQ(painted.pixel(p + QPoint(40, 60)), picture.pixel(p));
    }
}

TEST_F(ShellWindows, AreaSmallerThanATileShowsTheTopLeftOfOneTile) {
    startEnglish();
    MdiClientWnd area(context()->dataDir());
    area.resize(100, 80);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    const QImage tile = Pictures::builtInBackground().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage painted = area.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_LT(painted.width(), 238);
    ASSERT_LT(painted.height(), 157);
    EXPECT_EQ(painted, tile.copy(0, 0, painted.width(), painted.height()));
}

TEST_F(ShellWindows, AboutBoxShowsTheTextsOfTheLanguageSectionAndTitleIco) {
    writeTestIni();
    copyTranslations();
    QImage red(32, 32, QImage::Format_ARGB32);
    red.fill(QColor(255, 0, 0));
    ASSERT_TRUE(red.save(path(QStringLiteral("title.ico")), "ICO"));
    ASSERT_TRUE(start());
    QString caption;
    QStringList lines;
    QRgb iconPixel = 0;
    runModal([&] { frame()->commandAction(id::kAppAbout)->trigger(); },
             [&](QWidget* modal) {
                 auto* about = qobject_cast<AboutDlg*>(modal);
                 ASSERT_NE(about, nullptr);
                 caption = about->windowTitle();
                 for (const QLabel* label : about->findChildren<QLabel*>()) {
                     if (!label->text().isEmpty()) {
                         lines << label->text();
                     }
                 }
                 iconPixel = about->iconLabel()->pixmap().toImage().pixel(16, 16);
                 QTest::keyClick(about, Qt::Key_F1);
                 QTest::keyClick(about, Qt::Key_Return);
             });
    EXPECT_EQ(caption, QStringLiteral("About Test Programmer..."));
    // One version, the build's, whatever Program.ini's "Version" says.
    EXPECT_EQ(lines, (QStringList{QStringLiteral("Version " RADIO_VERSION),
                                  QStringLiteral("Copyright (C) Test"), QStringLiteral("Test Owner")}));
    EXPECT_EQ(iconPixel, qRgb(255, 0, 0));
    ASSERT_EQ(m_helpUrls.size(), 1u);
    EXPECT_EQ(m_helpUrls[0].fragment(), QString::number(id::kAppAbout));
}

// A box with a short text is still wide enough for its caption and the title bar's buttons.
TEST_F(ShellWindows, AMessageBoxIsWideEnoughForItsCaption) {
    MessageBox::setAnsweringMode(false);
    const QString caption = QStringLiteral("Radio Programmer");
    int widthPx = 0;
    int captionPx = 0;
    runModal([&] { MessageBox::show(nullptr, QStringLiteral("x"), caption); },
             [&](QWidget* box) {
                 widthPx = box->width();
                 captionPx = box->fontMetrics().horizontalAdvance(caption);
                 QTest::keyClick(box, Qt::Key_Escape);
             });
    MessageBox::setAnsweringMode(true);
    EXPECT_GE(widthPx, captionPx + 3 * 24) << "room for the caption and three title bar buttons";
}

// The navigation bar: its close button, the width drag with its clamps, and what it refuses.
#include "ProgramFixture.h"

#include "app/Resource.h"
#include "frame/MainFrame.h"
#include "frame/NavigationBar.h"

#include <QAction>
#include <QHelpEvent>
#include <QMainWindow>
#include <QTest>
#include <QToolTip>

namespace {

class NavigationBarTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        writeTestIni();
        copyTranslations();
        ASSERT_TRUE(start());
        // A known main window width: half of it is 450.
        frame()->showNormal();
        frame()->resize(900, 600);
        QCoreApplication::processEvents();
        bar()->repaint();
        ASSERT_FALSE(bar()->frameRect().isEmpty());
    }

    NavigationBar* bar() const { return frame()->navigationBar(); }
    QPoint splitterPoint() const { return bar()->splitterRect().center(); }
    QPoint closePoint() const { return bar()->closeRect().center(); }
    QPoint captionPoint() const { return bar()->frameRect().topLeft() + QPoint(30, 10); }
};

} // namespace

TEST_F(NavigationBarTest, GeometryFollowsTheDrawnFrame) {
    const int w = bar()->width();
    const int h = bar()->height();
    EXPECT_EQ(w, NavigationBar::kInitialWidth);
    EXPECT_EQ(bar()->frameRect(), QRect(QPoint(4, 7), QPoint(w - 7, h - 50)));
    EXPECT_EQ(bar()->closeRect(), QRect(w - 26, 11, 16, 15));
    EXPECT_EQ(bar()->splitterRect(), QRect(w - 6, 7, 6, h - 56));
}

TEST_F(NavigationBarTest, SplitterStripShowsTheResizeCursor) {
    QTest::mouseMove(bar(), splitterPoint());
    EXPECT_EQ(bar()->cursor().shape(), Qt::SplitHCursor);
    QTest::mouseMove(bar(), captionPoint());
    EXPECT_EQ(bar()->cursor().shape(), Qt::ArrowCursor);
}

struct DragCase {
    const char* name;
    int releaseX;
    int markX;
    int width;
};

void PrintTo(const DragCase& c, std::ostream* os) {
    *os << c.name;
}

class NavigationBarDrag : public NavigationBarTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(NavigationBarDrag, MarkAndWidthAreClampedDifferently) {
    const DragCase& c = GetParam();
    QTest::mousePress(bar(), Qt::LeftButton, {}, splitterPoint());
    ASSERT_TRUE(bar()->isResizing());
    const QPoint to(c.releaseX, splitterPoint().y());
    QTest::mouseMove(bar(), to);
    EXPECT_EQ(bar()->dragMarkX(), c.markX);
    QTest::mouseRelease(bar(), Qt::LeftButton, {}, to);
    EXPECT_EQ(bar()->dragMarkX(), -1);
    EXPECT_FALSE(bar()->isResizing());
    EXPECT_EQ(bar()->barWidth(), c.width);
    QCoreApplication::processEvents();
    EXPECT_EQ(bar()->width(), c.width);
}

INSTANTIATE_TEST_SUITE_P(Cases, NavigationBarDrag,
                         ::testing::Values(DragCase{"Inside", 300, 300, 300},
                                           DragCase{"ToThirty", 30, 80, 30}, DragCase{"ToFive", 5, 80, 11},
                                           DragCase{"LeftOfTheBar", -40, 80, 11},
                                           DragCase{"ToEleven", 11, 80, 11},
                                           DragCase{"ToHalf", 450, 450, 450},
                                           DragCase{"PastHalf", 700, 450, 450}),
                         [](const ::testing::TestParamInfo<DragCase>& row) { return row.param.name; });

TEST_F(NavigationBarTest, PressOutsideTheStripStartsNoDrag) {
    QTest::mousePress(bar(), Qt::LeftButton, {}, captionPoint());
    EXPECT_FALSE(bar()->isResizing());
    QTest::mouseMove(bar(), QPoint(120, 40));
    EXPECT_EQ(bar()->dragMarkX(), -1);
    QTest::mouseRelease(bar(), Qt::LeftButton, {}, QPoint(120, 40));
    EXPECT_EQ(bar()->barWidth(), NavigationBar::kInitialWidth);
}

TEST_F(NavigationBarTest, CloseButtonIsRaisedOnHoverSunkenWhilePressedAndPlainOutside) {
    QTest::mouseMove(bar(), closePoint());
    EXPECT_TRUE(bar()->isCloseHover());
    EXPECT_FALSE(bar()->isClosePressed());
    QTest::mousePress(bar(), Qt::LeftButton, {}, closePoint());
    EXPECT_FALSE(bar()->isCloseHover());
    EXPECT_TRUE(bar()->isClosePressed());
    QTest::mouseMove(bar(), captionPoint());
    EXPECT_FALSE(bar()->isCloseHover());
    EXPECT_FALSE(bar()->isClosePressed());
    // Released away from the button: the bar stays.
    QTest::mouseRelease(bar(), Qt::LeftButton, {}, captionPoint());
    EXPECT_FALSE(bar()->isHidden());
}

TEST_F(NavigationBarTest, ReleaseOverTheCloseButtonHidesTheBarAndClearsTheCheckMark) {
    QAction* controlBar = frame()->commandAction(id::kControlBar);
    // The press may start anywhere in the bar.
    QTest::mousePress(bar(), Qt::LeftButton, {}, captionPoint());
    QTest::mouseRelease(bar(), Qt::LeftButton, {}, closePoint());
    EXPECT_TRUE(bar()->isHidden());
    EXPECT_FALSE(controlBar->isChecked());
    controlBar->trigger();
    EXPECT_FALSE(bar()->isHidden());
    EXPECT_TRUE(controlBar->isChecked());
}

TEST_F(NavigationBarTest, DoubleClickNeitherFloatsNorMovesTheBar) {
    QTest::mouseDClick(bar(), Qt::LeftButton, {}, captionPoint());
    EXPECT_FALSE(bar()->isFloating());
    EXPECT_FALSE(bar()->isHidden());
    EXPECT_EQ(frame()->dockWidgetArea(bar()), Qt::LeftDockWidgetArea);
}

TEST_F(NavigationBarTest, CloseButtonHasItsToolTip) {
    QHelpEvent over(QEvent::ToolTip, closePoint(), bar()->mapToGlobal(closePoint()));
    QCoreApplication::sendEvent(bar(), &over);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Close"));
    QToolTip::hideText();
}

TEST(NavigationBarBeforePaint, SetsNoCursorAndStartsNothing) {
    QMainWindow window;
    window.resize(800, 500);
    NavigationBar bar(QStringLiteral("Test Company"), &window);
    ASSERT_TRUE(bar.initBar());
    window.addDockWidget(Qt::LeftDockWidgetArea, &bar);
    // Never shown, so never painted: nothing is known of the frame or the close button.
    ASSERT_TRUE(bar.frameRect().isEmpty());
    const QPoint strip(NavigationBar::kInitialWidth - 3, 100);
    QTest::mouseMove(&bar, strip);
    EXPECT_FALSE(bar.testAttribute(Qt::WA_SetCursor));
    QTest::mousePress(&bar, Qt::LeftButton, {}, strip);
    EXPECT_FALSE(bar.isResizing());
    EXPECT_FALSE(bar.isClosePressed());
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, strip);
    window.removeDockWidget(&bar);
}

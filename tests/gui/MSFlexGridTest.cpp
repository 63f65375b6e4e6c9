#include "editor/MSFlexGrid.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Events = std::vector<std::string>;

// Records every signal with the current cell its receiver sees, as "leave 1,1", "enter 5,3" or
// "down1 5,3" (mouseDown with its button number).
class GridFixture : public ::testing::Test {
protected:
    void SetUp() override {
        QObject::connect(&grid, &MSFlexGrid::leaveCell, [this] { record("leave"); });
        QObject::connect(&grid, &MSFlexGrid::enterCell, [this] { record("enter"); });
        QObject::connect(&grid, &MSFlexGrid::mouseDown,
                         [this](int button, int, int, int) { record("down" + std::to_string(button)); });
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    void record(const std::string& name) {
        events.push_back(name + " " + std::to_string(grid.row()) + "," + std::to_string(grid.col()));
    }

    // Makes (row, col) current and forgets the events that took it there.
    void startAt(int row, int col) {
        grid.setRow(row);
        grid.setCol(col);
        events.clear();
    }

    std::pair<int, int> current() const { return {grid.row(), grid.col()}; }

    MSFlexGrid grid;
    Events events;
};

// The widths the channel view gives the columns: 960 twips times its factors, truncated.
const int kViewWidths[] = {489, 1152, 1152, 1152, 1152, 960, 768, 960, 768};

TEST_F(GridFixture, ProgramMovesRaiseLeaveBeforeAndEnterAfterTheChange) {
    struct Case {
        const char* name;
        bool setsRow;
        int value;
        Events expected;
    } cases[] = {
        {"row", true, 5, {"leave 1,1", "enter 5,1"}},
        {"col", false, 8, {"leave 1,1", "enter 1,8"}},
        {"heading row", true, 0, {"leave 1,1", "enter 0,1"}},
        {"same row", true, 1, {}},
        {"same col", false, 1, {}},
        {"row past the end", true, 17, {}},
        {"negative col", false, -1, {}},
        {"col past the end", false, 9, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startAt(1, 1);
        c.setsRow ? grid.setRow(c.value) : grid.setCol(c.value);
        EXPECT_EQ(events, c.expected);
    }
}

TEST_F(GridFixture, ClickMakesANonFixedCellCurrentThenRaisesMouseDown) {
    struct Case {
        const char* name;
        int row, col;
        Qt::MouseButton button;
        Events expected;
    } cases[] = {
        {"other cell", 5, 3, Qt::LeftButton, {"leave 1,1", "enter 5,3", "down1 5,3"}},
        {"last cell", 16, 8, Qt::LeftButton, {"leave 1,1", "enter 16,8", "down1 16,8"}},
        {"current cell", 1, 1, Qt::LeftButton, {"down1 1,1"}},
        {"heading", 0, 4, Qt::LeftButton, {"down1 1,1"}},
        {"channel number", 7, 0, Qt::LeftButton, {"down1 1,1"}},
        {"right button", 5, 3, Qt::RightButton, {"down2 1,1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startAt(1, 1);
        QTest::mouseClick(&grid, c.button, Qt::NoModifier, grid.cellRect(c.row, c.col).center());
        EXPECT_EQ(events, c.expected);
    }
}

// Column 0 is 489 twips, 32.6 pixels at 96 dpi: the hit test must agree with the drawing on
// both sides of a boundary that falls inside a pixel.
TEST_F(GridFixture, ClickOnTheBoundaryPixelsPicksTheCellDrawnThere) {
    for (int c = 0; c < 9; ++c) {
        grid.setColWidthTwips(c, kViewWidths[c]);
    }
    const QRect cell = grid.cellRect(2, 1);
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, cell.topLeft());
    EXPECT_EQ(current(), std::make_pair(2, 1));
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, cell.bottomRight());
    EXPECT_EQ(current(), std::make_pair(2, 1));
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, cell.bottomRight() + QPoint(1, 1));
    EXPECT_EQ(current(), std::make_pair(3, 2));
    events.clear();
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, cell.topLeft() - QPoint(1, 0));
    EXPECT_EQ(events, Events{"down1 3,2"}) << "the pixel left of column 1 is the fixed column";
    const QRect last = grid.cellRect(16, 8);
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, last.bottomRight() + QPoint(2, 0));
    EXPECT_EQ(current(), std::make_pair(3, 2)) << "right of the last column there are no cells";
}

TEST_F(GridFixture, KeysMoveWithinTheNonFixedCells) {
    struct Case {
        const char* name;
        int fromRow, fromCol;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int toRow, toCol;
    } cases[] = {
        {"down", 1, 1, Qt::Key_Down, Qt::NoModifier, 2, 1},
        {"up stops at row 1", 1, 3, Qt::Key_Up, Qt::NoModifier, 1, 3},
        {"down stops at row 16", 16, 2, Qt::Key_Down, Qt::NoModifier, 16, 2},
        {"right stops at col 8", 9, 8, Qt::Key_Right, Qt::NoModifier, 9, 8},
        {"from the heading row", 0, 4, Qt::Key_Up, Qt::NoModifier, 1, 4},
        {"from the corner", 0, 0, Qt::Key_Right, Qt::NoModifier, 1, 1},
        {"keypad arrow", 3, 3, Qt::Key_Down, Qt::KeypadModifier, 4, 3},
        {"ctrl home", 5, 6, Qt::Key_Home, Qt::ControlModifier, 1, 1},
        {"ctrl end", 5, 6, Qt::Key_End, Qt::ControlModifier, 16, 8},
        {"shift arrow selects instead", 5, 6, Qt::Key_Down, Qt::ShiftModifier, 5, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startAt(c.fromRow, c.fromCol);
        QTest::keyClick(&grid, c.key, c.mods);
        const std::string from = std::to_string(c.fromRow) + "," + std::to_string(c.fromCol);
        const std::string to = std::to_string(c.toRow) + "," + std::to_string(c.toCol);
        EXPECT_EQ(events, (from == to ? Events{} : Events{"leave " + from, "enter " + to}));
    }
}

TEST_F(GridFixture, ShiftStretchesTheSelectionWithoutMovingTheCurrentCell) {
    struct Case {
        const char* name;
        std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
        QRect selection; // x the column, y the row
    } cases[] = {
        {"shift down", {{Qt::Key_Down, Qt::ShiftModifier}}, QRect(QPoint(6, 5), QPoint(6, 6))},
        {"down and back up past the anchor",
         {{Qt::Key_Down, Qt::ShiftModifier},
          {Qt::Key_Up, Qt::ShiftModifier},
          {Qt::Key_Up, Qt::ShiftModifier}},
         QRect(QPoint(6, 4), QPoint(6, 5))},
        {"shift end then page down",
         {{Qt::Key_End, Qt::ShiftModifier}, {Qt::Key_PageDown, Qt::ShiftModifier}},
         QRect(QPoint(6, 5), QPoint(8, 16))},
        {"stops at the fixed cells",
         {{Qt::Key_Home, Qt::ShiftModifier}, {Qt::Key_Left, Qt::ShiftModifier}},
         QRect(QPoint(1, 5), QPoint(6, 5))},
        {"a plain move ends it",
         {{Qt::Key_Down, Qt::ShiftModifier}, {Qt::Key_Right, Qt::NoModifier}},
         QRect()},
        {"ctrl+shift is not the grid's", {{Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier}}, QRect()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startAt(5, 6);
        grid.clearSelection();
        for (const auto& [key, mods] : c.keys) {
            QTest::keyClick(&grid, key, mods);
        }
        EXPECT_EQ(grid.selection(), c.selection);
        if (!c.selection.isNull()) {
            EXPECT_EQ(events, Events{});
        }
    }
}

TEST_F(GridFixture, ClicksSelectCellsRowsAndColumns) {
    startAt(2, 3);
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::ShiftModifier, grid.cellRect(4, 1).center());
    EXPECT_EQ(grid.selection(), QRect(QPoint(1, 2), QPoint(3, 4)));
    EXPECT_EQ(grid.selectedRows(), std::make_pair(0, 0)) << "not whole rows";
    EXPECT_EQ(current(), std::make_pair(2, 3));

    QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, grid.cellRect(7, 0).center());
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::ShiftModifier, grid.cellRect(5, 0).center());
    EXPECT_EQ(grid.selectedRows(), std::make_pair(5, 7));

    QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, grid.cellRect(0, 2).center());
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::ShiftModifier, grid.cellRect(0, 4).center());
    EXPECT_EQ(grid.selection(), QRect(QPoint(2, 1), QPoint(4, 16)));

    grid.selectAll();
    EXPECT_EQ(grid.selectedRows(), std::make_pair(1, 16));
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, grid.cellRect(9, 2).center());
    EXPECT_TRUE(grid.selection().isNull());
    EXPECT_EQ(current(), std::make_pair(9, 2));
}

TEST_F(GridFixture, ShrinkingPastTheCurrentCellMovesItFirst) {
    startAt(16, 8);
    grid.setTextMatrix(12, 3, "gone");
    grid.setRows(10);
    grid.setCols(5);
    EXPECT_EQ(events, (Events{"leave 16,8", "enter 9,8", "leave 9,8", "enter 9,4"}));
    grid.setRows(17);
    EXPECT_EQ(grid.textMatrix(12, 3), "");
    grid.setRows(0);
    EXPECT_EQ(grid.rows(), 17);
}

TEST(MSFlexGrid, TextFollowsTheCurrentCell) {
    MSFlexGrid grid;
    grid.setTextMatrix(16, 8, "High");
    grid.setTextMatrix(0, 7, "繁忙锁定");
    grid.setRow(16);
    grid.setCol(8);
    EXPECT_EQ(grid.text(), "High");
    grid.setText("Low");
    EXPECT_EQ(grid.textMatrix(16, 8), "Low");
    grid.setRow(0);
    grid.setCol(7);
    EXPECT_EQ(grid.text(), "繁忙锁定");

    // Out-of-range cells read empty and must not land in a neighbour.
    grid.setTextMatrix(17, 0, "x");
    grid.setTextMatrix(1, 9, "x");
    EXPECT_EQ(grid.textMatrix(17, 0), "");
    EXPECT_EQ(grid.textMatrix(2, 0), "");
    EXPECT_EQ(grid.textMatrix(1, 8), "");
}

TEST(MSFlexGrid, CellRectangleIsTheSumOfTheWidthsAndHeightsBefore) {
    MSFlexGrid grid;
    for (int c = 0; c < 9; ++c) {
        grid.setColWidthTwips(c, kViewWidths[c]);
    }
    grid.setRowHeightTwips(0, 300);
    struct Case {
        int row, col;
        int left, top, width, height;
    } cases[] = {
        {0, 0, 0, 0, 489, 300},        {1, 1, 489, 300, 1152, 255},   {5, 6, 6057, 1320, 768, 255},
        {16, 1, 489, 4125, 1152, 255}, {16, 8, 7785, 4125, 768, 255},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "cell " << c.row << "," << c.col);
        grid.setRow(c.row);
        grid.setCol(c.col);
        EXPECT_EQ(grid.cellLeft(), c.left);
        EXPECT_EQ(grid.cellTop(), c.top);
        EXPECT_EQ(grid.cellWidthTwips(), c.width);
        EXPECT_EQ(grid.cellHeightTwips(), c.height);
        // An editor placed by converting these twips lands on the drawn cell.
        const QRect px = grid.cellRect(c.row, c.col);
        EXPECT_EQ(px.topLeft(), QPoint(grid.twipsToPixelsX(c.left), grid.twipsToPixelsY(c.top)));
        EXPECT_EQ(px.bottomRight() + QPoint(1, 1),
                  QPoint(grid.twipsToPixelsX(c.left + c.width), grid.twipsToPixelsY(c.top + c.height)));
    }
}

TEST(MSFlexGrid, TwipsAndPixelsAtTheWidgetsResolution) {
    MSFlexGrid grid;
    if (grid.logicalDpiX() != 96 || grid.logicalDpiY() != 96) {
        GTEST_SKIP() << "the table is worked out for 96 dpi";
    }
    struct Case {
        int twips, pixels;
    } toPixels[] = {
        {0, 0},     {14, 0},    {15, 1},  {255, 17}, {489, 32},
        {1439, 95}, {1440, 96}, {-14, 0}, {-15, -1}, {30000000, 2000000},
    };
    for (const auto& c : toPixels) {
        SCOPED_TRACE(c.twips);
        EXPECT_EQ(grid.twipsToPixelsX(c.twips), c.pixels);
        EXPECT_EQ(grid.twipsToPixelsY(c.twips), c.pixels);
    }
    const Case toTwips[] = {{0, 0}, {15, 1}, {255, 17}, {1440, 96}, {-45, -3}};
    for (const auto& c : toTwips) {
        SCOPED_TRACE(c.pixels);
        EXPECT_EQ(grid.pixelsToTwipsX(c.pixels), c.twips);
        EXPECT_EQ(grid.pixelsToTwipsY(c.pixels), c.twips);
    }
}

// Grey fixed cells, white cells, the focus dots of the current cell only while the grid has the
// focus, and an in-cell editor (a child of the grid) drawn over its cell.
TEST(MSFlexGrid, DrawsCellsFocusAndChildWidgets) {
    MSFlexGrid grid;
    QWidget editor(&grid);
    editor.setAutoFillBackground(true);
    QPalette pal = editor.palette();
    pal.setColor(QPalette::Window, Qt::red);
    editor.setPalette(pal);
    editor.setFocusPolicy(Qt::NoFocus);
    editor.setGeometry(grid.cellRect(4, 2));
    grid.show();
    grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    grid.setRow(5);
    grid.setCol(3);
    const QRect current = grid.cellRect(5, 3);

    QImage image;
    auto at = [&](QPoint p) { return image.pixelColor((QPointF(p) * image.devicePixelRatio()).toPoint()); };
    // The dots run along the line just inside the current cell's top edge.
    auto dots = [&] {
        image = grid.grab().toImage();
        int dark = 0;
        for (int x = current.left() + 1; x < current.right() - 1; ++x) {
            dark += at(QPoint(x, current.top() + 1)).lightness() < 64;
        }
        return dark;
    };
    grid.setFocus();
    EXPECT_GT(dots(), current.width() / 4);
    EXPECT_EQ(at(grid.cellRect(4, 2).center()), QColor(Qt::red));
    EXPECT_EQ(at(grid.cellRect(0, 3).topLeft() + QPoint(2, 2)), QColor(192, 192, 192));
    grid.clearFocus();
    EXPECT_EQ(dots(), 0);
}

} // namespace

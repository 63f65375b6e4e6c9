#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QVector>
#include <QWidget>

class QPainter;

// The channel grid: a drawn grid of text cells with fixed heading rows and columns, the
// current cell, and the property names of the grid control the program was written against.
//
// Indices count from 0; row 0 and column 0 are the fixed headings. Every length is in twips
// (1440 to the inch) and becomes pixels through the widget's logical resolution as
// twips * dpi / 1440, product first, truncated. The cell rectangle is measured from the
// widget's top-left corner, which is the whole client area: column c starts at the sum of the
// widths of columns 0 .. c-1, and its grid lines are its last pixel column and row.
//
// Current cell: leaveCell is emitted just before and enterCell just after every change,
// whether it comes from setRow, setCol, a click or a key. A setter given the current value
// changes nothing and emits nothing. The program may make a fixed cell current (to write a
// heading through setText); the user can only reach the non-fixed cells. Out-of-range indices
// are ignored by the setters and read as empty text or 0.
//
// The current cell shows a dotted focus rectangle while the grid has the keyboard focus.
// There is no scrolling: cells past the widget's edge are clipped. Child widgets (the in-cell
// editors) are drawn over the cells.
class MSFlexGrid : public QWidget {
    Q_OBJECT
public:
    // Alignment numbers of the cell text (ColAlignment).
    static constexpr int kAlignLeftTop = 0;
    static constexpr int kAlignLeftCenter = 1;
    static constexpr int kAlignLeftBottom = 2;
    static constexpr int kAlignCenterTop = 3;
    static constexpr int kAlignCenterCenter = 4;
    static constexpr int kAlignCenterBottom = 5;
    static constexpr int kAlignRightTop = 6;
    static constexpr int kAlignRightCenter = 7;
    static constexpr int kAlignRightBottom = 8;
    // Numbers right, other text left, both vertically centred.
    static constexpr int kAlignGeneral = 9;

    static constexpr int kDefaultRows = 17;
    static constexpr int kDefaultCols = 9;
    // A new row is 17 pixels and a new column 64 pixels at 96 dpi, the classic spreadsheet cell.
    static constexpr int kDefaultRowHeightTwips = 255;
    static constexpr int kDefaultColWidthTwips = 960;
    // The grid's place on the form, 370 x 167 dialog units of Times New Roman 9 pt, is about
    // this size: room for the 17 default rows and 9 default columns with a small margin.
    static constexpr int kDefaultWidthTwips = 8700;
    static constexpr int kDefaultHeightTwips = 4380;

    explicit MSFlexGrid(QWidget* parent = nullptr);

    int rows() const { return static_cast<int>(m_texts.size()); }
    int cols() const { return static_cast<int>(m_colWidths.size()); }
    // At least one row and one column, and never fewer than the fixed ones. Shrinking past the
    // current cell first moves it (with its events) to the last remaining row or column.
    void setRows(int rows);
    void setCols(int cols);
    int fixedCols() const { return m_fixedCols; }

    int row() const { return m_row; }
    void setRow(int row);
    int col() const { return m_col; }
    void setCol(int col);
    // Moves to another row and column at once: one leaveCell and one enterCell.
    void setRowCol(int row, int col);

    // The selection: a rectangle of non-fixed cells, in cell coordinates (x the column, y the
    // row); a null rectangle when nothing is selected beyond the current cell. Shift with an
    // arrow, Home, End, Page Up or Page Down, and Shift+click, stretch it from its anchor (the
    // current cell when nothing is selected) without moving the current cell; a click on a row's
    // number selects the row and one on a column's heading the column, Shift+click extending
    // from the anchor. Any other click or move of the current cell ends the selection.
    QRect selection() const;
    // The rows of a selection that spans every column; {0, 0} otherwise.
    std::pair<int, int> selectedRows() const;
    void selectRange(const QRect& cells);
    void selectRows(int first, int last) {
        selectRange(QRect(QPoint(m_fixedCols, first), QPoint(cols() - 1, last)));
    }
    void selectAll() { selectRows(m_fixedRows, rows() - 1); }
    void clearSelection();

    QString text() const { return textMatrix(m_row, m_col); }
    void setText(const QString& text) { setTextMatrix(m_row, m_col, text); }
    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    void setForeColorFixed(const QColor& color);
    int colAlignment(int col) const;
    // Values outside 0 .. 9 are ignored.
    void setColAlignment(int col, int alignment);

    int colWidthTwips(int col) const;
    // A negative width restores the default; 0 hides the column.
    void setColWidthTwips(int col, int twips);
    int rowHeightTwips(int row) const;
    void setRowHeightTwips(int row, int twips);

    // The current cell's rectangle, in twips.
    int cellLeft() const { return colLeftTwips(m_col); }
    int cellTop() const { return rowTopTwips(m_row); }
    int cellWidthTwips() const { return colWidthTwips(m_col); }
    int cellHeightTwips() const { return rowHeightTwips(m_row); }

    int twipsToPixelsX(int twips) const;
    int twipsToPixelsY(int twips) const;
    int pixelsToTwipsX(int pixels) const;
    int pixelsToTwipsY(int pixels) const;

    // The pixel rectangle a cell is drawn in, grid lines included; empty for a bad index.
    QRect cellRect(int row, int col) const;

    QSize sizeHint() const override;

signals:
    void enterCell();
    void leaveCell();
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt; x, y in pixels.
    void mouseDown(int button, int shift, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void moveTo(int row, int col);
    // Selects from the anchor (the current cell when nothing is selected) to `end`.
    void extendSelection(QPoint end);
    // Repaints and tells assistive technology after the selection changed.
    void notifySelection();
    int colLeftTwips(int col) const;
    int rowTopTwips(int row) const;
    // The row and column under a pixel, -1 where there is no cell.
    int rowAt(int y) const;
    int colAt(int x) const;
    void paintCell(QPainter& painter, int row, int col, const QRect& rect) const;

    QVector<QVector<QString>> m_texts; // [row][col]
    // The selection runs from its anchor to its end cell (x the column, y the row); both are
    // null while nothing is selected.
    QPoint m_selAnchor;
    QPoint m_selEnd;
    QVector<int> m_colWidths;  // twips
    QVector<int> m_rowHeights; // twips
    QVector<int> m_colAlignments;
    int m_fixedRows = 1;
    int m_fixedCols = 1;
    int m_row = 1;
    int m_col = 1;
    QColor m_foreFixed = Qt::black;
};

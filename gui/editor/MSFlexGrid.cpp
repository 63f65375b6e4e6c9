#include "editor/MSFlexGrid.h"

#include "editor/FlexGridAccessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <numeric>

namespace {

constexpr int kTwipsPerInch = 1440;

// The classic grid's colours: grey fixed cells with a raised edge, white cells with silver
// lines, dark grey where there are no cells.
const QColor kColorBackground(128, 128, 128);
const QColor kColorFixed(192, 192, 192);
const QColor kColorFixedLight(255, 255, 255);
const QColor kColorFixedShadow(128, 128, 128);
const QColor kColorCell(255, 255, 255);
const QColor kColorGridLine(192, 192, 192);
const QColor kColorText(0, 0, 0);

// Space between the cell's edge and its text, in pixels.
constexpr int kTextMarginX = 3;
constexpr int kTextMarginY = 1;

int toPixels(int twips, int dpi) {
    return static_cast<int>(static_cast<qint64>(twips) * dpi / kTwipsPerInch);
}

int toTwips(int pixels, int dpi) {
    return static_cast<int>(static_cast<qint64>(pixels) * kTwipsPerInch / dpi);
}

Qt::Alignment qtAlignment(int alignment, const QString& text) {
    switch (alignment) {
    case MSFlexGrid::kAlignLeftTop:
        return Qt::AlignLeft | Qt::AlignTop;
    case MSFlexGrid::kAlignLeftCenter:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case MSFlexGrid::kAlignLeftBottom:
        return Qt::AlignLeft | Qt::AlignBottom;
    case MSFlexGrid::kAlignCenterTop:
        return Qt::AlignHCenter | Qt::AlignTop;
    case MSFlexGrid::kAlignCenterCenter:
        return Qt::AlignCenter;
    case MSFlexGrid::kAlignCenterBottom:
        return Qt::AlignHCenter | Qt::AlignBottom;
    case MSFlexGrid::kAlignRightTop:
        return Qt::AlignRight | Qt::AlignTop;
    case MSFlexGrid::kAlignRightCenter:
        return Qt::AlignRight | Qt::AlignVCenter;
    case MSFlexGrid::kAlignRightBottom:
        return Qt::AlignRight | Qt::AlignBottom;
    default: {
        bool number = false;
        QLocale::c().toDouble(text.trimmed(), &number);
        return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
    }
}

// The cells between two corners, either way round. (QRect::normalized() counts a rectangle's
// right and bottom as one past its last cell, so it does not do for cell indices.)
QRect cellsBetween(QPoint a, QPoint b) {
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

} // namespace

MSFlexGrid::MSFlexGrid(QWidget* parent)
    : QWidget(parent), m_texts(kDefaultRows, QVector<QString>(kDefaultCols)),
      m_colWidths(kDefaultCols, kDefaultColWidthTwips), m_rowHeights(kDefaultRows, kDefaultRowHeightTwips),
      m_colAlignments(kDefaultCols, kAlignGeneral) {
    // Liberation Serif, which has the same metrics, stands in where the face is missing.
    QFont gridFont(QStringLiteral("Times New Roman"));
    gridFont.setPointSize(9);
    gridFont.setStyleHint(QFont::Serif);
    setFont(gridFont);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(sizeHint());
}

void MSFlexGrid::setRows(int rows) {
    if (rows < std::max(1, m_fixedRows) || rows == this->rows()) {
        return;
    }
    if (m_row >= rows) {
        moveTo(rows - 1, m_col);
    }
    m_texts.resize(rows, QVector<QString>(cols()));
    m_rowHeights.resize(rows, kDefaultRowHeightTwips);
    update();
}

void MSFlexGrid::setCols(int cols) {
    if (cols < std::max(1, m_fixedCols) || cols == this->cols()) {
        return;
    }
    if (m_col >= cols) {
        moveTo(m_row, cols - 1);
    }
    for (QVector<QString>& rowTexts : m_texts) {
        rowTexts.resize(cols);
    }
    m_colWidths.resize(cols, kDefaultColWidthTwips);
    m_colAlignments.resize(cols, kAlignGeneral);
    update();
}

void MSFlexGrid::setRow(int row) {
    if (row >= 0 && row < rows()) {
        clearSelection();
        moveTo(row, m_col);
    }
}

void MSFlexGrid::setCol(int col) {
    if (col >= 0 && col < cols()) {
        clearSelection();
        moveTo(m_row, col);
    }
}

void MSFlexGrid::setRowCol(int row, int col) {
    if (row >= 0 && row < rows() && col >= 0 && col < cols()) {
        clearSelection();
        moveTo(row, col);
    }
}

QRect MSFlexGrid::selection() const {
    return m_selAnchor.isNull() ? QRect() : cellsBetween(m_selAnchor, m_selEnd);
}

std::pair<int, int> MSFlexGrid::selectedRows() const {
    const QRect cells = selection();
    if (cells.isNull() || cells.left() > m_fixedCols || cells.right() < cols() - 1) {
        return {0, 0};
    }
    return {cells.top(), cells.bottom()};
}

void MSFlexGrid::selectRange(const QRect& cells) {
    const QRect within =
        cellsBetween(cells.topLeft(), cells.bottomRight())
            .intersected(QRect(QPoint(m_fixedCols, m_fixedRows), QPoint(cols() - 1, rows() - 1)));
    if (within.isEmpty()) {
        clearSelection();
        return;
    }
    m_selAnchor = within.topLeft();
    m_selEnd = within.bottomRight();
    notifySelection();
}

void MSFlexGrid::clearSelection() {
    if (!m_selAnchor.isNull()) {
        m_selAnchor = m_selEnd = QPoint();
        notifySelection();
    }
}

void MSFlexGrid::extendSelection(QPoint end) {
    if (m_selAnchor.isNull()) {
        m_selAnchor = QPoint(m_col, m_row);
    }
    m_selEnd =
        QPoint(std::clamp(end.x(), m_fixedCols, cols() - 1), std::clamp(end.y(), m_fixedRows, rows() - 1));
    notifySelection();
}

void MSFlexGrid::notifySelection() {
    update();
    if (QAccessible::isActive()) {
        if (auto* table = dynamic_cast<FlexGridAccessible*>(QAccessible::queryAccessibleInterface(this))) {
            table->selectionChanged();
        }
    }
}

void MSFlexGrid::moveTo(int row, int col) {
    if (row == m_row && col == m_col) {
        return;
    }
    emit leaveCell();
    update(cellRect(m_row, m_col));
    m_row = row;
    m_col = col;
    update(cellRect(m_row, m_col));
    emit enterCell();
    if (QAccessible::isActive()) {
        if (auto* table = dynamic_cast<FlexGridAccessible*>(QAccessible::queryAccessibleInterface(this))) {
            table->currentCellChanged();
        }
    }
}

QString MSFlexGrid::textMatrix(int row, int col) const {
    if (row < 0 || row >= rows() || col < 0 || col >= cols()) {
        return QString();
    }
    return m_texts[row][col];
}

void MSFlexGrid::setTextMatrix(int row, int col, const QString& text) {
    if (row < 0 || row >= rows() || col < 0 || col >= cols() || m_texts[row][col] == text) {
        return;
    }
    m_texts[row][col] = text;
    update(cellRect(row, col));
    if (QAccessible::isActive() && row > 0) {
        if (auto* table = dynamic_cast<FlexGridAccessible*>(QAccessible::queryAccessibleInterface(this))) {
            table->cellTextChanged(row, col);
        }
    }
}

void MSFlexGrid::setForeColorFixed(const QColor& color) {
    m_foreFixed = color;
    update();
}

int MSFlexGrid::colAlignment(int col) const {
    return col >= 0 && col < cols() ? m_colAlignments[col] : kAlignGeneral;
}

void MSFlexGrid::setColAlignment(int col, int alignment) {
    if (col < 0 || col >= cols() || alignment < kAlignLeftTop || alignment > kAlignGeneral) {
        return;
    }
    m_colAlignments[col] = alignment;
    update();
}

int MSFlexGrid::colWidthTwips(int col) const {
    return col >= 0 && col < cols() ? m_colWidths[col] : 0;
}

void MSFlexGrid::setColWidthTwips(int col, int twips) {
    if (col < 0 || col >= cols()) {
        return;
    }
    m_colWidths[col] = twips < 0 ? kDefaultColWidthTwips : twips;
    update();
}

int MSFlexGrid::rowHeightTwips(int row) const {
    return row >= 0 && row < rows() ? m_rowHeights[row] : 0;
}

void MSFlexGrid::setRowHeightTwips(int row, int twips) {
    if (row < 0 || row >= rows()) {
        return;
    }
    m_rowHeights[row] = twips < 0 ? kDefaultRowHeightTwips : twips;
    update();
}

int MSFlexGrid::colLeftTwips(int col) const {
    return std::accumulate(m_colWidths.cbegin(), m_colWidths.cbegin() + col, 0);
}

int MSFlexGrid::rowTopTwips(int row) const {
    return std::accumulate(m_rowHeights.cbegin(), m_rowHeights.cbegin() + row, 0);
}

int MSFlexGrid::twipsToPixelsX(int twips) const {
    return toPixels(twips, logicalDpiX());
}

int MSFlexGrid::twipsToPixelsY(int twips) const {
    return toPixels(twips, logicalDpiY());
}

int MSFlexGrid::pixelsToTwipsX(int pixels) const {
    return toTwips(pixels, logicalDpiX());
}

int MSFlexGrid::pixelsToTwipsY(int pixels) const {
    return toTwips(pixels, logicalDpiY());
}

// Both edges of a cell are converted from their twips position, so the rectangle starts
// exactly where twipsToPixels(cellLeft) puts an editor, and neighbouring cells never overlap
// or leave a gap, whatever the rounding.
QRect MSFlexGrid::cellRect(int row, int col) const {
    if (row < 0 || row >= rows() || col < 0 || col >= cols()) {
        return QRect();
    }
    const int left = colLeftTwips(col);
    const int top = rowTopTwips(row);
    const int x0 = twipsToPixelsX(left);
    const int y0 = twipsToPixelsY(top);
    return QRect(x0, y0, twipsToPixelsX(left + m_colWidths[col]) - x0,
                 twipsToPixelsY(top + m_rowHeights[row]) - y0);
}

int MSFlexGrid::rowAt(int y) const {
    int top = 0;
    for (int r = 0; r < rows(); ++r) {
        const int bottom = top + m_rowHeights[r];
        if (y >= twipsToPixelsY(top) && y < twipsToPixelsY(bottom)) {
            return r;
        }
        top = bottom;
    }
    return -1;
}

int MSFlexGrid::colAt(int x) const {
    int left = 0;
    for (int c = 0; c < cols(); ++c) {
        const int right = left + m_colWidths[c];
        if (x >= twipsToPixelsX(left) && x < twipsToPixelsX(right)) {
            return c;
        }
        left = right;
    }
    return -1;
}

QSize MSFlexGrid::sizeHint() const {
    return QSize(twipsToPixelsX(kDefaultWidthTwips), twipsToPixelsY(kDefaultHeightTwips));
}

void MSFlexGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), kColorBackground);
    painter.setFont(font());
    for (int r = 0; r < rows(); ++r) {
        for (int c = 0; c < cols(); ++c) {
            const QRect rect = cellRect(r, c);
            if (!rect.isEmpty() && rect.intersects(event->rect())) {
                paintCell(painter, r, c, rect);
            }
        }
    }

    // The current cell's dotted focus rectangle, just inside its grid lines, while the grid has
    // the focus: an in-cell editor takes the focus and then covers the cell alone.
    const QRect current = cellRect(m_row, m_col);
    if (hasFocus() && current.width() > 3 && current.height() > 3) {
        painter.setPen(QPen(kColorText, 0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(current.adjusted(1, 1, -3, -3));
    }
}

// A cell's grid lines are its own last pixel column and row, so that the column widths add up
// to the grid's width exactly.
void MSFlexGrid::paintCell(QPainter& painter, int row, int col, const QRect& rect) const {
    const bool fixed = row < m_fixedRows || col < m_fixedCols;
    const bool selected = !fixed && selection().contains(col, row);
    painter.fillRect(rect,
                     fixed ? kColorFixed : (selected ? palette().color(QPalette::Highlight) : kColorCell));
    if (fixed) {
        painter.setPen(kColorFixedLight);
        painter.drawLine(rect.left(), rect.top(), rect.right() - 1, rect.top());
        painter.drawLine(rect.left(), rect.top(), rect.left(), rect.bottom() - 1);
        painter.setPen(kColorFixedShadow);
    } else {
        painter.setPen(kColorGridLine);
    }
    painter.drawLine(rect.right(), rect.top(), rect.right(), rect.bottom());
    painter.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());

    const QString& text = m_texts[row][col];
    if (text.isEmpty()) {
        return;
    }
    painter.setPen(fixed ? m_foreFixed
                         : (selected ? palette().color(QPalette::HighlightedText) : kColorText));
    const QRect textRect = rect.adjusted(kTextMarginX, kTextMarginY, -kTextMarginX - 1, -kTextMarginY - 1);
    painter.drawText(textRect, qtAlignment(m_colAlignments[col], text) | Qt::TextSingleLine, text);
}

void MSFlexGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        const int r = rowAt(pos.y());
        const int c = colAt(pos.x());
        const bool shift = event->modifiers() & Qt::ShiftModifier;
        if (r >= m_fixedRows && c >= m_fixedCols) {
            if (shift) {
                extendSelection(QPoint(c, r));
            } else {
                clearSelection();
                moveTo(r, c);
            }
        } else if (r >= m_fixedRows && c >= 0 && c < m_fixedCols) {
            // A row's number selects the row; with Shift, the rows from the anchor's row on. The
            // current cell stays where it is: a fixed cell is never current.
            const int from =
                shift ? std::clamp(m_selAnchor.isNull() ? m_row : m_selAnchor.y(), m_fixedRows, rows() - 1)
                      : r;
            selectRange(cellsBetween(QPoint(m_fixedCols, from), QPoint(cols() - 1, r)));
            m_selAnchor.setY(from);
            m_selEnd.setY(r);
        } else if (r >= 0 && r < m_fixedRows && c >= m_fixedCols) {
            // A column's heading selects the column, in the same way.
            const int from =
                shift ? std::clamp(m_selAnchor.isNull() ? m_col : m_selAnchor.x(), m_fixedCols, cols() - 1)
                      : c;
            selectRange(cellsBetween(QPoint(from, m_fixedRows), QPoint(c, rows() - 1)));
            m_selAnchor.setX(from);
            m_selEnd.setX(c);
        }
    }

    int button = 0;
    switch (event->button()) {
    case Qt::LeftButton:
        button = 1;
        break;
    case Qt::RightButton:
        button = 2;
        break;
    case Qt::MiddleButton:
        button = 4;
        break;
    default:
        break;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int shift = (mods & Qt::ShiftModifier ? 1 : 0) | (mods & Qt::ControlModifier ? 2 : 0) |
                      (mods & Qt::AltModifier ? 4 : 0);
    emit mouseDown(button, shift, pos.x(), pos.y());
}

// The keys move the current cell within the non-fixed cells and stop at their edges. From a
// fixed cell the program made current, the first key brings it into the non-fixed cells. The
// grid never scrolls, so Page Up and Page Down go to the first and last row. With Shift, the
// same keys move the far corner of the selection instead.
void MSFlexGrid::keyPressEvent(QKeyEvent* event) {
    const int firstRow = m_fixedRows;
    const int firstCol = m_fixedCols;
    const int lastRow = rows() - 1;
    const int lastCol = cols() - 1;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    if (firstRow > lastRow || firstCol > lastCol || (mods & ~(Qt::ShiftModifier | Qt::ControlModifier)) ||
        (shift && ctrl)) {
        QWidget::keyPressEvent(event);
        return;
    }

    const QPoint from = shift && !m_selAnchor.isNull() ? m_selEnd : QPoint(m_col, m_row);
    int r = from.y();
    int c = from.x();
    switch (event->key()) {
    case Qt::Key_Up:
        --r;
        break;
    case Qt::Key_Down:
        ++r;
        break;
    case Qt::Key_Left:
        --c;
        break;
    case Qt::Key_Right:
        ++c;
        break;
    case Qt::Key_Home:
        c = firstCol;
        r = ctrl ? firstRow : r;
        break;
    case Qt::Key_End:
        c = lastCol;
        r = ctrl ? lastRow : r;
        break;
    case Qt::Key_PageUp:
        r = firstRow;
        break;
    case Qt::Key_PageDown:
        r = lastRow;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (shift) {
        if (m_row >= firstRow && m_col >= firstCol) {
            extendSelection(QPoint(c, r));
        }
        return;
    }
    clearSelection();
    moveTo(std::clamp(r, firstRow, lastRow), std::clamp(c, firstCol, lastCol));
}

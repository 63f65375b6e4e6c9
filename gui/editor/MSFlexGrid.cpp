#include "editor/MSFlexGrid.h"

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
    case CMSFlexGrid::kAlignLeftTop:
        return Qt::AlignLeft | Qt::AlignTop;
    case CMSFlexGrid::kAlignLeftCenter:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case CMSFlexGrid::kAlignLeftBottom:
        return Qt::AlignLeft | Qt::AlignBottom;
    case CMSFlexGrid::kAlignCenterTop:
        return Qt::AlignHCenter | Qt::AlignTop;
    case CMSFlexGrid::kAlignCenterCenter:
        return Qt::AlignCenter;
    case CMSFlexGrid::kAlignCenterBottom:
        return Qt::AlignHCenter | Qt::AlignBottom;
    case CMSFlexGrid::kAlignRightTop:
        return Qt::AlignRight | Qt::AlignTop;
    case CMSFlexGrid::kAlignRightCenter:
        return Qt::AlignRight | Qt::AlignVCenter;
    case CMSFlexGrid::kAlignRightBottom:
        return Qt::AlignRight | Qt::AlignBottom;
    default: {
        bool number = false;
        QLocale::c().toDouble(text.trimmed(), &number);
        return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
    }
}

} // namespace

CMSFlexGrid::CMSFlexGrid(QWidget* parent)
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

void CMSFlexGrid::setRows(int rows) {
    if (rows < std::max(1, m_nFixedRows) || rows == this->rows()) {
        return;
    }
    if (m_nRow >= rows) {
        moveTo(rows - 1, m_nCol);
    }
    m_texts.resize(rows, QVector<QString>(cols()));
    m_rowHeights.resize(rows, kDefaultRowHeightTwips);
    update();
}

void CMSFlexGrid::setCols(int cols) {
    if (cols < std::max(1, m_nFixedCols) || cols == this->cols()) {
        return;
    }
    if (m_nCol >= cols) {
        moveTo(m_nRow, cols - 1);
    }
    for (QVector<QString>& rowTexts : m_texts) {
        rowTexts.resize(cols);
    }
    m_colWidths.resize(cols, kDefaultColWidthTwips);
    m_colAlignments.resize(cols, kAlignGeneral);
    update();
}

void CMSFlexGrid::setRow(int row) {
    if (row >= 0 && row < rows()) {
        moveTo(row, m_nCol);
    }
}

void CMSFlexGrid::setCol(int col) {
    if (col >= 0 && col < cols()) {
        moveTo(m_nRow, col);
    }
}

void CMSFlexGrid::setRowCol(int row, int col) {
    if (row >= 0 && row < rows() && col >= 0 && col < cols()) {
        moveTo(row, col);
    }
}

void CMSFlexGrid::moveTo(int row, int col) {
    if (row == m_nRow && col == m_nCol) {
        return;
    }
    emit LeaveCell();
    update(cellRect(m_nRow, m_nCol));
    m_nRow = row;
    m_nCol = col;
    update(cellRect(m_nRow, m_nCol));
    emit EnterCell();
}

QString CMSFlexGrid::textMatrix(int row, int col) const {
    if (row < 0 || row >= rows() || col < 0 || col >= cols()) {
        return QString();
    }
    return m_texts[row][col];
}

void CMSFlexGrid::setTextMatrix(int row, int col, const QString& text) {
    if (row < 0 || row >= rows() || col < 0 || col >= cols() || m_texts[row][col] == text) {
        return;
    }
    m_texts[row][col] = text;
    update(cellRect(row, col));
}

void CMSFlexGrid::setForeColorFixed(const QColor& color) {
    m_clrForeFixed = color;
    update();
}

int CMSFlexGrid::colAlignment(int col) const {
    return col >= 0 && col < cols() ? m_colAlignments[col] : kAlignGeneral;
}

void CMSFlexGrid::setColAlignment(int col, int alignment) {
    if (col < 0 || col >= cols() || alignment < kAlignLeftTop || alignment > kAlignGeneral) {
        return;
    }
    m_colAlignments[col] = alignment;
    update();
}

int CMSFlexGrid::colWidth(int col) const {
    return col >= 0 && col < cols() ? m_colWidths[col] : 0;
}

void CMSFlexGrid::setColWidth(int col, int twips) {
    if (col < 0 || col >= cols()) {
        return;
    }
    m_colWidths[col] = twips < 0 ? kDefaultColWidthTwips : twips;
    update();
}

int CMSFlexGrid::rowHeight(int row) const {
    return row >= 0 && row < rows() ? m_rowHeights[row] : 0;
}

void CMSFlexGrid::setRowHeight(int row, int twips) {
    if (row < 0 || row >= rows()) {
        return;
    }
    m_rowHeights[row] = twips < 0 ? kDefaultRowHeightTwips : twips;
    update();
}

int CMSFlexGrid::colLeftTwips(int col) const {
    return std::accumulate(m_colWidths.cbegin(), m_colWidths.cbegin() + col, 0);
}

int CMSFlexGrid::rowTopTwips(int row) const {
    return std::accumulate(m_rowHeights.cbegin(), m_rowHeights.cbegin() + row, 0);
}

int CMSFlexGrid::twipsToPixelsX(int twips) const {
    return toPixels(twips, logicalDpiX());
}

int CMSFlexGrid::twipsToPixelsY(int twips) const {
    return toPixels(twips, logicalDpiY());
}

int CMSFlexGrid::pixelsToTwipsX(int pixels) const {
    return toTwips(pixels, logicalDpiX());
}

int CMSFlexGrid::pixelsToTwipsY(int pixels) const {
    return toTwips(pixels, logicalDpiY());
}

// Both edges of a cell are converted from their twips position, so the rectangle starts
// exactly where twipsToPixels(cellLeft) puts an editor, and neighbouring cells never overlap
// or leave a gap, whatever the rounding.
QRect CMSFlexGrid::cellRect(int row, int col) const {
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

int CMSFlexGrid::rowAt(int y) const {
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

int CMSFlexGrid::colAt(int x) const {
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

QSize CMSFlexGrid::sizeHint() const {
    return QSize(twipsToPixelsX(kDefaultWidthTwips), twipsToPixelsY(kDefaultHeightTwips));
}

void CMSFlexGrid::paintEvent(QPaintEvent* event) {
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
    const QRect current = cellRect(m_nRow, m_nCol);
    if (hasFocus() && current.width() > 3 && current.height() > 3) {
        painter.setPen(QPen(kColorText, 0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(current.adjusted(1, 1, -3, -3));
    }
}

// A cell's grid lines are its own last pixel column and row, so that the column widths add up
// to the grid's width exactly.
void CMSFlexGrid::paintCell(QPainter& painter, int row, int col, const QRect& rect) const {
    const bool fixed = row < m_nFixedRows || col < m_nFixedCols;
    painter.fillRect(rect, fixed ? kColorFixed : kColorCell);
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
    painter.setPen(fixed ? m_clrForeFixed : kColorText);
    const QRect textRect = rect.adjusted(kTextMarginX, kTextMarginY, -kTextMarginX - 1, -kTextMarginY - 1);
    painter.drawText(textRect, qtAlignment(m_colAlignments[col], text) | Qt::TextSingleLine, text);
}

void CMSFlexGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        const int r = rowAt(pos.y());
        const int c = colAt(pos.x());
        if (r >= m_nFixedRows && c >= m_nFixedCols) {
            moveTo(r, c);
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
    emit MouseDown(button, shift, pos.x(), pos.y());
}

// The keys move the current cell within the non-fixed cells and stop at their edges. From a
// fixed cell the program made current, the first key brings it into the non-fixed cells. The
// grid never scrolls, so Page Up and Page Down go to the first and last row.
void CMSFlexGrid::keyPressEvent(QKeyEvent* event) {
    const int firstRow = m_nFixedRows;
    const int firstCol = m_nFixedCols;
    const int lastRow = rows() - 1;
    const int lastCol = cols() - 1;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (firstRow > lastRow || firstCol > lastCol || (mods != Qt::NoModifier && mods != Qt::ControlModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }

    const bool ctrl = mods == Qt::ControlModifier;
    int r = m_nRow;
    int c = m_nCol;
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
    moveTo(std::clamp(r, firstRow, lastRow), std::clamp(c, firstCol, lastCol));
}

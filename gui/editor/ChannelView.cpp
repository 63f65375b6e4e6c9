#include "editor/ChannelView.h"

#include "app/Resource.h"
#include "editor/ChannelDelegate.h"
#include "editor/ChannelModel.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionHeader>
#include <QStylePainter>

#include <algorithm>

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kRowHeightTwips = 255;
constexpr int kLastCol = kChannelFieldCount;
constexpr int kLastRow = image::kChannelCount;

QRect cellsBetween(QPoint a, QPoint b) {
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

} // namespace

ChannelView::ChannelView(ChannelModel* model, QWidget* parent)
    : QTableView(parent), m_model(model), m_delegate(new ChannelDelegate(model, this)) {
    // Liberation Serif, which has the same metrics, stands in where the face is missing.
    QFont gridFont(QStringLiteral("Times New Roman"));
    gridFont.setPointSize(9);
    gridFont.setStyleHint(QFont::Serif);
    setFont(gridFont);
    setModel(model);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // White cells on the dark grey of the grid where there are no cells.
    QPalette colours = viewport()->palette();
    colours.setColor(QPalette::Base, QColor(128, 128, 128));
    viewport()->setPalette(colours);
    // The corner is the heading of the channel numbers.
    if (auto* corner = findChild<QAbstractButton*>()) {
        corner->installEventFilter(this);
    }

    const int rowHeight = twipsToPixelsY(kRowHeightTwips);
    QHeaderView* across = horizontalHeader();
    across->setSectionResizeMode(QHeaderView::Fixed);
    across->setHighlightSections(false);
    across->setFixedHeight(rowHeight);
    for (const ChannelFieldInfo& field : channelFields()) {
        across->resizeSection(field.col - 1, twipsToPixelsX(field.widthTwips));
    }
    QHeaderView* down = verticalHeader();
    down->setSectionResizeMode(QHeaderView::Fixed);
    down->setHighlightSections(false);
    down->setMinimumSectionSize(1);
    down->setDefaultSectionSize(rowHeight);
    down->setFixedWidth(twipsToPixelsX(kNumberColumnWidthTwips));
    // The headings select whole rows and columns as the grid always did, the current cell staying
    // (eventFilter).
    across->viewport()->installEventFilter(this);
    down->viewport()->installEventFilter(this);
    // An image changed by anything but this grid's own commit (undo, a read, a paste) makes an
    // edit still open in a cell stale: it is dropped, not taken.
    connect(model, &QAbstractItemModel::dataChanged, this, [this] {
        if (!m_delegate->isCommitting()) {
            abandonEdit();
        }
    });
    setRowCol(1, 1);
}

int ChannelView::twipsToPixelsX(int twips) const {
    return static_cast<int>(static_cast<qint64>(twips) * logicalDpiX() / kTwipsPerInch);
}

int ChannelView::twipsToPixelsY(int twips) const {
    return static_cast<int>(static_cast<qint64>(twips) * logicalDpiY() / kTwipsPerInch);
}

int ChannelView::row() const {
    return currentIndex().row() + 1;
}

int ChannelView::col() const {
    return currentIndex().column() + 1;
}

void ChannelView::setRowCol(int row, int col) {
    if (row >= 1 && row <= kLastRow && col >= 1 && col <= kLastCol) {
        moveTo(row, col);
    }
}

void ChannelView::moveTo(int row, int col) {
    const QModelIndex target =
        m_model->index(std::clamp(row, 1, kLastRow) - 1, std::clamp(col, 1, kLastCol) - 1);
    m_selectionEnd = QPoint();
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
}

QRect ChannelView::selection() const {
    const QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty() || (cells.size() == 1 && cells.front() == currentIndex())) {
        return {};
    }
    QRect bounds;
    for (const QModelIndex& cell : cells) {
        bounds |= QRect(cell.column() + 1, cell.row() + 1, 1, 1);
    }
    return bounds;
}

std::pair<int, int> ChannelView::selectedRows() const {
    const QRect cells = selection();
    if (cells.isNull() || cells.left() > 1 || cells.right() < kLastCol) {
        return {0, 0};
    }
    return {cells.top(), cells.bottom()};
}

void ChannelView::selectRange(const QRect& cells) {
    const QRect within = cellsBetween(cells.topLeft(), cells.bottomRight())
                             .intersected(QRect(QPoint(1, 1), QPoint(kLastCol, kLastRow)));
    if (within.isEmpty()) {
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
        return;
    }
    m_anchor = within.topLeft();
    m_selectionEnd = within.bottomRight();
    selectionModel()->select(QItemSelection(m_model->index(within.top() - 1, within.left() - 1),
                                            m_model->index(within.bottom() - 1, within.right() - 1)),
                             QItemSelectionModel::ClearAndSelect);
}

CellRange ChannelView::chosenCells() const {
    const QRect cells = selection();
    if (cells.isNull()) {
        return {row(), col(), row(), col()};
    }
    return {cells.top(), cells.left(), cells.bottom(), cells.right()};
}

void ChannelView::extendSelection(QPoint end) {
    const QPoint from(col(), row());
    end = QPoint(std::clamp(end.x(), 1, kLastCol), std::clamp(end.y(), 1, kLastRow));
    selectRange(cellsBetween(from, end));
    m_anchor = from;
    m_selectionEnd = end;
    scrollTo(m_model->index(end.y() - 1, end.x() - 1));
}

bool ChannelView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && qobject_cast<QAbstractButton*>(watched) != nullptr) {
        auto* corner = static_cast<QWidget*>(watched);
        QStylePainter painter(corner);
        QStyleOptionHeader heading;
        heading.initFrom(corner);
        heading.rect = corner->rect();
        heading.text = cellText(0, 0);
        heading.textAlignment = Qt::AlignCenter;
        heading.palette.setColor(
            QPalette::ButtonText,
            m_model->headerData(0, Qt::Horizontal, Qt::ForegroundRole).value<QBrush>().color());
        painter.setFont(horizontalHeader()->font());
        painter.drawControl(QStyle::CE_Header, heading);
        return true;
    }
    const bool across = watched == horizontalHeader()->viewport();
    if ((across || watched == verticalHeader()->viewport()) &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        QHeaderView* header = across ? horizontalHeader() : verticalHeader();
        const int section = header->logicalIndexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && section >= 0) {
            onHeaderPressed(header->orientation(), section, mouse->modifiers() & Qt::ShiftModifier);
        }
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void ChannelView::onHeaderPressed(Qt::Orientation orientation, int section, bool shift) {
    commitPendingEdit();
    setFocus(Qt::MouseFocusReason);
    const bool hadSelection = !selection().isNull();
    if (orientation == Qt::Vertical) {
        const int to = section + 1;
        const int from = shift ? (hadSelection ? m_anchor.y() : row()) : to;
        selectRows(std::min(from, to), std::max(from, to));
        m_anchor = QPoint(1, from);
        m_selectionEnd = QPoint(kLastCol, to);
    } else {
        const int to = section + 1;
        const int from = shift ? (hadSelection ? m_anchor.x() : col()) : to;
        selectRange(QRect(QPoint(std::min(from, to), 1), QPoint(std::max(from, to), kLastRow)));
        m_anchor = QPoint(from, 1);
        m_selectionEnd = QPoint(to, kLastRow);
    }
}

QString ChannelView::cellText(int row, int col) const {
    if (row == 0 && col == 0) {
        return QString::fromUtf8(ChannelTable::heading(0, m_model->language()));
    }
    if (row == 0) {
        return m_model->headerData(col - 1, Qt::Horizontal).toString();
    }
    if (col == 0) {
        return m_model->headerData(row - 1, Qt::Vertical).toString();
    }
    return m_model->index(row - 1, col - 1).data().toString();
}

QWidget* ChannelView::cellWidget(int row, int col) const {
    return row == 0 ? horizontalHeader()->viewport() : (col == 0 ? verticalHeader()->viewport() : viewport());
}

QRect ChannelView::cellRect(int row, int col) const {
    if (row == 0) {
        const QHeaderView* header = horizontalHeader();
        return QRect(header->sectionViewportPosition(col - 1), 0, header->sectionSize(col - 1),
                     header->height());
    }
    if (col == 0) {
        const QHeaderView* header = verticalHeader();
        return QRect(0, header->sectionViewportPosition(row - 1), header->width(),
                     header->sectionSize(row - 1));
    }
    return visualRect(m_model->index(row - 1, col - 1));
}

QWidget* ChannelView::openEditor() const {
    QWidget* editor = m_delegate->openEditor();
    // Open, even while its window is minimised or hidden: an edit there still counts.
    return editor != nullptr && !editor->isHidden() && state() == QAbstractItemView::EditingState ? editor
                                                                                                  : nullptr;
}

bool ChannelView::commitPendingEdit() {
    QWidget* editor = openEditor();
    if (editor == nullptr) {
        return true;
    }
    commitData(editor);
    const bool refused = m_delegate->takeRefused();
    dropEditor(editor);
    return !refused;
}

void ChannelView::abandonEdit() {
    if (QWidget* editor = openEditor()) {
        dropEditor(editor);
    }
}

// Qt gives the keyboard back to the view only when the editor has the focus of the active window;
// the grid takes it back whenever the editor was its window's focus, so that the keys reach the
// grid also while the window is not active (no window manager, a dialog in between).
void ChannelView::dropEditor(QWidget* editor) {
    const QWidget* focus = window()->focusWidget();
    const bool hadFocus = focus != nullptr && (focus == editor || editor->isAncestorOf(focus));
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (hadFocus) {
        setFocus(Qt::OtherFocusReason);
        // A screen reader is back on the cell, also where the window system sends no focus change.
        if (QAccessible::isActive()) {
            QAccessibleInterface* table = QAccessible::queryAccessibleInterface(this);
            if (QAccessibleInterface* cell = table->tableInterface()->cellAt(row() - 1, col() - 1)) {
                QAccessibleEvent event(this, QAccessible::Focus);
                event.setChild(table->indexOfChild(cell));
                QAccessible::updateAccessibility(&event);
            }
        }
    }
}

void ChannelView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const bool refused = m_delegate->takeRefused();
    dropEditor(editor);
    if (refused) {
        return; // the current cell stays where it is
    }
    switch (hint) {
    case QAbstractItemDelegate::SubmitModelCache: // Enter
        moveBy(1);
        break;
    case QAbstractItemDelegate::EditNextItem:
        moveBy(1);
        break;
    case QAbstractItemDelegate::EditPreviousItem:
        moveBy(-1);
        break;
    default:
        break;
    }
}

void ChannelView::moveBy(int step) {
    const int count = kLastRow * kLastCol;
    int index = (row() - 1) * kLastCol + (col() - 1) + step;
    index = (index % count + count) % count;
    moveTo(index / kLastCol + 1, index % kLastCol + 1);
}

void ChannelView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    // F1 on the grid tells of the current cell's column.
    if (current.isValid()) {
        setProperty(kHelpIdProperty, ChannelModel::field(current).helpId);
    }
}

void ChannelView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() && (event->modifiers() & Qt::ShiftModifier)) {
        // A click that selects cells takes the open edit and leaves the keys to the grid.
        commitPendingEdit();
        extendSelection(QPoint(index.column() + 1, index.row() + 1));
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
    // A plain click edits the cell it made current.
    if (event->button() == Qt::LeftButton && index.isValid() && event->modifiers() == Qt::NoModifier &&
        currentIndex() == index && openEditor() == nullptr) {
        edit(index);
    }
}

// Until the user types into a cell, presses F2 or clicks it, the keys move the current cell;
// with Shift, the far corner of the selection instead.
void ChannelView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    if (mods == Qt::NoModifier || mods == Qt::ShiftModifier) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!shift) {
                moveBy(1);
                event->accept();
                return;
            }
            break;
        case Qt::Key_Tab:
            moveBy(1);
            event->accept();
            return;
        case Qt::Key_Backtab:
            moveBy(-1);
            event->accept();
            return;
        default:
            break;
        }
    }
    if ((mods & ~(Qt::ShiftModifier | Qt::ControlModifier)) || (shift && ctrl)) {
        QTableView::keyPressEvent(event);
        return;
    }
    const QPoint from =
        shift && !m_selectionEnd.isNull() && !selection().isNull() ? m_selectionEnd : QPoint(col(), row());
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
        c = 1;
        r = ctrl ? 1 : r;
        break;
    case Qt::Key_End:
        c = kLastCol;
        r = ctrl ? kLastRow : r;
        break;
    case Qt::Key_PageUp:
        r = 1;
        break;
    case Qt::Key_PageDown:
        r = kLastRow;
        break;
    default:
        QTableView::keyPressEvent(event);
        return;
    }
    event->accept();
    if (shift) {
        extendSelection(QPoint(c, r));
    } else {
        moveTo(r, c);
    }
}

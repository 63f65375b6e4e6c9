#include "editor/FlexGridAccessible.h"

#include "editor/MSFlexGrid.h"

#include <QCoreApplication>

namespace {

// One cell; table rows count the grid's rows below the heading row.
class CellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CellAccessible(MSFlexGrid* grid, int row, int column) : m_grid(grid), m_row(row), m_column(column) {}

    bool isValid() const override { return m_grid != nullptr; }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_grid); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Cell; }

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
        case QAccessible::Name:
            return QCoreApplication::translate("FlexGridAccessible", "%1, channel %2")
                .arg(m_grid->textMatrix(0, m_column))
                .arg(m_row + 1);
        case QAccessible::Value:
        case QAccessible::Description:
            return m_grid->textMatrix(m_row + 1, m_column);
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        const QRect local = m_grid->cellRect(m_row + 1, m_column);
        return QRect(m_grid->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = true;
        state.selectable = true;
        const bool current = m_grid->row() == m_row + 1 && m_grid->col() == m_column;
        const QRect selection = m_grid->selection();
        state.focused = current && m_grid->hasFocus();
        state.selected = selection.isNull() ? current : selection.contains(m_column, m_row + 1);
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this)
                                                       : nullptr;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    MSFlexGrid* m_grid;
    int m_row;
    int m_column;
};

} // namespace

FlexGridAccessible::FlexGridAccessible(QWidget* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

FlexGridAccessible::~FlexGridAccessible() {
    for (QAccessible::Id id : std::as_const(m_cells)) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

QAccessibleInterface* FlexGridAccessible::create(const QString& className, QObject* object) {
    if (className == QLatin1String("MSFlexGrid") && object != nullptr && object->isWidgetType()) {
        return new FlexGridAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}

MSFlexGrid* FlexGridAccessible::grid() const {
    return static_cast<MSFlexGrid*>(widget());
}

void* FlexGridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

int FlexGridAccessible::rowCount() const {
    return grid()->rows() - 1;
}

int FlexGridAccessible::columnCount() const {
    return grid()->cols();
}

int FlexGridAccessible::childCount() const {
    return rowCount() * columnCount();
}

QAccessibleInterface* FlexGridAccessible::child(int index) const {
    const int columns = columnCount();
    return columns > 0 ? cellAt(index / columns, index % columns) : nullptr;
}

int FlexGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* cell =
        child != nullptr ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    return cell != nullptr ? cell->rowIndex() * columnCount() + cell->columnIndex() : -1;
}

QAccessibleInterface* FlexGridAccessible::cellAt(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return nullptr;
    }
    const int key = row * columnCount() + column;
    auto it = m_cells.constFind(key);
    if (it == m_cells.constEnd()) {
        it = m_cells.insert(
            key, QAccessible::registerAccessibleInterface(new CellAccessible(grid(), row, column)));
    }
    return QAccessible::accessibleInterface(it.value());
}

int FlexGridAccessible::selectedCellCount() const {
    return static_cast<int>(selectedCells().size());
}

QList<QAccessibleInterface*> FlexGridAccessible::selectedCells() const {
    QRect cells = grid()->selection();
    if (cells.isNull()) {
        cells = QRect(grid()->col(), grid()->row(), 1, 1);
    }
    QList<QAccessibleInterface*> selected;
    for (int r = cells.top(); r <= cells.bottom(); ++r) {
        for (int c = cells.left(); c <= cells.right(); ++c) {
            if (QAccessibleInterface* cell = cellAt(r - 1, c)) {
                selected << cell;
            }
        }
    }
    return selected;
}

// Table rows and columns count the cells below the heading row; column 0 holds the numbers.
QList<int> FlexGridAccessible::selectedRows() const {
    const QRect cells = grid()->selection();
    QList<int> rows;
    if (!cells.isNull() && cells.left() <= grid()->fixedCols() && cells.right() == grid()->cols() - 1) {
        for (int r = cells.top(); r <= cells.bottom(); ++r) {
            rows << r - 1;
        }
    }
    return rows;
}

QList<int> FlexGridAccessible::selectedColumns() const {
    const QRect cells = grid()->selection();
    QList<int> columns;
    if (!cells.isNull() && cells.top() == 1 && cells.bottom() == grid()->rows() - 1) {
        for (int c = cells.left(); c <= cells.right(); ++c) {
            columns << c;
        }
    }
    return columns;
}

bool FlexGridAccessible::selectRow(int row) {
    if (row < 0 || row >= rowCount()) {
        return false;
    }
    grid()->selectRows(row + 1, row + 1);
    return true;
}

bool FlexGridAccessible::selectColumn(int column) {
    if (column < grid()->fixedCols() || column >= columnCount()) {
        return false;
    }
    grid()->selectRange(QRect(QPoint(column, 1), QPoint(column, grid()->rows() - 1)));
    return true;
}

bool FlexGridAccessible::unselectRow(int row) {
    if (!isRowSelected(row)) {
        return false;
    }
    grid()->clearSelection();
    return true;
}

bool FlexGridAccessible::unselectColumn(int column) {
    if (!isColumnSelected(column)) {
        return false;
    }
    grid()->clearSelection();
    return true;
}

QString FlexGridAccessible::columnDescription(int column) const {
    return grid()->textMatrix(0, column);
}

QString FlexGridAccessible::rowDescription(int row) const {
    return grid()->textMatrix(row + 1, 0);
}

void FlexGridAccessible::currentCellChanged() {
    if (QAccessibleInterface* cell = cellAt(grid()->row() - 1, grid()->col())) {
        QAccessibleEvent event(cell, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

void FlexGridAccessible::selectionChanged() {
    QAccessibleEvent event(grid(), QAccessible::SelectionWithin);
    QAccessible::updateAccessibility(&event);
}

void FlexGridAccessible::cellTextChanged(int gridRow, int gridColumn) {
    if (QAccessibleInterface* cell = cellAt(gridRow - 1, gridColumn)) {
        QAccessibleEvent event(cell, QAccessible::ValueChanged);
        QAccessible::updateAccessibility(&event);
    }
}

#pragma once

#include <QAccessibleWidget>
#include <QHash>

class MSFlexGrid;

// What assistive technology sees of the grid: a table of the channel rows (the heading row is
// its column headers) and every column, the channel number column included. A cell's name is
// its column heading and its channel ("Rx Frequency, channel 3"), its value the cell's text. The
// grid reports the current cell as focused and announces moves and edits.
class FlexGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit FlexGridAccessible(QWidget* grid);
    ~FlexGridAccessible() override;

    // For QAccessible::installFactory: the interface of an MSFlexGrid, nullptr for anything else.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    // QAccessibleInterface
    QAccessible::Role role() const override { return QAccessible::Table; }
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int columnCount() const override;
    int rowCount() const override;
    int selectedCellCount() const override;
    int selectedColumnCount() const override { return static_cast<int>(selectedColumns().size()); }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    // The selected cells, or the current cell when nothing is selected.
    QList<QAccessibleInterface*> selectedCells() const override;
    // Rows (columns) all of whose channel cells are selected.
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override { return selectedColumns().contains(column); }
    bool isRowSelected(int row) const override { return selectedRows().contains(row); }
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    // The grid told us its current cell moved, its selection changed, or a cell's text changed.
    void currentCellChanged();
    void selectionChanged();
    void cellTextChanged(int gridRow, int gridColumn);

private:
    MSFlexGrid* grid() const;

    mutable QHash<int, QAccessible::Id> m_cells; // by row * columns + column
};

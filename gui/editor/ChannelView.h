#pragma once

#include "channels/ChannelPaste.h"

#include <QTableView>

#include <utility>

class ChannelDelegate;
class ChannelModel;

// The channel grid: the channel model in a table view, edited in place like a spreadsheet. Cells
// are named as the grid always named them: row 1..16 the channel, column 1..8 the field of
// channelFields(); row 0 holds the headings and column 0 the channel numbers, which are the
// view's headers. Sizes are in twips (1440 to the inch) and become pixels through the view's
// logical resolution: the columns' widths from the field table, 255 twips a row and the
// heading row, 489 twips the number column. A view smaller than its cells scrolls.
//
// Keys: the arrows, Home, End (with Ctrl: the corners), Page Up and Page Down move the current
// cell; Enter moves to the next cell (the next row after column 8, back to the first cell after
// the last); Tab and Shift+Tab move likewise, wrapping round the grid. Typing a character starts
// an edit of the current cell with it (a line replaces the text, a list picks the item the
// letters begin); F2, a click on the cell or a double click opens the editor on the cell's text.
// In an open editor Enter, Tab and Shift+Tab take the text and move on, unless it was refused
// (the refusal is shown and the cell keeps its text); Escape drops the edit; leaving the cell
// takes it. Shift with a movement key or a click stretches the selection from the current cell,
// which stays where it is; a click on a row's number or a column's heading selects the row or
// the column, with Shift from the row or column selected before.
class ChannelView : public QTableView {
    Q_OBJECT
public:
    explicit ChannelView(ChannelModel* model, QWidget* parent = nullptr);

    ChannelModel* channelModel() const { return m_model; }

    // The current cell: row 1..16, column 1..8.
    int row() const;
    int col() const;
    void setRowCol(int row, int col);

    // The selected cells (x the column, y the row); a null rectangle when nothing is selected
    // beyond the current cell.
    QRect selection() const;
    // The rows of a selection that spans every column; {0, 0} otherwise.
    std::pair<int, int> selectedRows() const;
    void selectRange(const QRect& cells);
    void selectRows(int first, int last) {
        selectRange(QRect(QPoint(1, first), QPoint(kChannelFieldCount, last)));
    }
    void selectAll() override { selectRows(1, image::kChannelCount); }
    // The selected cells, or the current cell when nothing is selected.
    CellRange chosenCells() const;

    // What a cell shows, headings and numbers included.
    QString cellText(int row, int col) const;
    // Where a cell is drawn, and in which widget: the viewport for a channel's cell, the headers'
    // viewports for the headings and the numbers.
    QWidget* cellWidget(int row, int col) const;
    QRect cellRect(int row, int col) const;

    // The editor open in the current cell; nullptr when none is.
    QWidget* openEditor() const;
    // Takes the edit open in a cell, if any. False when its text was refused (the user has been
    // told and the cell keeps its text).
    bool commitPendingEdit();
    // Closes the open editor without taking its text.
    void abandonEdit();

    int twipsToPixelsX(int twips) const;
    int twipsToPixelsY(int twips) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Closes an editor without a hint; the grid takes the keyboard back from it.
    void dropEditor(QWidget* editor);
    // Moves the current cell to the grid cell (clamped) and selects nothing beyond it.
    void moveTo(int row, int col);
    void moveBy(int step);
    // Selects from the current cell to `end` (grid cells), which becomes the far corner.
    void extendSelection(QPoint end);
    void onHeaderPressed(Qt::Orientation orientation, int section, bool shift);

    ChannelModel* m_model;
    ChannelDelegate* m_delegate;
    QPoint m_selectionEnd; // the far corner the keys move, while a selection lasts
    QPoint m_anchor;       // where a Shift+click on a heading extends from
};

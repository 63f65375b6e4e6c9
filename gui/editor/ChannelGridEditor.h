#pragma once

#include "channels/ChannelTable.h"
#include "text/CoreTexts.h"

#include <QObject>

class MSFlexGrid;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QWidget;

// In-cell editing of the channel grid. The channel table (core) owns the texts and the rules;
// this class shows them in the grid, lays an editor exactly over the current cell, and passes
// what the user typed or chose back to the table. Each editor carries its control id in the
// "controlId" property, which F1 reports.
//
// Keys: Enter commits and moves to the next cell (next row after column 8, back to row 1,
// column 1 after the last cell), stopping where it is when the text was refused; Tab and
// Shift+Tab move like Enter; Escape abandons the edit; F2 or a double click reopens the editor.
// An editor opens on every cell the user enters. Until its text is changed, the grid's commands
// keep their keys (Ctrl+Z, Ctrl+C, Delete and the like act on the document, not on the text),
// and Shift with a movement key selects cells; a click that selects cells closes the editor.
class ChannelGridEditor : public QObject {
    Q_OBJECT
public:
    ChannelGridEditor(MSFlexGrid* grid, Language language, QObject* parent = nullptr);

    // Headings, channel numbers, colours, alignment and column widths; the editors' lists.
    void buildGrid();
    ChannelTable& table() { return m_table; }
    const ChannelTable& table() const { return m_table; }
    void setBandLimits(BandLimits limits) { m_limits = limits; }
    BandLimits bandLimits() const { return m_limits; }

    // Shows the table's texts in the grid.
    void refresh();
    // Commits the open editor, if any, to the current cell. False when its text was refused
    // (the user has been told and the cell keeps its text).
    bool commitPendingEdit();
    // Hides the open editor without committing.
    void abandonEdit();
    // Opens the editor of the current cell.
    void showCellEditor();

    QWidget* editorOf(int col) const;
    QWidget* visibleEditor() const;
    // The editors of the two frequency columns.
    QLineEdit* rxEditor() const;
    QLineEdit* txEditor() const;
    QComboBox* combo(int col) const;

signals:
    // A committed change altered the table.
    // A committed edit changed the texts of a row; row and col name the cell that was edited.
    void changed(int row, int col);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onEnterCell();
    void onLeaveCell();
    bool commit(); // the commit of the open editor, shared by leaving the cell and Enter
    void onMouseDown(int shift);
    // Whether a key typed into the open `editor` belongs to the grid and its commands.
    bool isGridKey(QObject* editor, const QKeyEvent* key) const;
    void moveAfterEnter();
    void moveBy(int step);

    MSFlexGrid* m_grid;
    Language m_language;
    ChannelTable m_table;
    BandLimits m_limits;
    // The editor of each field's column (channelFields()), by column; its control id is the
    // field's help id.
    QWidget* m_editors[kGridCols] = {};
    bool m_userChose = false;
};

#pragma once

#include "channels/ChannelPaste.h"
#include "channels/ChannelRows.h"
#include "document/ProgramDoc.h"

#include <QObject>
#include <QPointer>

#include <functional>

class AppContext;
class ChannelModel;
class ChannelView;
class QPrinter;

// The commands on one document and its channel grid, in one place: the Edit menu's (the cells,
// the rows, Product Information, Optional Features), File's Import and Export Channels, and the
// printed report. Each takes an edit still open in a cell first, changes the document through
// its one change call (one undo step) and shows what needs saying in the document's window.
class DocumentCommands : public QObject {
    Q_OBJECT
public:
    DocumentCommands(AppContext& context, ProgramDoc* doc, ChannelView* grid, QWidget* window);

    // Copy: the selected cells, or the current cell, as tab-separated text; whole channels also
    // as a channel list (text/csv). Cut: Copy, then Clear, as one undo step. Clear: the chosen
    // cells cleared as typing clears them; whole channels are erased. Select All selects every
    // channel.
    void copy();
    void cut();
    void clear();
    void selectAll();
    // Paste: a channel list (as export writes it) from the current row down; otherwise
    // tab-separated cells into the selection or from the current cell on, through the typing
    // rules. Fill Down: the top row of the selection into the rows below it (a single row takes
    // the row above). Either is one undo step; refused cells are listed and nothing changes
    // unless the user takes the accepted cells.
    void paste();
    void fillDown();
    // Import Channels: a CSV channel list, shown as a preview first, then one undo step. Export
    // Channels: the channel list as CSV.
    void importChannels();
    void exportChannels();
    // The row commands on the channel of the current cell; each is one undo step.
    void insertChannel();
    void deleteChannel();
    void moveChannelUp();
    void moveChannelDown();
    // The two settings dialogs: what they return is one undo step ("Product Information" with
    // the channels the new band cleared; the remembered choice follows it).
    void productInformation();
    void optionalFeatures();
    // Channel Plans: a plan applied to the channels as one undo step ("Apply Channel Plan"), with
    // the plans read afresh. Check Channels: the channel check's findings; the one gone to
    // becomes the grid's current cell.
    void channelPlans();
    void checkChannels();
    // Print and Print Preview: the report of the image (an open edit is taken first) on the
    // given printer.
    void print(QPrinter& printer);
    void printPreview(QPrinter& printer);
    // Draws the report on the printer; false when the printer could not be painted on.
    bool printReport(QPrinter& printer);

private:
    bool commitPendingEdit();
    BandLimits bandLimits() const;
    // The selected cells, or the current cell when nothing is selected.
    CellRange chosenCells() const;
    void copyToClipboard(const CellRange& cells);
    // The cells cleared as one undo step named `text`.
    void clearCellRange(const QString& text, const CellRange& cells);
    // Runs a cell edit on a copy of the table and applies it as one undo step named `text`;
    // `refusedText` (with %1 for the list) tells of refused cells.
    void applyCells(const QString& text, const QString& refusedText,
                    const std::function<PasteResult(ChannelTable&, PasteMode)>& edit);
    QString refusalText(const PasteRefusal& refusal) const;
    void pasteList(const std::string& list, int row);
    // Applies a row command to a copy of the image and, when it is done, the copy as one step.
    void editRows(const QString& text, int nextRow, const std::function<RowEdit(MemoryImage&, int)>& edit);

    AppContext& m_context;
    QPointer<ProgramDoc> m_document;
    ChannelView* m_grid;
    ChannelModel* m_model;
    QWidget* m_window; // where the commands' dialogs and messages belong
};

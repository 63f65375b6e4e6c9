#pragma once

#include "channels/ChannelPaste.h"
#include "channels/ChannelRows.h"
#include "channels/Formats.h"
#include "document/ProgramDoc.h"

#include <QPointer>
#include <QWidget>
#include <functional>

#include <cstdint>

class AppContext;
class ChannelGridEditor;
class QPrinter;
class LanguageDlg;
class MSFlexGrid;
class QLabel;

// The channel view: a fixed form with the caption line ("Title" of Program.ini, red, 12 points)
// above the channel grid, edited in place.
//
// The grid's texts are the working copy of the channels: updateGridFromImage decodes the image
// into them whenever the document's image changes, writeBack() encodes them into the image
// before a save or a write to the radio, and commitPendingEdit finishes an edit that is under way
// in a cell. The band limits the grid checks follow the document's radio type and band.
class ProgramView : public QWidget, public IDocumentEditor {
    Q_OBJECT
public:
    // Form size in template units, and the places of the caption and of the grid in it.
    static constexpr int kFormWidth = 398;
    static constexpr int kFormHeight = 218;

    ProgramView(AppContext& context, ProgramDoc* doc, QWidget* parent = nullptr);
    ~ProgramView() override;

    ProgramDoc* document() const { return m_document; }

    // After the window is shown: the caption text on the first call, then the window icon and
    // the decoding of the image.
    void onInitialUpdate();

    void updateGridFromImage();
    bool commitPendingEdit() override;
    void writeBack(MemoryImage& image) override;

    // The band of the radio type, in 10 Hz units; 0 and 0 when Program.ini names none.
    int32_t freqMin10Hz() const;
    int32_t freqMax10Hz() const;

    QLabel* captionLabel() const { return m_caption; }
    MSFlexGrid* grid() const { return m_grid; }
    ChannelGridEditor* gridEditor() const { return m_gridEditor; }
    LanguageDlg* languageDialog() const { return m_languageDlg; }

public slots:
    // Edit, Copy: the selected cells, or the current cell, as tab-separated text; whole channels
    // also as a channel list (text/csv). Cut: Copy, then Clear, as one undo step. Clear: the
    // chosen cells cleared as typing clears them; whole channels are erased. Select All selects
    // every channel.
    void onCopy();
    void onCut();
    void onClearCells();
    void onSelectAll();
    // Paste: a channel list (as export writes it) from the current row down; otherwise
    // tab-separated cells into the selection or from the current cell on, through the typing
    // rules. Fill Down: the top row of the selection into the rows below it (a single row takes
    // the row above). Either is one undo step; refused cells are listed and nothing changes
    // unless the user takes the accepted cells.
    void onPaste();
    void onFillDown();
    // File, Import Channels: a CSV channel list, shown as a preview first, then one undo step.
    // Export Channels: the channel list as CSV.
    void onImportChannels();
    void onExportChannels();
    // Edit, the row commands on the channel of the current cell; each is one undo step.
    void onInsertChannel();
    void onDeleteChannel();
    void onMoveChannelUp();
    void onMoveChannelDown();
    // File, Print and Print Preview: the report of the grid as it shows (an open edit is
    // committed first) and of the image's options, on the given printer.
    void onFilePrint(QPrinter& printer);
    void onFilePrintPreview(QPrinter& printer);
    // Draws the report on the printer; false when the printer could not be painted on.
    bool printReport(QPrinter& printer);

private:
    void onCellChanged(int row, int col);
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
    QLabel* m_caption;
    MSFlexGrid* m_grid;
    ChannelGridEditor* m_gridEditor;
    bool m_firstUpdate = true;
    LanguageDlg* m_languageDlg;
};

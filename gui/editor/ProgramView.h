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
class ChannelModel;
class ChannelView;
class QPrinter;
class LanguageDlg;
class QLabel;

// The channel view: a fixed form with the caption line ("Title" of Program.ini, red, 12 points)
// above the channel grid, edited in place.
//
// The grid shows the document's image through the channel model, and every change goes into the
// image as one undo step; commitPendingEdit takes an edit still open in a cell (before a save, a
// write or a command). The band limits the grid checks follow the document's radio type and band.
class ProgramView : public QWidget {
    Q_OBJECT
public:
    // Form size in template units, and the places of the caption and of the grid in it.
    static constexpr int kFormWidth = 398;
    static constexpr int kFormHeight = 218;

    ProgramView(AppContext& context, ProgramDoc* doc, QWidget* parent = nullptr);
    ~ProgramView() override;

    ProgramDoc* document() const { return m_document; }
    // The form's size; the window may be smaller.
    QSize sizeHint() const override;

    // After the window is shown: the caption text on the first call, then the window icon and
    // the decoding of the image.
    void onInitialUpdate();

    bool commitPendingEdit();
    // The band of the document's radio type, which typed and pasted frequencies are checked against.
    BandLimits bandLimits() const;

    QLabel* captionLabel() const { return m_caption; }
    ChannelView* grid() const { return m_grid; }
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

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect gridPlace() const;
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
    ChannelModel* m_model;
    ChannelView* m_grid;
    bool m_firstUpdate = true;
    LanguageDlg* m_languageDlg;
};

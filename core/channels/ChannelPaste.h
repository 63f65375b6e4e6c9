#pragma once

#include "channels/ChannelCsv.h"
#include "channels/ChannelTable.h"
#include "text/CoreTexts.h"

#include <string>
#include <string_view>
#include <vector>

// Editing the channel grid a block of cells at a time, as spreadsheets do: copying, pasting,
// clearing and filling down, on a ChannelTable and so on its image. Every cell goes through the
// rules of typing (frequencies: band, step, what the image can hold; list cells: one of the
// list's texts, in either language).

// A rectangle of grid cells, corners included: rows 1..16, columns 1..8.
struct CellRange {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    // Rows first..last, every column.
    static CellRange rows(int first, int last) { return {first, 1, last, kGridCols - 1}; }
    bool isWholeRows() const { return left <= 1 && right >= kGridCols - 1; }
};

struct PasteRefusal {
    int row = 0; // grid row 1..16
    int col = 0; // grid column 1..8
    std::string text;
    // NotInUse: a bandwidth, scan, busy lock or power for a channel with one frequency, which
    // its record could not keep (ChannelTable::commitList).
    enum class Reason { OutOfRange, OffStep, NotInList, PastTheGrid, NotInUse } reason = Reason::OutOfRange;
};

enum class PasteMode {
    AllOrNothing, // any refused cell leaves the table as it was
    AcceptedPart, // the accepted cells are applied, the refused ones keep their texts
};

struct PasteResult {
    int rows = 0;  // rows of the grid the text covers
    int cells = 0; // cells it sets
    std::vector<PasteRefusal> refused;
    bool applied = false; // the table took the paste
    // A cell inside the grid was not refused: PasteMode::AcceptedPart would set it.
    bool someAccepted() const;
};

// Tab-separated text, one line a row, laid over the grid from a cell down and to the right. A
// first line that holds the grid's headings (as copied with them) is skipped; the text's last
// line end closes the last row, and empty lines before it are empty rows. Every refusal is listed; `table`
// changes only as `mode` allows.
PasteResult pasteCells(ChannelTable& table, int row, int col, const std::string& text, BandLimits limits,
                       PasteMode mode = PasteMode::AllOrNothing);

// Pastes into a selection: a single copied cell (one line without a tab, with or without its line
// end) fills every cell of `range`; any other text is laid from the range's top-left cell on, as
// pasteCells lays it.
PasteResult pasteIntoRange(ChannelTable& table, CellRange range, const std::string& text, BandLimits limits,
                           PasteMode mode = PasteMode::AllOrNothing);

// The cells of the range as tab-separated lines ending in "\n".
std::string copyCells(const ChannelTable& table, CellRange range);

// Clears the cells of the range as typing an empty text would: a cleared receive frequency
// deletes its channel, a cleared transmit frequency takes the receive frequency, and a cleared
// list cell of a channel in use takes the text a new channel has. A range of whole rows erases
// its channels, bytes and all (clearChannels). True when the image changed.
bool clearCells(ChannelTable& table, CellRange range, BandLimits limits);

// Fill down: each column of the range's top row is copied into the rows below it; a range of one
// row is filled from the row above it. Refusals as pasteCells has them.
PasteResult fillDown(ChannelTable& table, CellRange range, BandLimits limits,
                     PasteMode mode = PasteMode::AllOrNothing);

// True when the text is a channel list in the exchange layout (its first line is a header
// naming Location and Frequency), not cells of the grid.
bool isChannelList(std::string_view text);

struct ListPasteResult {
    std::vector<channelcsv::Problem> problems; // every bad row, by its line; nothing applied then
    int channels = 0;                          // channels pasted
};

// Pastes the channels of a list from channel `row` down: the list's first Location lands on
// `row` and the others keep their distance from it. Each channel is its whole record and scan
// bit, read through the rules of import; channels the list does not name, and the radio's
// options (the priority channel among them), stay as they were. All or nothing. The problems'
// reasons are in Chinese when `language`.
ListPasteResult pasteChannelList(MemoryImage& image, int row, std::string_view text, BandLimits limits,
                                 Language language = Language::English);

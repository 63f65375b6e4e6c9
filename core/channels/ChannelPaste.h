#pragma once

#include "channels/ChannelTable.h"

#include <string>
#include <vector>

// Pasting cells into the channel grid: tab-separated text, as spreadsheets copy it, one line a
// row, laid over the grid from a cell down and to the right. Every cell goes through the rules
// of typing (frequencies: band, step, what the image can hold; list cells: one of the list's
// texts, in either language). A paste is all or nothing: when any cell is refused, the table is
// left as it was and every refusal is listed.
struct PasteRefusal {
    int row = 0; // grid row 1..16
    int col = 0; // grid column 1..8
    std::string text;
    enum class Reason { OutOfRange, OffStep, NotInList, PastTheGrid } reason = Reason::OutOfRange;
};

struct PasteResult {
    int rows = 0;  // rows of the grid the text covers
    int cells = 0; // cells it sets
    std::vector<PasteRefusal> refused;
    bool applied() const { return refused.empty() && cells > 0; }
};

// A first line that holds the grid's headings (as copied with them) is skipped; empty lines at
// the end are ignored. `table` changes only when the whole paste is accepted.
PasteResult pasteCells(ChannelTable& table, int row, int col, const std::string& text, BandLimits limits);

// Rows `first`..`last` of the table, columns 1 to 8, as tab-separated lines ending in "\n".
std::string copyCells(const ChannelTable& table, int first, int last);

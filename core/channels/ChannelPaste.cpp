#include "channels/ChannelPaste.h"

#include "channels/ChannelRows.h"
#include "text/CoreTexts.h"

#include <algorithm>

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == separator) {
            parts.push_back(part);
            part.clear();
        } else if (c != '\r') {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

bool isHeadingLine(const std::vector<std::string>& cells, int firstCol) {
    for (Language language : {Language::English, Language::Chinese}) {
        bool all = !cells.empty();
        for (size_t i = 0; i < cells.size() && all; ++i) {
            const int col = firstCol + static_cast<int>(i);
            all = col < kGridCols && cells[i] == ChannelTable::heading(col, language);
        }
        if (all) {
            return true;
        }
    }
    return false;
}

// The list text of `table`'s language for a pasted text of either language (parseFieldItem);
// empty when the field has no such item. A cell that already holds the text keeps it, also a
// tone the list does not offer (100.5 read from a radio): pasting a copied row back in place
// changes nothing.
std::string listText(const ChannelTable& table, int row, int col, const std::string& text) {
    if (text == table.text(row, col)) {
        return text;
    }
    const std::optional<int> item = parseFieldItem(*channelFieldAt(col), text);
    return item ? table.listItems(col)[static_cast<size_t>(*item)] : std::string();
}

using Rows = std::vector<std::vector<std::string>>;

} // namespace

bool PasteResult::someAccepted() const {
    // `cells` counts the cells inside the grid; a refusal past it is none of them.
    const auto inGrid = std::count_if(refused.begin(), refused.end(), [](const PasteRefusal& refusal) {
        return refusal.reason != PasteRefusal::Reason::PastTheGrid;
    });
    return cells > inGrid;
}

namespace {

// Lays the cells over the grid from (row, col) on, through the typing rules.
PasteResult pasteRows(ChannelTable& table, int row, int col, const Rows& rows, BandLimits limits,
                      PasteMode mode) {
    PasteResult result;
    ChannelTable work = table;
    for (size_t i = 0; i < rows.size(); ++i) {
        const int r = row + static_cast<int>(i);
        const std::vector<std::string>& cells = rows[i];
        ++result.rows;
        // The frequencies first: a new channel gets its defaults, which the list cells then set.
        std::vector<size_t> order(cells.size());
        for (size_t j = 0; j < order.size(); ++j) {
            order[j] = j;
        }
        std::stable_partition(order.begin(), order.end(), [&](size_t j) {
            const int c = col + static_cast<int>(j);
            return c == col::kRxFrequency || c == col::kTxFrequency;
        });
        for (size_t j : order) {
            const int c = col + static_cast<int>(j);
            const std::string& cell = cells[j];
            if (r > kGridRows - 1 || c > kGridCols - 1) {
                if (!cell.empty()) {
                    result.refused.push_back({r, c, cell, PasteRefusal::Reason::PastTheGrid});
                }
                continue;
            }
            ++result.cells;
            if (ChannelTable::isListColumn(c)) {
                const std::string item = cell.empty() ? std::string() : listText(work, r, c, cell);
                if (!cell.empty() && item.empty()) {
                    result.refused.push_back({r, c, cell, PasteRefusal::Reason::NotInList});
                } else if (!item.empty() && !work.commitList(r, c, item, true).accepted) {
                    result.refused.push_back({r, c, cell, PasteRefusal::Reason::NotInUse});
                }
                continue;
            }
            const CommitOutcome outcome = work.commitFrequency(r, c, cell, limits);
            if (!outcome.accepted) {
                result.refused.push_back({r, c, cell,
                                          outcome.message == MessageId::OffStep
                                              ? PasteRefusal::Reason::OffStep
                                              : PasteRefusal::Reason::OutOfRange});
            }
        }
    }
    if (result.cells > 0 && (result.refused.empty() || mode == PasteMode::AcceptedPart)) {
        table = work;
        result.applied = true;
    }
    return result;
}

} // namespace

PasteResult pasteCells(ChannelTable& table, int row, int col, const std::string& text, BandLimits limits,
                       PasteMode mode) {
    std::vector<std::string> lines = split(text, '\n');
    // The end of the last line; empty lines before it are rows of the block.
    if (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    if (!lines.empty() && isHeadingLine(split(lines.front(), '\t'), col)) {
        lines.erase(lines.begin());
    }
    Rows rows;
    for (const std::string& line : lines) {
        rows.push_back(split(line, '\t'));
    }
    return pasteRows(table, row, col, rows, limits, mode);
}

PasteResult pasteIntoRange(ChannelTable& table, CellRange range, const std::string& text, BandLimits limits,
                           PasteMode mode) {
    // One line, with or without its end, is one cell; a block whose lower rows are empty is
    // still a block.
    std::string cell = text;
    if (!cell.empty() && cell.back() == '\n') {
        cell.pop_back();
    }
    if (!cell.empty() && cell.back() == '\r') {
        cell.pop_back();
    }
    if (cell.find_first_of("\t\n") != std::string::npos) {
        return pasteCells(table, range.top, range.left, text, limits, mode);
    }
    // One cell, even an empty one, goes into every cell of the range.
    const Rows rows(
        static_cast<size_t>(std::max(range.bottom - range.top + 1, 1)),
        std::vector<std::string>(static_cast<size_t>(std::max(range.right - range.left + 1, 1)), cell));
    return pasteRows(table, range.top, range.left, rows, limits, mode);
}

std::string copyCells(const ChannelTable& table, CellRange range) {
    std::string text;
    const int left = std::max(range.left, 1);
    const int right = std::min(range.right, kGridCols - 1);
    for (int r = std::max(range.top, 1); r <= std::min(range.bottom, kGridRows - 1); ++r) {
        for (int c = left; c <= right; ++c) {
            text += table.text(r, c);
            text += c < right ? '\t' : '\n';
        }
    }
    return text;
}

bool clearCells(ChannelTable& table, CellRange range, BandLimits limits) {
    const MemoryImage before = table.image();
    if (range.isWholeRows()) {
        MemoryImage image = before;
        clearChannels(image, range.top, range.bottom);
        table = ChannelTable(image, table.language());
        return !(image == before);
    }
    for (int r = std::max(range.top, 1); r <= std::min(range.bottom, kGridRows - 1); ++r) {
        for (int c = std::max(range.left, 1); c <= std::min(range.right, kGridCols - 1); ++c) {
            if (ChannelTable::isListColumn(c)) {
                if (!table.isRowEmpty(r)) {
                    table.commitList(r, c, ChannelTable::defaultText(c, table.language()), true);
                }
            } else {
                table.commitFrequency(r, c, std::string(), limits);
            }
        }
    }
    return !(table.image() == before);
}

PasteResult fillDown(ChannelTable& table, CellRange range, BandLimits limits, PasteMode mode) {
    const int source = range.top == range.bottom ? range.top - 1 : range.top;
    if (source < 1 || range.left < 1 || range.right >= kGridCols || range.bottom >= kGridRows) {
        return {};
    }
    std::vector<std::string> line;
    for (int c = range.left; c <= range.right; ++c) {
        line.push_back(table.text(source, c));
    }
    return pasteRows(table, source + 1, range.left, Rows(static_cast<size_t>(range.bottom - source), line),
                     limits, mode);
}

bool isChannelList(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    const std::string_view header = text.substr(0, text.find('\n'));
    std::vector<std::string> names = split(std::string(header), ',');
    bool location = false;
    bool frequency = false;
    for (const std::string& field : names) {
        std::string name;
        for (char c : field) {
            if (c != '"' && c != ' ') {
                name += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
            }
        }
        location = location || name == "location";
        frequency = frequency || name == "frequency";
    }
    return location && frequency;
}

ListPasteResult pasteChannelList(MemoryImage& image, int row, std::string_view text, BandLimits limits,
                                 Language language) {
    ListPasteResult result;
    const channelcsv::ImportResult list = channelcsv::importCsv(text, image, limits, language);
    result.problems = list.problems;
    if (!list.ok() || list.named.empty()) {
        return result;
    }
    const int first = list.named.front().channel;
    for (const channelcsv::NamedChannel& named : list.named) {
        if (row + named.channel - first > image::kChannelCount) {
            result.problems.push_back({named.line, coreTextWith(CoreText::CsvLandsPast, language,
                                                                {std::to_string(named.channel),
                                                                 std::to_string(image::kChannelCount)})});
        }
    }
    if (!result.problems.empty()) {
        return result;
    }
    for (const channelcsv::NamedChannel& named : list.named) {
        copyChannel(list.image, named.channel, image, row + named.channel - first);
        ++result.channels;
    }
    return result;
}

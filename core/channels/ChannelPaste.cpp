#include "channels/ChannelPaste.h"

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
    for (bool chinese : {false, true}) {
        bool all = !cells.empty();
        for (size_t i = 0; i < cells.size() && all; ++i) {
            const int col = firstCol + static_cast<int>(i);
            all = col < kGridCols && cells[i] == ChannelTable::heading(col, chinese);
        }
        if (all) {
            return true;
        }
    }
    return false;
}

// The list text of `table`'s language for a pasted text of either language; empty when the
// list has no such text. A tone column also takes a tone the list does not offer but a channel
// can hold (100.5, say, as a radio may have it), as decoding shows such tones.
std::string listText(const ChannelTable& table, int col, const std::string& text) {
    const std::vector<std::string>& own = table.listItems(col);
    if (std::find(own.begin(), own.end(), text) != own.end()) {
        return text;
    }
    if (col == col::kRxTone || col == col::kTxTone) {
        const Tone tone = parseToneText(text);
        const bool storable = (tone.kind == ToneKind::Ctcss && tone.value > 0 && tone.value <= 0xFFFF) ||
                              (tone.isDcs() && isKnownDcsCode(tone.value));
        if (storable && formatTone(tone, false) == text) {
            return formatTone(tone, table.isChinese());
        }
    }
    for (bool language : {false, true}) {
        const std::vector<std::string>& other = ChannelTable(language).listItems(col);
        const auto it = std::find(other.begin(), other.end(), text);
        if (it != other.end() && static_cast<size_t>(it - other.begin()) < own.size()) {
            return own[static_cast<size_t>(it - other.begin())];
        }
    }
    return {};
}

} // namespace

PasteResult pasteCells(ChannelTable& table, int row, int col, const std::string& text, BandLimits limits) {
    std::vector<std::string> lines = split(text, '\n');
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    if (!lines.empty() && isHeadingLine(split(lines.front(), '\t'), col)) {
        lines.erase(lines.begin());
    }
    PasteResult result;
    ChannelTable work = table;
    for (size_t i = 0; i < lines.size(); ++i) {
        const int r = row + static_cast<int>(i);
        const std::vector<std::string> cells = split(lines[i], '\t');
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
                const std::string item = cell.empty() ? std::string() : listText(work, c, cell);
                if (!cell.empty() && item.empty()) {
                    result.refused.push_back({r, c, cell, PasteRefusal::Reason::NotInList});
                } else if (!item.empty()) {
                    work.commitList(r, c, item, true);
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
    if (result.applied()) {
        table = work;
    }
    return result;
}

std::string copyCells(const ChannelTable& table, int first, int last) {
    std::string text;
    for (int r = std::max(first, 1); r <= std::min(last, kGridRows - 1); ++r) {
        for (int c = 1; c < kGridCols; ++c) {
            text += table.text(r, c);
            text += c + 1 < kGridCols ? '\t' : '\n';
        }
    }
    return text;
}

#include "channels/ChannelTable.h"

#include "channels/ChannelCodec.h"
#include "channels/ChannelEdit.h"
#include "text/AsciiText.h"
#include "text/CoreTexts.h"

#include <algorithm>
#include <stdexcept>

namespace {

// 10 Hz units of a frequency text in the grid; none for empty or unreadable text.
std::optional<uint32_t> storedFrequency(const std::string& text) {
    const std::optional<int32_t> f = parseFrequencyText(text);
    if (!f || *f <= 0) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(*f);
}

const ChannelFieldInfo& fieldOf(int col) {
    const ChannelFieldInfo* field = channelFieldAt(col);
    if (!field) {
        throw std::invalid_argument("not a field column");
    }
    return *field;
}

} // namespace

ChannelTable::ChannelTable(Language language) : m_language(language) {
    for (int c = 0; c < kGridCols; ++c) {
        m_cells[0][c] = heading(c, language);
    }
    for (int r = 1; r < kGridRows; ++r) {
        m_cells[r][0] = (r < 10 ? " " : "") + std::to_string(r);
    }
}

void ChannelTable::checkCell(int row, int col) const {
    if (row < 0 || row >= kGridRows || col < 0 || col >= kGridCols) {
        throw std::out_of_range("grid cell out of range");
    }
}

const std::string& ChannelTable::text(int row, int col) const {
    checkCell(row, col);
    return m_cells[row][col];
}

void ChannelTable::setText(int row, int col, const std::string& text) {
    checkCell(row, col);
    m_cells[row][col] = text;
}

void ChannelTable::clearRow(int row) {
    checkCell(row, 1);
    for (int c = 1; c < kGridCols; ++c) {
        m_cells[row][c].clear();
    }
}

bool ChannelTable::isRowEmpty(int row) const {
    checkCell(row, 1);
    for (int c = 1; c < kGridCols; ++c) {
        if (!m_cells[row][c].empty()) {
            return false;
        }
    }
    return true;
}

const char* ChannelTable::heading(int col, Language language) {
    if (col == col::kNumber) {
        return coreText(CoreText::HeadingChannel, language);
    }
    const ChannelFieldInfo* field = channelFieldAt(col);
    return field ? coreText(field->heading, language) : "";
}

const std::vector<std::string>& ChannelTable::listItems(int col) const {
    static const std::vector<std::string> kNone;
    const ChannelFieldInfo* field = channelFieldAt(col);
    return field ? fieldItems(*field, m_language) : kNone;
}

int ChannelTable::initialListIndex(int col, const std::string& cellText) const {
    const std::vector<std::string>& list = listItems(col);
    for (size_t i = 0; i < list.size(); ++i) {
        if (ascii::startsWithIgnoringCase(list[i], cellText)) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

std::string ChannelTable::defaultText(int col, Language language) {
    return isListColumn(col) ? cellText(Channel::onFrequency(0), col, language) : std::string();
}

std::string ChannelTable::cellText(const Channel& channel, int col, Language language) {
    const ChannelFieldInfo* field = channelFieldAt(col);
    return field ? fieldText(*field, channel, language) : std::string();
}

void ChannelTable::setRow(int row, const Channel& channel) {
    for (int c = col::kRxFrequency; c < kGridCols; ++c) {
        m_cells[row][c] = cellText(channel, c, m_language);
    }
}

void ChannelTable::decode(const MemoryImage& image) {
    const Channels channels = ChannelCodec::decodeAll(image);
    for (int row = 1; row <= image::kChannelCount; ++row) {
        setRow(row, channels[static_cast<size_t>(row - 1)]);
    }
    m_decodedImage = image;
    m_decodedCells = m_cells;
}

Channel ChannelTable::channel(int row) const {
    checkCell(row, 1);
    if (row == 0) {
        throw std::invalid_argument("row 0 holds the headings");
    }
    const auto& cells = m_cells[row];
    Channel c;
    for (const ChannelFieldInfo& field : channelFields()) {
        const std::string& text = cells[static_cast<size_t>(field.col)];
        switch (field.kind) {
        case FieldKind::Frequency:
            c.*field.frequency = storedFrequency(text);
            break;
        case FieldKind::Tone:
            c.*field.tone = parseToneText(text); // also a tone the list does not offer
            break;
        case FieldKind::List:
            field.setItem(c, parseFieldItem(field, text).value_or(field.fallbackItem));
            break;
        }
    }
    return c;
}

Channels ChannelTable::channels() const {
    Channels out;
    for (int row = 1; row <= image::kChannelCount; ++row) {
        out[static_cast<size_t>(row - 1)] = channel(row);
    }
    return out;
}

void ChannelTable::encode(MemoryImage& image) const {
    ChannelCodec::encodeAll(image, channels());
    if (!m_decodedImage) {
        return;
    }
    // The texts are a lossy view: re-encoding a cell from its text could change bytes the radio
    // holds (a receive field 00 00 00 A0 shows as 1000.00000 and would be written as 99999999),
    // so a cell still showing what decode() gave it writes the bytes it was decoded from, also
    // when other cells of its row changed.
    for (int row = 1; row <= image::kChannelCount; ++row) {
        for (const ChannelFieldInfo& field : channelFields()) {
            if (m_cells[row][field.col] == m_decodedCells[row][field.col]) {
                image.copyChannelPart(row, field.part, *m_decodedImage);
            }
        }
    }
}

CommitOutcome ChannelTable::commitFrequency(int row, int col, const std::string& typed, BandLimits limits) {
    checkCell(row, col);
    if (row == 0 || (col != col::kRxFrequency && col != col::kTxFrequency)) {
        throw std::invalid_argument("not a frequency cell");
    }
    auto& cells = m_cells[row];
    if (typed == cells[col]) {
        // Nothing typed over the cell: an empty cell of a channel with one frequency is no
        // request to fill or delete it, and a copied row pasted back in place changes nothing.
        return {};
    }
    std::optional<uint32_t> value;
    if (!typed.empty()) {
        const channeledit::FrequencyEntry entry = channeledit::readFrequency(typed, limits);
        if (!entry.accepted()) {
            return {false, entry.refusal};
        }
        value = entry.freq10Hz;
    }
    const Channel before = channel(row);
    Channel after = before;
    if (col == col::kTxFrequency) {
        fieldOf(col).setFrequency(after, value);
        if (after.tx10Hz && *after.tx10Hz > image::kMaxFrequency10Hz) {
            // Only a receive frequency the record shows but cannot hold (1000.00000) falls back so.
            return {false, MessageId::OutOfRange};
        }
        cells[col::kTxFrequency] = cellText(after, col::kTxFrequency, m_language);
        if (after.isInUse() && !before.isInUse()) {
            // The channel is complete now: the cells it showed nothing in take what a new channel
            // has, which is what its record holds once saved.
            for (int c = 1; c < kGridCols; ++c) {
                if (isListColumn(c) && cells[c].empty()) {
                    cells[c] = defaultText(c, m_language);
                }
            }
        }
        return {};
    }
    fieldOf(col).setFrequency(after, value);
    if (!after.rx10Hz) {
        clearRow(row);
    } else if (!before.rx10Hz) {
        setRow(row, after); // a new channel: both frequencies and the default texts
    } else {
        cells[col::kRxFrequency] = cellText(after, col::kRxFrequency, m_language);
    }
    return {};
}

CommitOutcome ChannelTable::commitList(int row, int col, const std::string& chosen, bool userChose) {
    checkCell(row, col);
    if (row == 0 || !isListColumn(col)) {
        throw std::invalid_argument("not a list cell");
    }
    auto& cells = m_cells[row];
    if (cells[col::kRxFrequency].empty() && cells[col::kTxFrequency].empty()) {
        cells[col].clear();
        return {};
    }
    const std::vector<std::string>& list = listItems(col);
    const bool listed = std::find(list.begin(), list.end(), cells[col]) != list.end();
    if (!cells[col].empty() && !listed && (!userChose || chosen == cells[col])) {
        return {}; // keep a value the list cannot show
    }
    if (!chosen.empty() && !parseFieldItem(fieldOf(col), chosen)) {
        return {false, std::nullopt};
    }
    if (channel(row).isInUse()) {
        cells[col] = chosen;
        return {};
    }
    // A channel with one frequency shows and saves its tone words but no attributes: no tone
    // reads back as an empty cell, and an attribute chosen for it would not read back at all.
    if (fieldOf(col).kind == FieldKind::Tone) {
        cells[col] = parseToneText(chosen).kind == ToneKind::None ? std::string() : chosen;
        return {};
    }
    if (!userChose || chosen.empty()) {
        return {};
    }
    return {false, std::nullopt};
}

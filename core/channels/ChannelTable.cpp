#include "channels/ChannelTable.h"

#include "channels/ChannelCodec.h"
#include "channels/ChannelEdit.h"
#include "text/AsciiText.h"
#include "text/CoreTexts.h"

#include <algorithm>
#include <stdexcept>

namespace {

const char* pick(CoreText id, Language language) {
    return coreText(id, language);
}
bool isEither(const std::string& text, CoreText id) {
    return text == coreText(id, Language::English) || text == coreText(id, Language::Chinese);
}

std::vector<std::string> items(std::initializer_list<CoreText> ids, Language language) {
    std::vector<std::string> out;
    for (CoreText id : ids) {
        out.emplace_back(pick(id, language));
    }
    return out;
}

// 10 Hz units of a frequency text in the grid; none for empty or unreadable text.
std::optional<uint32_t> storedFrequency(const std::string& text) {
    const std::optional<int32_t> f = parseFrequencyText(text);
    if (!f || *f <= 0) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(*f);
}

std::string frequencyText(const std::optional<uint32_t>& freq10Hz) {
    return freq10Hz ? formatFrequency(*freq10Hz) : std::string();
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
    if (col < 0 || col >= kGridCols) {
        return "";
    }
    return pick(static_cast<CoreText>(static_cast<int>(CoreText::HeadingChannel) + col), language);
}

const std::vector<std::string>& ChannelTable::listItems(int col) const {
    static const std::vector<std::string> kLists[2][4] = {
        {items({CoreText::Wide, CoreText::Narrow}, Language::English),
         items({CoreText::Yes, CoreText::No}, Language::English),
         items({CoreText::Off, CoreText::Carrier, CoreText::ToneLock}, Language::English),
         items({CoreText::High, CoreText::Low}, Language::English)},
        {items({CoreText::Wide, CoreText::Narrow}, Language::Chinese),
         items({CoreText::Yes, CoreText::No}, Language::Chinese),
         items({CoreText::Off, CoreText::Carrier, CoreText::ToneLock}, Language::Chinese),
         items({CoreText::High, CoreText::Low}, Language::Chinese)},
    };
    static const std::vector<std::string> kNone;
    if (col == col::kRxTone || col == col::kTxTone) {
        return toneList(m_language);
    }
    if (col >= col::kBandwidth && col <= col::kPower) {
        return kLists[m_language == Language::Chinese ? 1 : 0][col - col::kBandwidth];
    }
    return kNone;
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
    switch (col) {
    case col::kRxFrequency:
        return frequencyText(channel.rx10Hz);
    case col::kTxFrequency:
        return frequencyText(channel.tx10Hz);
    case col::kRxTone:
    case col::kTxTone: {
        const Tone& tone = col == col::kRxTone ? channel.rxTone : channel.txTone;
        return (tone.kind == ToneKind::None && !channel.isInUse()) ? std::string()
                                                                   : formatTone(tone, language);
    }
    default:
        break;
    }
    if (!channel.isInUse()) {
        return {};
    }
    switch (col) {
    case col::kBandwidth:
        return pick(channel.wide ? CoreText::Wide : CoreText::Narrow, language);
    case col::kScan:
        return pick(channel.scanned ? CoreText::Yes : CoreText::No, language);
    case col::kBusyLock:
        return pick(channel.busyLock == BusyLock::Off       ? CoreText::Off
                    : channel.busyLock == BusyLock::Carrier ? CoreText::Carrier
                                                            : CoreText::ToneLock,
                    language);
    case col::kPower:
        return pick(channel.highPower ? CoreText::High : CoreText::Low, language);
    default:
        return {};
    }
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
    c.rx10Hz = storedFrequency(cells[col::kRxFrequency]);
    c.tx10Hz = storedFrequency(cells[col::kTxFrequency]);
    c.rxTone = parseToneText(cells[col::kRxTone]);
    c.txTone = parseToneText(cells[col::kTxTone]);
    // Anything but the narrow text is wide, anything but the low text is high, and any lock
    // text that is neither off nor carrier locks on the tone: the radio's defaults.
    c.wide = !isEither(cells[col::kBandwidth], CoreText::Narrow);
    c.scanned = isEither(cells[col::kScan], CoreText::Yes);
    const std::string& lock = cells[col::kBusyLock];
    c.busyLock = isEither(lock, CoreText::Off)       ? BusyLock::Off
                 : isEither(lock, CoreText::Carrier) ? BusyLock::Carrier
                                                     : BusyLock::Tone;
    c.highPower = !isEither(cells[col::kPower], CoreText::Low);
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
    // when other cells of its row changed. Columns 1 to 8 are the fields in ChannelField order.
    for (int row = 1; row <= image::kChannelCount; ++row) {
        for (int c = col::kRxFrequency; c < kGridCols; ++c) {
            if (m_cells[row][c] == m_decodedCells[row][c]) {
                image.copyChannelField(row, static_cast<ChannelField>(c - col::kRxFrequency),
                                       *m_decodedImage);
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
        channeledit::setTransmit(after, value);
        if (after.tx10Hz && *after.tx10Hz > image::kMaxFrequency10Hz) {
            // Only a receive frequency the record shows but cannot hold (1000.00000) falls back so.
            return {false, MessageId::OutOfRange};
        }
        cells[col::kTxFrequency] = frequencyText(after.tx10Hz);
        if (after.isInUse() && !before.isInUse()) {
            // The channel is complete now: the cells it showed nothing in take what a new channel
            // has, which is what its record holds once saved.
            for (int c = col::kRxTone; c < kGridCols; ++c) {
                if (cells[c].empty()) {
                    cells[c] = defaultText(c, m_language);
                }
            }
        }
        return {};
    }
    channeledit::setReceive(after, value);
    if (!after.rx10Hz) {
        clearRow(row);
    } else if (!before.rx10Hz) {
        setRow(row, after); // a new channel: both frequencies and the default texts
    } else {
        cells[col::kRxFrequency] = frequencyText(after.rx10Hz);
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
    if (!userChose && !cells[col].empty()) {
        const std::vector<std::string>& list = listItems(col);
        if (std::find(list.begin(), list.end(), cells[col]) == list.end()) {
            return {}; // keep a value the list cannot show
        }
    }
    if (channel(row).isInUse()) {
        cells[col] = chosen;
        return {};
    }
    // A channel with one frequency shows and saves its tone words but no attributes: no tone
    // reads back as an empty cell, and an attribute chosen for it would not read back at all.
    if (col == col::kRxTone || col == col::kTxTone) {
        cells[col] = parseToneText(chosen).kind == ToneKind::None ? std::string() : chosen;
        return {};
    }
    if (!userChose || chosen.empty()) {
        return {};
    }
    return {false, std::nullopt};
}

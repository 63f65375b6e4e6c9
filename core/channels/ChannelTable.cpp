#include "channels/ChannelTable.h"

#include "channels/ChannelCodec.h"
#include "channels/ChannelEdit.h"
#include "text/AsciiText.h"
#include "text/CoreTexts.h"

#include <algorithm>
#include <stdexcept>

namespace {

const ChannelFieldInfo& fieldOf(int col) {
    const ChannelFieldInfo* field = channelFieldAt(col);
    if (!field) {
        throw std::invalid_argument("not a field column");
    }
    return *field;
}

// The field's typed value is the same on both channels: storing it would change no meaning,
// only bytes a text cannot say.
bool sameValue(const ChannelFieldInfo& field, const Channel& a, const Channel& b) {
    switch (field.kind) {
    case FieldKind::Frequency:
        return a.*field.frequency == b.*field.frequency;
    case FieldKind::Tone:
        return a.*field.tone == b.*field.tone;
    case FieldKind::List:
        break;
    }
    return field.item(a) == field.item(b);
}

} // namespace

ChannelTable::ChannelTable(const MemoryImage& image, Language language)
    : m_image(image), m_language(language) {}

void ChannelTable::checkCell(int row, int col) const {
    if (row < 0 || row >= kGridRows || col < 0 || col >= kGridCols) {
        throw std::out_of_range("grid cell out of range");
    }
}

std::string ChannelTable::text(int row, int col) const {
    checkCell(row, col);
    if (row == 0) {
        return heading(col, m_language);
    }
    if (col == col::kNumber) {
        return (row < 10 ? " " : "") + std::to_string(row);
    }
    return cellText(channel(row), col, m_language);
}

bool ChannelTable::isRowEmpty(int row) const {
    checkCell(row, 1);
    const Channel c = channel(row);
    for (int col = 1; col < kGridCols; ++col) {
        if (!cellText(c, col, m_language).empty()) {
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

Channel ChannelTable::channel(int row) const {
    checkCell(row, 1);
    if (row == 0) {
        throw std::invalid_argument("row 0 holds the headings");
    }
    return ChannelCodec::decode(m_image, row);
}

Channels ChannelTable::channels() const {
    return ChannelCodec::decodeAll(m_image);
}

void ChannelTable::store(int row, const Channel& before, const Channel& after) {
    for (const ChannelFieldInfo& field : channelFields()) {
        if (!sameValue(field, before, after)) {
            field.store(m_image, row, after);
        }
    }
}

CommitOutcome ChannelTable::commitFrequency(int row, int col, const std::string& typed, BandLimits limits) {
    checkCell(row, col);
    if (row == 0 || (col != col::kRxFrequency && col != col::kTxFrequency)) {
        throw std::invalid_argument("not a frequency cell");
    }
    if (typed == text(row, col)) {
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
    fieldOf(col).setFrequency(after, value);
    if (col == col::kTxFrequency) {
        if (after.tx10Hz && *after.tx10Hz > image::kMaxFrequency10Hz) {
            // Only a receive frequency the record shows but cannot hold (1000.00000) falls back so.
            return {false, MessageId::OutOfRange};
        }
        if (after.isInUse() && !before.isInUse()) {
            // The channel is complete now: the attributes it showed nothing in take what a new
            // channel has.
            const Channel fresh = Channel::onFrequency(*after.rx10Hz);
            for (const ChannelFieldInfo& field : channelFields()) {
                if (field.kind == FieldKind::List) {
                    field.setItem(after, field.item(fresh));
                }
            }
        }
    }
    store(row, before, after);
    return {};
}

CommitOutcome ChannelTable::commitList(int row, int col, const std::string& chosen, bool userChose) {
    checkCell(row, col);
    if (row == 0 || !isListColumn(col)) {
        throw std::invalid_argument("not a list cell");
    }
    const ChannelFieldInfo& field = fieldOf(col);
    const Channel before = channel(row);
    Channel after = before;
    if (!before.hasFrequency()) {
        // No attributes to edit; the cell is left empty, also one that showed a tone word.
        if (field.kind == FieldKind::Tone) {
            after.*field.tone = Tone::none();
            store(row, before, after);
        }
        return {};
    }
    const std::string current = cellText(before, col, m_language);
    const std::vector<std::string>& list = listItems(col);
    const bool listed = std::find(list.begin(), list.end(), current) != list.end();
    if (!current.empty() && !listed && (!userChose || chosen == current)) {
        return {}; // keep a value the list cannot show
    }
    std::optional<int> item;
    if (!chosen.empty()) {
        item = parseFieldItem(field, chosen);
        if (!item) {
            return {false, std::nullopt};
        }
    }
    // A channel with one frequency shows and saves its tone words but no attributes: no tone
    // reads back as an empty cell, and an attribute chosen for it would not show at all.
    if (!before.isInUse() && field.kind == FieldKind::List) {
        return {!userChose || !item, std::nullopt};
    }
    if (item) {
        setFieldItem(field, after, *item);
    } else if (field.kind == FieldKind::Tone) {
        after.*field.tone = Tone::none();
    } else {
        field.setItem(after, field.fallbackItem);
    }
    store(row, before, after);
    return {};
}

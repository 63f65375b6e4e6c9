#include "channels/ChannelFields.h"

#include "channels/ChannelEdit.h"
#include "channels/Formats.h"
#include "text/AsciiText.h"

#include <algorithm>

namespace {

using namespace image::record;

// Help ids and widths are those of the grid's editors and columns.
ChannelFieldInfo frequencyField(int col, CoreText heading, ChannelPart part,
                                std::optional<uint32_t> Channel::*member,
                                void (*set)(Channel&, std::optional<uint32_t>)) {
    ChannelFieldInfo f;
    f.col = col;
    f.heading = heading;
    f.kind = FieldKind::Frequency;
    f.part = part;
    f.frequency = member;
    f.setFrequency = set;
    f.jsonValue = JsonValue::Frequency10Hz;
    f.widthTwips = 1152;
    return f;
}

ChannelFieldInfo toneField(int col, CoreText heading, ChannelPart part, Tone Channel::*member) {
    ChannelFieldInfo f;
    f.col = col;
    f.heading = heading;
    f.kind = FieldKind::Tone;
    f.part = part;
    f.tone = member;
    f.cliWords = {{"none", 0}, {"off", 0}};
    f.cliChoices = "None, a CTCSS tone of the list (67.0 to 254.1, such as 88.5) or a DCS code of the list "
                   "(D023N to D754N, D023I to D754I)";
    f.jsonValue = JsonValue::Tone;
    f.widthTwips = 1152;
    return f;
}

ChannelFieldInfo listField(int col, CoreText heading, ChannelPart part, std::vector<CoreText> items,
                           std::vector<CliWord> words) {
    ChannelFieldInfo f;
    f.col = col;
    f.heading = heading;
    f.kind = FieldKind::List;
    f.part = part;
    f.items = std::move(items);
    f.cliWords = std::move(words);
    return f;
}

std::vector<ChannelFieldInfo> buildFields() {
    std::vector<ChannelFieldInfo> fields;

    ChannelFieldInfo f = frequencyField(1, CoreText::HeadingRxFrequency, kRxFrequencyPart, &Channel::rx10Hz,
                                        channeledit::setReceive);
    f.load = [](const MemoryImage& image, int ch, Channel& c) { c.rx10Hz = image.rxFrequency(ch); };
    f.store = [](MemoryImage& image, int ch, const Channel& c) {
        image.setRxFrequency(ch, c.rx10Hz.value_or(0));
    };
    f.cliKey = "rx";
    f.jsonKey = "rx";
    f.jsonValueKey = "rx_10hz";
    f.reportLabel = CoreText::ReportRxFrequency;
    f.helpId = 2127;
    fields.push_back(f);

    f = frequencyField(2, CoreText::HeadingTxFrequency, kTxFrequencyPart, &Channel::tx10Hz,
                       channeledit::setTransmit);
    f.load = [](const MemoryImage& image, int ch, Channel& c) { c.tx10Hz = image.txFrequency(ch); };
    f.store = [](MemoryImage& image, int ch, const Channel& c) {
        image.setTxFrequency(ch, c.tx10Hz.value_or(0));
    };
    f.cliKey = "tx";
    f.jsonKey = "tx";
    f.jsonValueKey = "tx_10hz";
    f.reportLabel = CoreText::ReportTxFrequency;
    f.helpId = 2128;
    fields.push_back(f);

    f = toneField(3, CoreText::HeadingRxTone, kRxTonePart, &Channel::rxTone);
    f.load = [](const MemoryImage& image, int ch, Channel& c) { c.rxTone = image.rxTone(ch); };
    f.store = [](MemoryImage& image, int ch, const Channel& c) { image.setRxTone(ch, c.rxTone); };
    f.cliKey = "rx-tone";
    f.jsonKey = "rx_tone";
    f.jsonValueKey = "rx_tone_value";
    f.reportLabel = CoreText::ReportRxTone;
    f.helpId = 2132;
    fields.push_back(f);

    f = toneField(4, CoreText::HeadingTxTone, kTxTonePart, &Channel::txTone);
    f.load = [](const MemoryImage& image, int ch, Channel& c) { c.txTone = image.txTone(ch); };
    f.store = [](MemoryImage& image, int ch, const Channel& c) { image.setTxTone(ch, c.txTone); };
    f.cliKey = "tx-tone";
    f.jsonKey = "tx_tone";
    f.jsonValueKey = "tx_tone_value";
    f.reportLabel = CoreText::ReportTxTone;
    f.helpId = 2133;
    fields.push_back(f);

    // Anything but the narrow text reads as wide, the radio's default.
    f = listField(5, CoreText::HeadingWidth, kWidePart, {CoreText::Wide, CoreText::Narrow},
                  {{"wide", 0}, {"narrow", 1}});
    f.item = [](const Channel& c) { return c.wide ? 0 : 1; };
    f.setItem = [](Channel& c, int item) { c.wide = item == 0; };
    f.load = [](const MemoryImage& image, int ch, Channel& c) { c.wide = image.channelFlag(ch, kWidePart); };
    f.store = [](MemoryImage& image, int ch, const Channel& c) {
        image.setChannelFlag(ch, kWidePart, c.wide);
    };
    f.cliKey = "width";
    f.jsonKey = "width";
    f.jsonValueKey = "wide";
    f.jsonValue = JsonValue::FirstItem;
    f.reportLabel = CoreText::HeadingWidth;
    f.helpId = 2134;
    f.widthTwips = 960;
    fields.push_back(f);

    // Only the yes text reads as scanned.
    f = listField(6, CoreText::HeadingScan, kScanPart, {CoreText::Yes, CoreText::No},
                  {{"yes", 0}, {"no", 1}});
    f.item = [](const Channel& c) { return c.scanned ? 0 : 1; };
    f.setItem = [](Channel& c, int item) { c.scanned = item == 0; };
    f.fallbackItem = 1;
    f.load = [](const MemoryImage& image, int ch, Channel& c) {
        c.scanned = image.channelFlag(ch, kScanPart);
    };
    f.store = [](MemoryImage& image, int ch, const Channel& c) {
        image.setChannelFlag(ch, kScanPart, c.scanned);
    };
    f.cliKey = "scan";
    f.jsonKey = "scan";
    f.jsonValueKey = "scanned";
    f.jsonValue = JsonValue::FirstItem;
    f.reportLabel = CoreText::HeadingScan;
    f.helpId = 2135;
    f.widthTwips = 768;
    fields.push_back(f);

    // Any lock text that is neither off nor carrier locks on the tone.
    f = listField(7, CoreText::HeadingBusyLock, kBusyLockPart,
                  {CoreText::Off, CoreText::Carrier, CoreText::ToneLock},
                  {{"off", 0}, {"carrier", 1}, {"tone", 2}});
    f.item = [](const Channel& c) { return static_cast<int>(c.busyLock); };
    f.setItem = [](Channel& c, int item) { c.busyLock = static_cast<BusyLock>(std::clamp(item, 0, 2)); };
    f.fallbackItem = 2;
    f.load = [](const MemoryImage& image, int ch, Channel& c) { c.busyLock = image.busyLock(ch); };
    f.store = [](MemoryImage& image, int ch, const Channel& c) { image.setBusyLock(ch, c.busyLock); };
    f.cliKey = "busy-lock";
    f.jsonKey = "busy_lock";
    f.jsonValueKey = "busy_lock_mode";
    f.jsonValue = JsonValue::Word;
    f.helpId = 1130;
    f.widthTwips = 960;
    fields.push_back(f);

    // Anything but the low text reads as high.
    f = listField(8, CoreText::HeadingPower, kHighPowerPart, {CoreText::High, CoreText::Low},
                  {{"high", 0}, {"low", 1}});
    f.item = [](const Channel& c) { return c.highPower ? 0 : 1; };
    f.setItem = [](Channel& c, int item) { c.highPower = item == 0; };
    f.load = [](const MemoryImage& image, int ch, Channel& c) {
        c.highPower = image.channelFlag(ch, kHighPowerPart);
    };
    f.store = [](MemoryImage& image, int ch, const Channel& c) {
        image.setChannelFlag(ch, kHighPowerPart, c.highPower);
    };
    f.cliKey = "power";
    f.jsonKey = "power";
    f.jsonValueKey = "high_power";
    f.jsonValue = JsonValue::FirstItem;
    f.helpId = 1129;
    f.widthTwips = 768;
    fields.push_back(f);

    return fields;
}

std::vector<std::string> itemTexts(const ChannelFieldInfo& field, Language language) {
    if (field.kind == FieldKind::Tone) {
        return toneList(language);
    }
    std::vector<std::string> out;
    for (CoreText id : field.items) {
        out.emplace_back(coreText(id, language));
    }
    return out;
}

} // namespace

const std::vector<ChannelFieldInfo>& channelFields() {
    static const std::vector<ChannelFieldInfo> fields = buildFields();
    return fields;
}

const ChannelFieldInfo* channelFieldAt(int col) {
    const std::vector<ChannelFieldInfo>& fields = channelFields();
    return col >= 1 && col <= static_cast<int>(fields.size()) ? &fields[static_cast<size_t>(col - 1)]
                                                              : nullptr;
}

const ChannelFieldInfo* channelFieldByCliKey(std::string_view key) {
    for (const ChannelFieldInfo& field : channelFields()) {
        if (key == field.cliKey) {
            return &field;
        }
    }
    return nullptr;
}

const std::vector<std::string>& fieldItems(const ChannelFieldInfo& field, Language language) {
    static const auto build = [](Language l) {
        std::vector<std::vector<std::string>> lists;
        for (const ChannelFieldInfo& f : channelFields()) {
            lists.push_back(itemTexts(f, l));
        }
        return lists;
    };
    static const std::vector<std::vector<std::string>> english = build(Language::English);
    static const std::vector<std::vector<std::string>> chinese = build(Language::Chinese);
    return (language == Language::Chinese ? chinese : english)[static_cast<size_t>(field.col - 1)];
}

int fieldItem(const ChannelFieldInfo& field, const Channel& channel) {
    switch (field.kind) {
    case FieldKind::Tone:
        return toneListIndex(channel.*field.tone);
    case FieldKind::List:
        return field.item(channel);
    case FieldKind::Frequency:
        break;
    }
    return -1;
}

void setFieldItem(const ChannelFieldInfo& field, Channel& channel, int item) {
    switch (field.kind) {
    case FieldKind::Tone:
        channel.*field.tone = listedTone(item);
        break;
    case FieldKind::List:
        field.setItem(channel, item);
        break;
    case FieldKind::Frequency:
        break;
    }
}

std::string fieldText(const ChannelFieldInfo& field, const Channel& channel, Language language) {
    switch (field.kind) {
    case FieldKind::Frequency: {
        const std::optional<uint32_t>& freq10Hz = channel.*field.frequency;
        return freq10Hz ? formatFrequency(*freq10Hz) : std::string();
    }
    case FieldKind::Tone: {
        const Tone& tone = channel.*field.tone;
        return tone.kind == ToneKind::None && !channel.isInUse() ? std::string() : formatTone(tone, language);
    }
    case FieldKind::List:
        break;
    }
    if (!channel.isInUse()) {
        return {};
    }
    return fieldItems(field, language)[static_cast<size_t>(field.item(channel))];
}

std::optional<int> parseFieldItem(const ChannelFieldInfo& field, std::string_view text) {
    for (Language language : {Language::English, Language::Chinese}) {
        const std::vector<std::string>& items = fieldItems(field, language);
        const auto it = std::find(items.begin(), items.end(), text);
        if (it != items.end()) {
            return static_cast<int>(it - items.begin());
        }
    }
    return std::nullopt;
}

std::optional<int> fieldItemFromWord(const ChannelFieldInfo& field, std::string_view value) {
    const std::string wanted = ascii::lowered(std::string(value));
    for (const CliWord& word : field.cliWords) {
        if (wanted == word.word) {
            return word.item;
        }
    }
    const std::vector<std::string>& items = fieldItems(field, Language::English);
    for (size_t i = 0; i < items.size(); ++i) {
        if (ascii::lowered(items[i]) == wanted) {
            return static_cast<int>(i);
        }
    }
    return parseFieldItem(field, value);
}

std::string cliFieldChoices(const ChannelFieldInfo& field) {
    if (field.kind != FieldKind::List) {
        return field.cliChoices;
    }
    std::string out;
    const size_t n = field.cliWords.size();
    for (size_t i = 0; i < n; ++i) {
        out += (i ? (i + 1 == n ? " or " : ", ") : "") + std::string(field.cliWords[i].word);
    }
    return out;
}

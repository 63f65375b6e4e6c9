#include "ImageReport.h"

#include "JsonWriter.h"
#include "channels/ChannelCodec.h"
#include "channels/ChannelFields.h"
#include "options/Options.h"
#include "text/CoreTexts.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cstdio>

namespace imagereport {

namespace {

bool isWide(uint32_t cp) {
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
           (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
           (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) || (cp >= 0xFFE0 && cp <= 0xFFE6);
}

std::string padded(const std::string& text, size_t width) {
    const size_t w = displayWidth(text);
    return text + std::string(w < width ? width - w : 0, ' ');
}

std::string rightTrimmed(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string hexByte(uint8_t value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", value);
    return buffer;
}

// The channel grid's rows as text: row 0 the headings, rows 1 to 16 the channels; column 0
// the channel numbers, then a column per field.
constexpr int kShowColumns = 1 + kChannelFieldCount;
std::string cellText(const Channels& channels, int row, int col, Language language) {
    const ChannelFieldInfo* field = channelFieldAt(col);
    if (row == 0) {
        return coreText(field ? field->heading : CoreText::HeadingChannel, language);
    }
    if (!field) {
        return (row < 10 ? " " : "") + std::to_string(row);
    }
    return fieldText(*field, channels[static_cast<size_t>(row - 1)], language);
}

void writeFrequency(JsonWriter& w, const std::optional<uint32_t>& freq10Hz) {
    if (freq10Hz) {
        w.value(int64_t{*freq10Hz});
    } else {
        w.null();
    }
}

void writeTone(JsonWriter& w, const Tone& tone) {
    w.beginObject();
    w.key("kind");
    switch (tone.kind) {
    case ToneKind::None:
        w.value("none");
        break;
    case ToneKind::Ctcss:
        w.value("ctcss");
        w.key("deci_hz");
        w.value(int64_t{tone.value});
        break;
    case ToneKind::DcsNormal:
    case ToneKind::DcsInverted:
        w.value("dcs");
        w.key("code");
        w.value(int64_t{tone.value});
        w.key("polarity");
        w.value(tone.kind == ToneKind::DcsNormal ? "N" : "I");
        break;
    }
    w.endObject();
}

// A field's typed value, as its entry says.
void writeFieldValue(JsonWriter& w, const ChannelFieldInfo& field, const Channel& channel) {
    switch (field.jsonValue) {
    case JsonValue::Frequency10Hz:
        writeFrequency(w, channel.*field.frequency);
        break;
    case JsonValue::Tone:
        writeTone(w, channel.*field.tone);
        break;
    case JsonValue::FirstItem:
        w.value(fieldItem(field, channel) == 0);
        break;
    case JsonValue::Word: {
        const int item = fieldItem(field, channel);
        for (const CliWord& word : field.cliWords) {
            if (word.item == item) {
                w.value(word.word);
                return;
            }
        }
        w.null();
        break;
    }
    }
}

// An option's typed value: a switch, a word of set, or a number; null when the stored byte
// selects no item.
void writeOptionValue(JsonWriter& w, const OptionInfo& info, const MemoryImage& image) {
    const int selection = optionSelection(info.list, image);
    if (selection < 0) {
        w.null();
    } else if (isSwitch(info)) {
        w.value(selection == 0);
    } else if (info.numbers.empty()) {
        w.value(info.words[static_cast<size_t>(selection)]);
    } else {
        w.value(int64_t{info.numbers[static_cast<size_t>(selection)]});
    }
}

} // namespace

size_t displayWidth(const std::string& text) {
    size_t width = 0;
    for (size_t i = 0; i < text.size();) {
        const utf8::Sequence sequence = utf8::decodeAt(text, i);
        width += isWide(sequence.codePoint) ? 2 : 1;
        i += std::max<size_t>(sequence.length, 1); // a byte of no valid sequence takes one column
    }
    return width;
}

std::string text(const MemoryImage& image, const radiomodel::TypeAndBand& band, Language language) {
    std::string out;
    const auto orMissing = [&](const std::string& name) {
        return name.empty() ? std::string(coreText(CoreText::NotInProgramIni, language)) : name;
    };
    out += std::string(coreText(CoreText::RadioType, language)) + ": " + orMissing(band.typeName) + " (" +
           std::to_string(band.type) + ")\n";
    out += std::string(coreText(CoreText::Band, language)) + ": " + orMissing(band.bandName) + " (" +
           std::to_string(band.band) + ")\n\n";

    const Channels channels = ChannelCodec::decodeAll(image);
    size_t widths[kShowColumns] = {};
    for (int r = 0; r <= image::kChannelCount; ++r) {
        for (int c = 0; c < kShowColumns; ++c) {
            widths[c] = std::max(widths[c], displayWidth(cellText(channels, r, c, language)));
        }
    }
    for (int r = 0; r <= image::kChannelCount; ++r) {
        std::string line;
        for (int c = 0; c < kShowColumns; ++c) {
            line += padded(cellText(channels, r, c, language), widths[c] + 2);
        }
        out += rightTrimmed(line) + "\n";
    }
    out += "\n";

    struct Line {
        std::string label;
        std::string value;
    };
    std::vector<Line> lines;
    for (const OptionInfo& info : optionTable()) {
        const int selection = optionSelection(info.list, image);
        const std::vector<std::string> items = optionItems(info.list, language);
        lines.push_back({optionLabel(info.list, language),
                         selection >= 0 ? items[static_cast<size_t>(selection)]
                                        : "- (" + hexByte(image.byte(optionOffset(info.list))) + ")"});
    }
    size_t labelWidth = 0;
    for (const Line& line : lines) {
        labelWidth = std::max(labelWidth, displayWidth(line.label));
    }
    for (const Line& line : lines) {
        out += padded(line.label, labelWidth + 2) + line.value + "\n";
    }
    return out;
}

std::string json(const MemoryImage& image, const radiomodel::TypeAndBand& band) {
    const Channels channels = ChannelCodec::decodeAll(image);

    JsonWriter w;
    w.beginObject();
    w.key("type");
    w.value(int64_t{band.type});
    w.key("band");
    w.value(int64_t{band.band});
    w.key("type_name");
    w.value(band.typeName);
    w.key("band_name");
    w.value(band.bandName);
    w.key("freq_min");
    w.value(int64_t{band.limits.min10Hz});
    w.key("freq_max");
    w.value(int64_t{band.limits.max10Hz});

    w.key("channels");
    w.beginArray();
    for (int ch = 1; ch <= image::kChannelCount; ++ch) {
        const Channel& channel = channels[static_cast<size_t>(ch - 1)];
        w.beginObject();
        w.key("channel");
        w.value(int64_t{ch});
        for (const ChannelFieldInfo& field : channelFields()) {
            w.key(field.jsonKey);
            w.value(fieldText(field, channel, Language::English));
        }
        w.key("in_use");
        w.value(channel.isInUse());
        for (const ChannelFieldInfo& field : channelFields()) {
            w.key(field.jsonValueKey);
            writeFieldValue(w, field, channel);
        }
        w.endObject();
    }
    w.endArray();

    // The raw bytes in the order of their offsets.
    std::vector<const OptionInfo*> byOffset;
    for (const OptionInfo& info : optionTable()) {
        byOffset.push_back(&info);
    }
    std::sort(byOffset.begin(), byOffset.end(),
              [](const OptionInfo* a, const OptionInfo* b) { return a->offset < b->offset; });
    w.key("options");
    w.beginObject();
    for (const OptionInfo* info : byOffset) {
        w.key(info->byteKey);
        w.value(int64_t{image.byte(info->offset)});
    }
    w.endObject();

    w.key("option_values");
    w.beginObject();
    for (const OptionInfo& info : optionTable()) {
        w.key(info.jsonKey);
        writeOptionValue(w, info, image);
    }
    w.endObject();
    w.endObject();
    return w.text();
}

} // namespace imagereport

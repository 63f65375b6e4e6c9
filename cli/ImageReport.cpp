#include "ImageReport.h"

#include "JsonWriter.h"
#include "channels/ChannelCodec.h"
#include "channels/ChannelTable.h"
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

// The channel grid's rows as text: row 0 the headings, rows 1 to 16 the channels.
std::string cellText(const Channels& channels, int row, int col, Language language) {
    if (row == 0) {
        return ChannelTable::heading(col, language);
    }
    if (col == col::kNumber) {
        return (row < 10 ? " " : "") + std::to_string(row);
    }
    return ChannelTable::cellText(channels[static_cast<size_t>(row - 1)], col, language);
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

const char* busyLockName(BusyLock lock) {
    switch (lock) {
    case BusyLock::Carrier:
        return "carrier";
    case BusyLock::Tone:
        return "tone";
    case BusyLock::Off:
        break;
    }
    return "off";
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
    size_t widths[kGridCols] = {};
    for (int r = 0; r < kGridRows; ++r) {
        for (int c = 0; c < kGridCols; ++c) {
            widths[c] = std::max(widths[c], displayWidth(cellText(channels, r, c, language)));
        }
    }
    for (int r = 0; r < kGridRows; ++r) {
        std::string line;
        for (int c = 0; c < kGridCols; ++c) {
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
    static const char* const kChannelKeys[kGridCols] = {"channel", "rx",   "tx",        "rx_tone", "tx_tone",
                                                        "width",   "scan", "busy_lock", "power"};
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
        w.key(kChannelKeys[0]);
        w.value(int64_t{ch});
        for (int c = col::kRxFrequency; c < kGridCols; ++c) {
            w.key(kChannelKeys[c]);
            w.value(ChannelTable::cellText(channel, c, Language::English));
        }
        w.key("in_use");
        w.value(channel.isInUse());
        w.key("rx_10hz");
        writeFrequency(w, channel.rx10Hz);
        w.key("tx_10hz");
        writeFrequency(w, channel.tx10Hz);
        w.key("rx_tone_value");
        writeTone(w, channel.rxTone);
        w.key("tx_tone_value");
        writeTone(w, channel.txTone);
        w.key("wide");
        w.value(channel.wide);
        w.key("scanned");
        w.value(channel.scanned);
        w.key("busy_lock_mode");
        w.value(busyLockName(channel.busyLock));
        w.key("high_power");
        w.value(channel.highPower);
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

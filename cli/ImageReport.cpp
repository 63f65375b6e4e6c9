#include "ImageReport.h"

#include "JsonWriter.h"
#include "channels/ChannelTable.h"
#include "options/Options.h"

#include <algorithm>
#include <cstdio>

namespace imagereport {

namespace {

struct OptionRow {
    const char* english;
    const char* chinese;
    OptionList list;
};

// In the order of the Optional Features dialog.
const OptionRow kOptionRows[] = {
    {"Time Out Time (s)", "超时时间(秒)", OptionList::TimeOut},
    {"Squelch Level", "静噪等级", OptionList::Squelch},
    {"Priority Channel", "优先信道", OptionList::Priority},
    {"Voice Annunciation", "语音提示", OptionList::Voice},
    {"Monitor Key", "监听键", OptionList::MonitorKey},
    {"VOX", "声控", OptionList::Vox},
    {"Vox Gain Level", "声控等级", OptionList::VoxGain},
    {"Vox Delay Time (s)", "声控延时(秒)", OptionList::VoxDelay},
};

uint32_t decodeUtf8(const std::string& text, size_t& i) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(k < text.size() ? text[k] : 0); };
    const unsigned char lead = b(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    uint32_t cp = lead & (0xFF >> (length + 1));
    for (size_t k = 1; k < length; ++k) {
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    i += length;
    return cp;
}

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

} // namespace

size_t displayWidth(const std::string& text) {
    size_t width = 0;
    for (size_t i = 0; i < text.size();) {
        width += isWide(decodeUtf8(text, i)) ? 2 : 1;
    }
    return width;
}

std::string text(const CMemoryImage& image, const radiomodel::TypeAndBand& band, bool chinese) {
    std::string out;
    const auto orMissing = [&](const std::string& name) {
        return name.empty() ? std::string(chinese ? "(Program.ini 未列出)" : "(not in Program.ini)") : name;
    };
    out += std::string(chinese ? "类型: " : "Type: ") + orMissing(band.typeName) + " (" +
           std::to_string(band.type) + ")\n";
    out += std::string(chinese ? "频率: " : "Band: ") + orMissing(band.bandName) + " (" +
           std::to_string(band.band) + ")\n\n";

    CChannelTable table(chinese);
    table.decode(image);
    size_t widths[kGridCols] = {};
    for (int r = 0; r < kGridRows; ++r) {
        for (int c = 0; c < kGridCols; ++c) {
            widths[c] = std::max(widths[c], displayWidth(table.text(r, c)));
        }
    }
    for (int r = 0; r < kGridRows; ++r) {
        std::string line;
        for (int c = 0; c < kGridCols; ++c) {
            line += padded(table.text(r, c), widths[c] + 2);
        }
        out += rightTrimmed(line) + "\n";
    }
    out += "\n";

    struct Line {
        std::string label;
        std::string value;
    };
    std::vector<Line> lines;
    for (const OptionRow& row : kOptionRows) {
        const int selection = optionSelection(row.list, image);
        const std::vector<std::string> items = optionItems(row.list, chinese);
        lines.push_back({chinese ? row.chinese : row.english,
                         selection >= 0 ? items[static_cast<size_t>(selection)]
                                        : "- (" + hexByte(image.byte(optionOffset(row.list))) + ")"});
    }
    const char* on = chinese ? "开" : "On";
    const char* off = chinese ? "关" : "Off";
    lines.push_back({chinese ? "按键音" : "Beep", keyBeepOn(image) ? on : off});
    lines.push_back({chinese ? "省电" : "Battery Saver", batterySaverOn(image) ? on : off});
    size_t labelWidth = 0;
    for (const Line& line : lines) {
        labelWidth = std::max(labelWidth, displayWidth(line.label));
    }
    for (const Line& line : lines) {
        out += padded(line.label, labelWidth + 2) + line.value + "\n";
    }
    return out;
}

std::string json(const CMemoryImage& image, const radiomodel::TypeAndBand& band) {
    static const char* const kChannelKeys[kGridCols] = {"channel", "rx",   "tx",        "rx_tone", "tx_tone",
                                                        "width",   "scan", "busy_lock", "power"};
    CChannelTable table(false);
    table.decode(image);

    CJsonWriter w;
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
        w.beginObject();
        w.key(kChannelKeys[0]);
        w.value(int64_t{ch});
        for (int c = col::kRxFrequency; c < kGridCols; ++c) {
            w.key(kChannelKeys[c]);
            w.value(table.text(ch, c));
        }
        w.endObject();
    }
    w.endArray();

    using namespace image::offset;
    const std::pair<const char*, size_t> options[] = {
        {"monitor_key", kMonitorKey},     {"voice", kVoice},       {"tot", kTimeOut}, {"squelch", kSquelch},
        {"battery_saver", kBatterySaver}, {"key_beep", kKeyBeep},  {"vox", kVox},     {"vox_gain", kVoxGain},
        {"vox_delay", kVoxDelay},         {"priority", kPriority},
    };
    w.key("options");
    w.beginObject();
    for (const auto& [name, offset] : options) {
        w.key(name);
        w.value(int64_t{image.byte(offset)});
    }
    w.endObject();
    w.endObject();
    return w.text();
}

} // namespace imagereport

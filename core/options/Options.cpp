#include "options/Options.h"

#include "text/AsciiText.h"

#include <algorithm>
#include <charconv>

using namespace image::offset;

namespace {

std::vector<int> steps(int first, int last, int step = 1) {
    std::vector<int> out;
    for (int n = first; n <= last; n += step) {
        out.push_back(n);
    }
    return out;
}

size_t itemCount(const OptionInfo& info) {
    return std::max({info.itemTexts.size(), info.words.size(), info.numbers.size()});
}

} // namespace

const std::vector<OptionInfo>& optionTable() {
    using E = OptionEncoding;
    using R = ReportOverflow;
    // Each row: list, offset, encoding, fallback item, label, in seconds, item texts, words,
    // numbers, numbers in seconds, set's key, show --json's names (typed value, raw byte), set's
    // message, set --help's VALUE and note, help id, report line, report overflow[, report label].
    static const std::vector<OptionInfo> table = {
        {OptionList::TimeOut,
         kTimeOut,
         E::IndexPlusOne,
         -1,
         CoreText::TimeOutTime,
         true,
         {},
         {},
         steps(15, 600, 15),
         true,
         "tot",
         "time_out_s",
         "tot",
         "the time-out is 15 to 600 seconds, a multiple of 15",
         "SECONDS",
         "time-out timer, 15 to 600, a multiple of 15",
         1118,
         0,
         R::Arithmetic},
        {OptionList::Squelch,
         kSquelch,
         E::Index,
         -1,
         CoreText::SquelchLevel,
         false,
         {},
         {},
         steps(0, 9),
         false,
         "squelch",
         "squelch",
         "squelch",
         "squelch is 0 to 9",
         "N",
         "0 to 9",
         1116,
         1,
         R::Arithmetic},
        {OptionList::Priority,
         kPriority,
         E::Index,
         -1,
         CoreText::PriorityChannel,
         false,
         {CoreText::Off},
         {"off"},
         steps(0, image::kChannelCount),
         false,
         "priority",
         "priority",
         "priority",
         "off or a channel from 1 to 16",
         "off|N",
         "the priority channel, 1 to 16",
         1006,
         -1,
         R::LastItem},
        {OptionList::Voice,
         kVoice,
         E::Index,
         -1,
         CoreText::VoiceAnnunciation,
         false,
         {CoreText::Off, CoreText::VoiceChinese, CoreText::VoiceEnglish},
         {"off", "chinese", "english"},
         {},
         false,
         "voice",
         "voice",
         "voice",
         "off, chinese or english",
         nullptr,
         "",
         1119,
         2,
         R::LastItem,
         CoreText::ReportVoiceLabel},
        {OptionList::MonitorKey,
         kMonitorKey,
         E::Index,
         2,
         CoreText::MonitorKey,
         false,
         {CoreText::MonitorNone, CoreText::Monitor, CoreText::MonitorMomentary},
         {"none", "monitor", "momentary"},
         {},
         false,
         "monitor",
         "monitor_key",
         "monitor_key",
         "none, monitor or momentary",
         nullptr,
         "",
         1120,
         -1,
         R::LastItem},
        {OptionList::Vox,
         kVox,
         E::OnIsOne,
         -1,
         CoreText::Vox,
         false,
         {CoreText::On, CoreText::Off},
         {"on", "off"},
         {},
         false,
         "vox",
         "vox",
         "vox",
         "on or off",
         nullptr,
         "",
         1007,
         -1,
         R::LastItem},
        {OptionList::VoxGain,
         kVoxGain,
         E::IndexPlusOne,
         -1,
         CoreText::VoxGainLevel,
         false,
         {},
         {},
         steps(1, 8),
         false,
         "vox-gain",
         "vox_gain",
         "vox_gain",
         "the gain is 1 to 8",
         "N",
         "1 to 8",
         1121,
         4,
         R::ZeroOffOrArithmetic},
        // Chosen by their words or their milliseconds: "0.30" is not one of them.
        {OptionList::VoxDelay,
         kVoxDelay,
         E::Index,
         -1,
         CoreText::VoxDelayTime,
         true,
         {},
         {"0.3", "0.5", "1.0", "1.5", "2.0", "3.0"},
         {300, 500, 1000, 1500, 2000, 3000},
         false,
         "vox-delay",
         "vox_delay_ms",
         "vox_delay",
         "the delay is 0.3, 0.5, 1.0, 1.5, 2.0 or 3.0 seconds",
         "SECONDS",
         "0.3, 0.5, 1.0, 1.5, 2.0 or 3.0",
         1140,
         3,
         R::LastItem},
        {OptionList::KeyBeep,
         kKeyBeep,
         E::BitZero,
         -1,
         CoreText::Beep,
         false,
         {CoreText::On, CoreText::Off},
         {"on", "off"},
         {},
         false,
         "beep",
         "key_beep",
         "key_beep",
         "on or off",
         nullptr,
         "",
         1016,
         6,
         R::LastItem},
        {OptionList::BatterySaver,
         kBatterySaver,
         E::BitZero,
         -1,
         CoreText::BatterySaver,
         false,
         {CoreText::On, CoreText::Off},
         {"on", "off"},
         {},
         false,
         "battery-saver",
         "battery_saver",
         "battery_saver",
         "on or off",
         nullptr,
         "",
         1017,
         5,
         R::LastItem},
    };
    return table;
}

const OptionInfo& optionInfo(OptionList list) {
    for (const OptionInfo& info : optionTable()) {
        if (info.list == list) {
            return info;
        }
    }
    return optionTable().front();
}

bool isSwitch(const OptionInfo& info) {
    return info.encoding == OptionEncoding::OnIsOne || info.encoding == OptionEncoding::BitZero;
}

size_t optionOffset(OptionList list) {
    return optionInfo(list).offset;
}

std::string optionLabel(OptionList list, Language language) {
    const OptionInfo& info = optionInfo(list);
    std::string label = coreText(info.label, language);
    return info.inSeconds ? label + coreText(CoreText::SecondsUnit, language) : label;
}

std::vector<std::string> optionItems(OptionList list, Language language) {
    const OptionInfo& info = optionInfo(list);
    std::vector<std::string> items;
    for (size_t i = 0; i < itemCount(info); ++i) {
        std::string item = i < info.itemTexts.size() ? coreText(info.itemTexts[i], language)
                           : i < info.words.size()   ? info.words[i]
                                                     : std::to_string(info.numbers[i]);
        items.push_back(info.inSeconds ? item + "s" : item);
    }
    return items;
}

std::optional<int> optionSelectionFromWord(OptionList list, std::string_view word) {
    const OptionInfo& info = optionInfo(list);
    bool withUnit = false;
    if (info.inSeconds && !word.empty() && (word.back() == 's' || word.back() == 'S')) {
        word.remove_suffix(1);
        withUnit = true;
    }
    for (size_t i = 0; i < info.words.size(); ++i) {
        if (ascii::equalsIgnoringCase(word, info.words[i])) {
            return static_cast<int>(i);
        }
    }
    // A switch is also chosen by show --json's true and false.
    if (isSwitch(info) && !withUnit) {
        if (ascii::equalsIgnoringCase(word, "true")) {
            return 0;
        }
        if (ascii::equalsIgnoringCase(word, "false")) {
            return 1;
        }
    }
    int number = 0;
    const char* end = word.data() + word.size();
    const auto parsed = std::from_chars(word.data(), end, number);
    if (word.empty() || parsed.ec != std::errc() || parsed.ptr != end ||
        (withUnit && !info.numbersInSeconds)) {
        return std::nullopt;
    }
    for (size_t i = 0; i < info.numbers.size(); ++i) {
        if (info.numbers[i] == number) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

const OptionInfo* optionFromKey(std::string_view key) {
    for (const OptionInfo& info : optionTable()) {
        if (key == info.key || key == info.jsonKey) {
            return &info;
        }
    }
    return nullptr;
}

namespace {

// The item the byte's arithmetic gives, in or out of the list.
int decodedItem(const OptionInfo& info, uint8_t value) {
    switch (info.encoding) {
    case OptionEncoding::Index:
        return value;
    case OptionEncoding::IndexPlusOne:
        return value - 1;
    case OptionEncoding::OnIsOne:
        return 1 - value;
    case OptionEncoding::BitZero:
        return (value & 0x01) ? 0 : 1;
    }
    return -1;
}

} // namespace

int optionSelection(OptionList list, const MemoryImage& image) {
    const OptionInfo& info = optionInfo(list);
    const int item = decodedItem(info, image.byte(info.offset));
    return item >= 0 && item < static_cast<int>(itemCount(info)) ? item : info.fallbackItem;
}

void storeOptionSelection(OptionList list, int selection, MemoryImage& image) {
    const OptionInfo& info = optionInfo(list);
    selection = selection < 0 && info.fallbackItem >= 0 ? info.fallbackItem : selection;
    int value = selection;
    switch (info.encoding) {
    case OptionEncoding::Index:
        break;
    case OptionEncoding::IndexPlusOne:
        value = selection + 1;
        break;
    case OptionEncoding::OnIsOne:
    case OptionEncoding::BitZero:
        value = selection == 0 ? 1 : 0;
        break;
    }
    image.setByte(info.offset, static_cast<uint8_t>(value & 0xFF));
}

std::string optionReportText(OptionList list, const MemoryImage& image, Language language) {
    const OptionInfo& info = optionInfo(list);
    const std::vector<std::string> items = optionItems(list, language);
    const uint8_t value = image.byte(info.offset);
    const int item = decodedItem(info, value);
    if (item >= 0 && item < static_cast<int>(items.size())) {
        return items[static_cast<size_t>(item)];
    }
    switch (info.reportOverflow) {
    case ReportOverflow::LastItem:
        return items.back();
    case ReportOverflow::ZeroOffOrArithmetic:
        if (value == 0) {
            return coreText(CoreText::Off, language);
        }
        [[fallthrough]];
    case ReportOverflow::Arithmetic:
        break;
    }
    // The numbers step evenly: extend them to the item the byte gives.
    const int step = info.numbers.size() > 1 ? info.numbers[1] - info.numbers[0] : 1;
    const int number = info.numbers.front() + item * step;
    return std::to_string(number) + (info.inSeconds ? "s" : "");
}

std::string optionHelpLines() {
    std::string out;
    for (const OptionInfo& info : optionTable()) {
        std::string value;
        if (info.helpValue) {
            value = info.helpValue;
        } else {
            for (const char* word : info.words) {
                value += (value.empty() ? "" : "|") + std::string(word);
            }
        }
        std::string line = std::string("  ") + info.key + "=" + value;
        if (*info.helpNote) {
            line += std::string(line.size() < 25 ? 25 - line.size() : 1, ' ') + info.helpNote;
        }
        out += line + "\n";
    }
    return out;
}

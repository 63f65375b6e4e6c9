#include "options/Options.h"

#include "text/AsciiText.h"

#include <charconv>

using namespace image::offset;

size_t optionOffset(OptionList list) {
    switch (list) {
    case OptionList::Squelch:
        return kSquelch;
    case OptionList::Priority:
        return kPriority;
    case OptionList::TimeOut:
        return kTimeOut;
    case OptionList::Voice:
        return kVoice;
    case OptionList::VoxGain:
        return kVoxGain;
    case OptionList::VoxDelay:
        return kVoxDelay;
    case OptionList::MonitorKey:
        return kMonitorKey;
    case OptionList::Vox:
        return kVox;
    }
    return kSquelch;
}

namespace {

// Lists whose item i stores i + 1.
bool storesOneBased(OptionList list) {
    return list == OptionList::TimeOut || list == OptionList::VoxGain;
}

std::vector<std::string> numbers(int first, int last, const char* suffix = "") {
    std::vector<std::string> out;
    for (int n = first; n <= last; ++n) {
        out.push_back(std::to_string(n) + suffix);
    }
    return out;
}

} // namespace

std::vector<std::string> optionItems(OptionList list, Language language) {
    const auto texts = [language](std::initializer_list<CoreText> ids) {
        std::vector<std::string> out;
        for (CoreText id : ids) {
            out.emplace_back(coreText(id, language));
        }
        return out;
    };
    switch (list) {
    case OptionList::Squelch:
        return numbers(0, 9);
    case OptionList::Priority: {
        std::vector<std::string> items = texts({CoreText::Off});
        for (const std::string& n : numbers(1, 16)) {
            items.push_back(n);
        }
        return items;
    }
    case OptionList::TimeOut: {
        std::vector<std::string> items;
        for (int s = 15; s <= 600; s += 15) {
            items.push_back(std::to_string(s) + "s");
        }
        return items;
    }
    case OptionList::Voice:
        return texts({CoreText::Off, CoreText::VoiceChinese, CoreText::VoiceEnglish});
    case OptionList::VoxGain:
        return numbers(1, 8);
    case OptionList::VoxDelay:
        return {"0.3s", "0.5s", "1.0s", "1.5s", "2.0s", "3.0s"};
    case OptionList::MonitorKey:
        return texts({CoreText::MonitorNone, CoreText::Monitor, CoreText::MonitorMomentary});
    case OptionList::Vox:
        return texts({CoreText::On, CoreText::Off});
    }
    return {};
}

const std::vector<OptionInfo>& optionTable() {
    static const std::vector<OptionInfo> table = [] {
        std::vector<int> timeOut;
        for (int s = 15; s <= 600; s += 15) {
            timeOut.push_back(s);
        }
        std::vector<int> priority;
        for (int ch = 0; ch <= image::kChannelCount; ++ch) {
            priority.push_back(ch);
        }
        return std::vector<OptionInfo>{
            {OptionList::TimeOut,
             "tot",
             "time_out_s",
             CoreText::TimeOutTime,
             true,
             {},
             timeOut,
             0,
             "the time-out is 15 to 600 seconds, a multiple of 15"},
            {OptionList::Squelch,
             "squelch",
             "squelch",
             CoreText::SquelchLevel,
             false,
             {},
             {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
             0,
             "squelch is 0 to 9"},
            {OptionList::Priority,
             "priority",
             "priority",
             CoreText::PriorityChannel,
             false,
             {"off"},
             priority,
             1,
             "off or a channel from 1 to 16"},
            {OptionList::Voice,
             "voice",
             "voice",
             CoreText::VoiceAnnunciation,
             false,
             {"off", "chinese", "english"},
             {},
             0,
             "off, language or english"},
            {OptionList::MonitorKey,
             "monitor",
             "monitor_key",
             CoreText::MonitorKey,
             false,
             {"none", "monitor", "momentary"},
             {},
             0,
             "none, monitor or momentary"},
            {OptionList::Vox, "vox", "vox", CoreText::Vox, false, {"on", "off"}, {}, 0, "on or off"},
            {OptionList::VoxGain,
             "vox-gain",
             "vox_gain",
             CoreText::VoxGainLevel,
             false,
             {},
             {1, 2, 3, 4, 5, 6, 7, 8},
             0,
             "the gain is 1 to 8"},
            // Chosen by their words only: "0.30" is not one of them.
            {OptionList::VoxDelay,
             "vox-delay",
             "vox_delay_ms",
             CoreText::VoxDelayTime,
             true,
             {"0.3", "0.5", "1.0", "1.5", "2.0", "3.0"},
             {300, 500, 1000, 1500, 2000, 3000},
             6,
             "the delay is 0.3, 0.5, 1.0, 1.5, 2.0 or 3.0 seconds"},
        };
    }();
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

std::string optionLabel(OptionList list, Language language) {
    const OptionInfo& info = optionInfo(list);
    std::string label = coreText(info.label, language);
    return info.inSeconds ? label + coreText(CoreText::SecondsUnit, language) : label;
}

std::optional<int> optionSelectionFromWord(OptionList list, std::string_view word) {
    const OptionInfo& info = optionInfo(list);
    if (info.inSeconds && !word.empty() && (word.back() == 's' || word.back() == 'S')) {
        word.remove_suffix(1);
    }
    for (size_t i = 0; i < info.words.size(); ++i) {
        if (ascii::equalsIgnoringCase(word, info.words[i])) {
            return static_cast<int>(i);
        }
    }
    int number = 0;
    const char* end = word.data() + word.size();
    const auto parsed = std::from_chars(word.data(), end, number);
    if (word.empty() || parsed.ec != std::errc() || parsed.ptr != end) {
        return std::nullopt;
    }
    for (size_t i = info.firstNumberedItem; i < info.numbers.size(); ++i) {
        if (info.numbers[i] == number) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

int optionSelection(OptionList list, const MemoryImage& image) {
    const int value = image.byte(optionOffset(list));
    const int count = static_cast<int>(optionItems(list, Language::English).size());
    int item;
    if (list == OptionList::Vox) {
        item = 1 - value;
    } else if (storesOneBased(list)) {
        item = value - 1;
    } else {
        item = value;
    }
    if (item >= 0 && item < count) {
        return item;
    }
    return list == OptionList::MonitorKey ? 2 : -1;
}

void storeOptionSelection(OptionList list, int selection, MemoryImage& image) {
    int value;
    if (list == OptionList::Vox) {
        value = selection == 0 ? 1 : 0;
    } else if (list == OptionList::MonitorKey && selection < 0) {
        value = 2;
    } else if (storesOneBased(list)) {
        value = selection + 1;
    } else {
        value = selection;
    }
    image.setByte(optionOffset(list), static_cast<uint8_t>(value & 0xFF));
}

bool batterySaverOn(const MemoryImage& image) {
    return image.byte(kBatterySaver) & 0x01;
}
bool keyBeepOn(const MemoryImage& image) {
    return image.byte(kKeyBeep) & 0x01;
}
void setBatterySaver(MemoryImage& image, bool on) {
    image.setByte(kBatterySaver, on ? 0x01 : 0x00);
}
void setKeyBeep(MemoryImage& image, bool on) {
    image.setByte(kKeyBeep, on ? 0x01 : 0x00);
}

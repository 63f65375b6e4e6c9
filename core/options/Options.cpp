#include "options/Options.h"

#include "text/AsciiText.h"

#include <algorithm>
#include <charconv>
#include <utility>

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

// A row of the option table, given field by field.
struct Row {
    OptionInfo info;

    Row(OptionList list, size_t offset, OptionEncoding encoding, CoreText label) {
        info.list = list;
        info.offset = offset;
        info.encoding = encoding;
        info.label = label;
    }
    Row& texts(std::vector<CoreText> texts) {
        info.itemTexts = std::move(texts);
        return *this;
    }
    Row& words(std::vector<const char*> words) {
        info.words = std::move(words);
        return *this;
    }
    Row& numbers(std::vector<int> numbers) {
        info.numbers = std::move(numbers);
        return *this;
    }
    // Items in seconds; numbersToo when the numbers are seconds as well.
    Row& seconds(bool numbersToo) {
        info.inSeconds = true;
        info.numbersInSeconds = numbersToo;
        return *this;
    }
    Row& fallback(int item) {
        info.fallbackItem = item;
        return *this;
    }
    // set's key, show --json's names of the typed value and of the raw byte.
    Row& names(const char* key, const char* jsonKey, const char* byteKey) {
        info.key = key;
        info.jsonKey = jsonKey;
        info.byteKey = byteKey;
        return *this;
    }
    // set's refusal, set --help's VALUE ("" for the words) and its note.
    Row& set(const char* expected, const char* helpValue = "", const char* helpNote = "") {
        info.expected = expected;
        info.helpValue = helpValue;
        info.helpNote = helpNote;
        return *this;
    }
    Row& help(int id) {
        info.helpId = id;
        return *this;
    }
    Row& report(int line, ReportOverflow overflow = ReportOverflow::LastItem,
                std::optional<CoreText> label = std::nullopt) {
        info.reportLine = line;
        info.reportOverflow = overflow;
        info.reportLabel = label;
        return *this;
    }
    operator OptionInfo() const { return info; }
};

} // namespace

const std::vector<OptionInfo>& optionTable() {
    using E = OptionEncoding;
    using R = ReportOverflow;
    static const std::vector<OptionInfo> table = {
        Row(OptionList::TimeOut, kTimeOut, E::IndexPlusOne, CoreText::TimeOutTime)
            .numbers(steps(15, 600, 15))
            .seconds(true)
            .names("tot", "time_out_s", "tot")
            .set("the time-out is 15 to 600 seconds, a multiple of 15", "SECONDS",
                 "time-out timer, 15 to 600, a multiple of 15")
            .help(1118)
            .report(0, R::Arithmetic),
        Row(OptionList::Squelch, kSquelch, E::Index, CoreText::SquelchLevel)
            .numbers(steps(0, 9))
            .names("squelch", "squelch", "squelch")
            .set("squelch is 0 to 9", "N", "0 to 9")
            .help(1116)
            .report(1, R::Arithmetic),
        Row(OptionList::Priority, kPriority, E::Index, CoreText::PriorityChannel)
            .texts({CoreText::Off})
            .words({"off"})
            .numbers(steps(0, image::kChannelCount))
            .names("priority", "priority", "priority")
            .set("off or a channel from 1 to 16", "off|N", "the priority channel, 1 to 16")
            .help(1006),
        Row(OptionList::Voice, kVoice, E::Index, CoreText::VoiceAnnunciation)
            .texts({CoreText::Off, CoreText::VoiceChinese, CoreText::VoiceEnglish})
            .words({"off", "chinese", "english"})
            .names("voice", "voice", "voice")
            .set("off, chinese or english")
            .help(1119)
            .report(2, R::LastItem, CoreText::ReportVoiceLabel),
        Row(OptionList::MonitorKey, kMonitorKey, E::Index, CoreText::MonitorKey)
            .texts({CoreText::MonitorNone, CoreText::Monitor, CoreText::MonitorMomentary})
            .words({"none", "monitor", "momentary"})
            .fallback(2)
            .names("monitor", "monitor_key", "monitor_key")
            .set("none, monitor or momentary")
            .help(1120),
        Row(OptionList::Vox, kVox, E::OnIsOne, CoreText::Vox)
            .texts({CoreText::On, CoreText::Off})
            .words({"on", "off"})
            .names("vox", "vox", "vox")
            .set("on or off")
            .help(1007),
        Row(OptionList::VoxGain, kVoxGain, E::IndexPlusOne, CoreText::VoxGainLevel)
            .numbers(steps(1, 8))
            .names("vox-gain", "vox_gain", "vox_gain")
            .set("the gain is 1 to 8", "N", "1 to 8")
            .help(1121)
            .report(4, R::ZeroOffOrArithmetic),
        // Chosen by their words or their milliseconds: "0.30" is not one of them.
        Row(OptionList::VoxDelay, kVoxDelay, E::Index, CoreText::VoxDelayTime)
            .words({"0.3", "0.5", "1.0", "1.5", "2.0", "3.0"})
            .numbers({300, 500, 1000, 1500, 2000, 3000})
            .seconds(false)
            .names("vox-delay", "vox_delay_ms", "vox_delay")
            .set("the delay is 0.3, 0.5, 1.0, 1.5, 2.0 or 3.0 seconds", "SECONDS",
                 "0.3, 0.5, 1.0, 1.5, 2.0 or 3.0")
            .help(1140)
            .report(3),
        Row(OptionList::KeyBeep, kKeyBeep, E::BitZero, CoreText::Beep)
            .texts({CoreText::On, CoreText::Off})
            .words({"on", "off"})
            .names("beep", "key_beep", "key_beep")
            .set("on or off")
            .help(1016)
            .report(6),
        Row(OptionList::BatterySaver, kBatterySaver, E::BitZero, CoreText::BatterySaver)
            .texts({CoreText::On, CoreText::Off})
            .words({"on", "off"})
            .names("battery-saver", "battery_saver", "battery_saver")
            .set("on or off")
            .help(1017)
            .report(5),
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
        if (*info.helpValue) {
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

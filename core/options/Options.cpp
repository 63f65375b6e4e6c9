#include "options/Options.h"

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
bool storesOneBased(OptionList list) { return list == OptionList::TimeOut || list == OptionList::VoxGain; }

std::vector<std::string> numbers(int first, int last, const char* suffix = "") {
    std::vector<std::string> out;
    for (int n = first; n <= last; ++n) {
        out.push_back(std::to_string(n) + suffix);
    }
    return out;
}

} // namespace

std::vector<std::string> optionItems(OptionList list, bool chinese) {
    switch (list) {
    case OptionList::Squelch:
        return numbers(0, 9);
    case OptionList::Priority: {
        std::vector<std::string> items = {chinese ? "关" : "Off"};
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
        return chinese ? std::vector<std::string>{"关", "中文", "英文"}
                       : std::vector<std::string>{"Off", "Chinese", "English"};
    case OptionList::VoxGain:
        return numbers(1, 8);
    case OptionList::VoxDelay:
        return {"0.3s", "0.5s", "1.0s", "1.5s", "2.0s", "3.0s"};
    case OptionList::MonitorKey:
        return chinese ? std::vector<std::string>{"无", "监听", "监听瞬时"}
                       : std::vector<std::string>{"None", "Monitor", "Monitor Momentary"};
    case OptionList::Vox:
        return chinese ? std::vector<std::string>{"开", "关"} : std::vector<std::string>{"On", "Off"};
    }
    return {};
}

int optionSelection(OptionList list, const CMemoryImage& image) {
    const int value = image.byte(optionOffset(list));
    const int count = static_cast<int>(optionItems(list, false).size());
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

void storeOptionSelection(OptionList list, int selection, CMemoryImage& image) {
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

bool batterySaverOn(const CMemoryImage& image) { return image.byte(kBatterySaver) & 0x01; }
bool keyBeepOn(const CMemoryImage& image) { return image.byte(kKeyBeep) & 0x01; }
void setBatterySaver(CMemoryImage& image, bool on) { image.setByte(kBatterySaver, on ? 0x01 : 0x00); }
void setKeyBeep(CMemoryImage& image, bool on) { image.setByte(kKeyBeep, on ? 0x01 : 0x00); }

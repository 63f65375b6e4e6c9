#pragma once

#include "image/MemoryImage.h"
#include "text/CoreTexts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The radio-wide options as lists of choices, each editing one byte of the image.
// The selection arithmetic is the one the radio's own option dialog uses: a stored value
// outside a list reads as no selection (-1), and storing "no selection" writes what the
// arithmetic gives (0xFF, 0x00 or, for the monitor key, 2).
enum class OptionList {
    Squelch,    // "0".."9", 0x134 = i
    Priority,   // "Off", "1".."16", 0x161 = i
    TimeOut,    // "15s".."600s", 0x130 = i + 1
    Voice,      // "Off", "Chinese", "English", 0x12F = i
    VoxGain,    // "1".."8", 0x13A = i + 1
    VoxDelay,   // "0.3s".."3.0s", 0x13B = i
    MonitorKey, // "None", "Monitor", "Monitor Momentary", 0x11D = i (no selection: 2)
    Vox,        // "On", "Off", 0x139 = 1 for item 0, else 0
};

// What every user interface knows about an option list: its label, the words and numbers
// that name its items (radioprog's set and show --json), and what set accepts.
struct OptionInfo {
    OptionList list;
    const char* key;     // radioprog set KEY=
    const char* jsonKey; // the typed value's name in radioprog show --json
    CoreText label;
    bool inSeconds; // the items are seconds: the label gets the unit, and "60s" reads as "60"
    // The word that chooses item i (ASCII case ignored); empty for lists of numbers only.
    std::vector<const char*> words;
    // The number item i stands for (seconds, milliseconds, a level or a channel); empty for
    // lists of words only. Items from firstNumberedItem on are also chosen by their number.
    std::vector<int> numbers;
    size_t firstNumberedItem;
    const char* expected; // what set accepts, for its message
};

// Every list, in the order of the Optional Features dialog.
const std::vector<OptionInfo>& optionTable();
const OptionInfo& optionInfo(OptionList list);
// The label with its unit: "Time Out Time (s)".
std::string optionLabel(OptionList list, Language language);
// The item a word or number chooses ("60", "60s", "english", "off"), nullopt when none.
std::optional<int> optionSelectionFromWord(OptionList list, std::string_view word);

// The image byte a list edits.
size_t optionOffset(OptionList list);
std::vector<std::string> optionItems(OptionList list, Language language);
// The item the stored byte selects, -1 when none (the monitor key falls back to item 2).
int optionSelection(OptionList list, const MemoryImage& image);
void storeOptionSelection(OptionList list, int selection, MemoryImage& image);

// The two check boxes: bit 0 of their byte shown, 0x00 or 0x01 stored.
bool batterySaverOn(const MemoryImage& image);
bool keyBeepOn(const MemoryImage& image);
void setBatterySaver(MemoryImage& image, bool on);
void setKeyBeep(MemoryImage& image, bool on);

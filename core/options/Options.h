#pragma once

#include "image/MemoryImage.h"
#include "text/CoreTexts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The radio-wide options, each a list of choices editing one byte of the image. The two check
// boxes (key beep, battery saver) are lists of two items, on and off, like VOX.
// The selection arithmetic is the one the radio's own option dialog uses: a stored value
// outside a list reads as no selection (-1), and storing "no selection" writes what the
// arithmetic gives (0xFF, 0x00 or, for the monitor key, 2).
enum class OptionList {
    Squelch,      // "0".."9", 0x134 = i
    Priority,     // "Off", "1".."16", 0x161 = i
    TimeOut,      // "15s".."600s", 0x130 = i + 1
    Voice,        // "Off", "Chinese", "English", 0x12F = i
    VoxGain,      // "1".."8", 0x13A = i + 1
    VoxDelay,     // "0.3s".."3.0s", 0x13B = i
    MonitorKey,   // "None", "Monitor", "Monitor Momentary", 0x11D = i (no selection: 2)
    Vox,          // "On", "Off", 0x139 = 1 for item 0, else 0
    KeyBeep,      // "On", "Off", bit 0 of 0x136; stores 0x01 or 0x00
    BatterySaver, // "On", "Off", bit 0 of 0x135; stores 0x01 or 0x00
};

// How an item is kept in its byte.
enum class OptionEncoding {
    Index,        // the byte is the item
    IndexPlusOne, // the byte is the item + 1
    OnIsOne,      // on/off: 1 is on (item 0), 0 is off (item 1), any other byte no item
    BitZero,      // on/off: bit 0 set is on (item 0); on stores 0x01, off 0x00
};

// How the printed report shows a byte that selects no item.
enum class ReportOverflow {
    LastItem,            // the last item ("3.0s" for any larger VOX delay byte)
    Arithmetic,          // the number the encoding's arithmetic gives ("3825s", "255")
    ZeroOffOrArithmetic, // 0 reads "Off", any other byte as Arithmetic
};

// Everything every user interface knows about an option: where and how it is stored, its
// items, its label, the words and numbers radioprog's set and show --json use for it, its
// help id and its line of the printed report.
struct OptionInfo {
    OptionList list = OptionList::Squelch;
    size_t offset = 0;
    OptionEncoding encoding = OptionEncoding::Index;
    CoreText label = CoreText::Off;
    int fallbackItem = -1;         // the item a byte outside the list reads as; -1 for none
    bool inSeconds = false;        // the items are seconds: the label gets the unit, "60s" reads as "60"
    bool numbersInSeconds = false; // the numbers may carry the "s" unit as the words do
    // Item i: itemTexts[i] when there is one, else words[i], else numbers[i]; with the "s" of
    // inSeconds.
    std::vector<CoreText> itemTexts;
    // The word that chooses item i (ASCII case ignored); empty for lists of numbers only.
    std::vector<const char*> words;
    // The number item i stands for (seconds, milliseconds, a level or a channel); empty for
    // lists of words only. Every item is also chosen by its number.
    std::vector<int> numbers;
    const char* key = "";       // radioprog set KEY=
    const char* jsonKey = "";   // the typed value's name in show --json's option_values
    const char* byteKey = "";   // the raw byte's name in show --json's options
    const char* expected = "";  // what set accepts, for its message
    const char* helpValue = ""; // set --help's VALUE; "" for the words joined by '|'
    const char* helpNote = "";  // set --help's note after it
    int helpId = 0;             // the control id the Optional Features dialog reports to F1
    int reportLine = -1;        // the line of the report's option block, -1 for none
    ReportOverflow reportOverflow = ReportOverflow::LastItem;
    std::optional<CoreText> reportLabel; // the report's own spelling, if any
};

// Every option, in the order of the Optional Features dialog.
const std::vector<OptionInfo>& optionTable();
const OptionInfo& optionInfo(OptionList list);
// An on/off option: shown as a check box or a switch, true/false in show --json.
bool isSwitch(const OptionInfo& info);
// The label with its unit: "Time Out Time (s)".
std::string optionLabel(OptionList list, Language language);
// The item a word or number chooses ("60", "60s", "english", "off", "true"), nullopt when none.
std::optional<int> optionSelectionFromWord(OptionList list, std::string_view word);
// The option set KEY= names by its key or by its show --json name, nullptr when none.
const OptionInfo* optionFromKey(std::string_view key);

// The image byte an option edits.
size_t optionOffset(OptionList list);
std::vector<std::string> optionItems(OptionList list, Language language);
// The item the stored byte selects, -1 when none (the monitor key falls back to item 2).
int optionSelection(OptionList list, const MemoryImage& image);
void storeOptionSelection(OptionList list, int selection, MemoryImage& image);
// The value the printed report shows for the stored byte.
std::string optionReportText(OptionList list, const MemoryImage& image, Language language);
// set --help's list of options, one "  KEY=VALUE   note" line each.
std::string optionHelpLines();

#pragma once

#include "image/MemoryImage.h"

#include <string>
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

// The image byte a list edits.
size_t optionOffset(OptionList list);
std::vector<std::string> optionItems(OptionList list, bool chinese);
// The item the stored byte selects, -1 when none (the monitor key falls back to item 2).
int optionSelection(OptionList list, const CMemoryImage& image);
void storeOptionSelection(OptionList list, int selection, CMemoryImage& image);

// The two check boxes: bit 0 of their byte shown, 0x00 or 0x01 stored.
bool batterySaverOn(const CMemoryImage& image);
bool keyBeepOn(const CMemoryImage& image);
void setBatterySaver(CMemoryImage& image, bool on);
void setKeyBeep(CMemoryImage& image, bool on);

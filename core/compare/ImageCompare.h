#pragma once

#include "image/MemoryImage.h"
#include "text/CoreTexts.h"

#include <string>
#include <vector>

class ProgramIni;

// What differs between two images, named the way the grid and the dialogs name it: a field of a
// channel, a channel that appears or disappears, a radio-wide option, the type or band, and the
// rows that never travel to the radio. A write, `radioprog diff` and the desktop program's
// comparisons show these.
struct ImageDifference {
    enum class Kind { ChannelField, ChannelAdded, ChannelRemoved, Option, TypeAndBand, Reserved };
    Kind kind = Kind::ChannelField;
    int channel = 0;    // 1..16 for the channel kinds, 0 otherwise
    std::string what;   // what differs, named as the grid and the dialogs name it, in the language:
                        // "Rx Frequency", an option's label, the type or band label, the reserved rows
    std::string before; // its text in the first image ("" when none)
    std::string after;  // its text in the second image
};

// The differences from `from` to `to`, in the order: type and band, options (option table order),
// channels 1..16 (an added or removed channel is one difference; otherwise one per field in the
// field table's order), then, only with `withReserved`, rows 51 to 63 as one line. Empty when
// they agree (rows 0..50, and 51..63 with `withReserved`). Bytes of rows 0..50 that no field or
// option names are "Other bytes": of their channel, or of the radio when outside the records.
std::vector<ImageDifference> compareImages(const MemoryImage& from, const MemoryImage& to, Language language,
                                           bool withReserved = false);
// The same, with the type and band named as Program.ini names them beside their numbers
// ("0 HT-16 -> 2 HT-16V"); a type or band it does not list keeps its number alone.
std::vector<ImageDifference> compareImages(const MemoryImage& from, const MemoryImage& to, Language language,
                                           bool withReserved, const ProgramIni* ini);

// The kind as a word for scripts and the browser page: "channel_field", "channel_added",
// "channel_removed", "option", "type_and_band" or "reserved".
const char* differenceKindKey(ImageDifference::Kind kind);

// One line: "CH 3  Rx Frequency  446.00625 -> 446.01875", "Squelch Level  5 -> 3",
// "CH 5  added  146.52000" (both languages).
std::string differenceLine(const ImageDifference& difference, Language language);

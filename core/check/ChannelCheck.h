#pragma once

#include "channels/ChannelFields.h"
#include "image/MemoryImage.h"
#include "plans/ChannelPlans.h"
#include "text/CoreTexts.h"

#include <string>
#include <vector>

// The channel check: advice on channels that break a service's rule or will not work as meant.
// Findings never refuse anything; a write goes ahead if the user chooses.

enum class FindingKind {
    TooWide,        // Wide on a frequency whose service allows only narrow
    HighPower,      // High on a service frequency whose limit is below what High gives
    MixedServices,  // receive and transmit frequencies on different services
    TransmitNoPlan, // receive on a plan's frequency, transmit on none
    DecodeOnly,     // a decode tone without an encode tone
    EncodeOnly,     // an encode tone without a decode tone
    Duplicate,      // the same as an earlier channel in every field
    PriorityEmpty,  // the priority channel has no frequency
    PriorityNotScanned,
};

// The grid column a finding points at; Priority is the option, not a column.
enum class FindingField { RxFrequency, TxFrequency, RxTone, TxTone, Width, Scan, Power, Channel, Priority };

struct Finding {
    FindingKind kind;
    int channel = 0; // 1..16
    FindingField field;
    int otherChannel = 0; // the earlier channel a duplicate repeats; 0 otherwise
    std::string service;  // the service concerned, "" when none
    std::string text;     // one line naming the channel, the field and what to do
};

namespace channelcheck {

// The grid field a finding points at, from the table of channel fields (its column, heading and
// keys); nullptr for the channel as a whole and for the priority option.
const ChannelFieldInfo* gridField(FindingField field);

// The kind as a word for scripts ("too_wide", "high_power", ...).
const char* kindKey(FindingKind kind);

// The field as findings name it: the grid's heading, "CH" for the channel, the option's label.
const char* fieldHeading(FindingField field, Language language);

// What such handhelds give on High, in tenths of a watt: a service whose limit is below it
// gets a finding for High. The program cannot know a radio's watts; this is the usual least.
constexpr int kTypicalHighPowerDeciW = 40;

// The findings for the channels of `image` against `plans` (their frequencies name the
// services), in channel order, each channel's findings in the order of FindingKind; the
// priority option's last.
std::vector<Finding> check(const MemoryImage& image, const std::vector<ChannelPlan>& plans,
                           Language language);

} // namespace channelcheck

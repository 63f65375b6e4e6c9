#pragma once

#include "channels/Channel.h"
#include "channels/Formats.h"
#include "text/CoreTexts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The channel editor's rules on typed channels, shared by the grid (through ChannelTable),
// radioprog's channel command and the CSV import.
namespace channeledit {

// A typed frequency accepted for the band, or the message that refuses it.
struct FrequencyEntry {
    uint32_t freq10Hz = 0;
    std::optional<MessageId> refusal;
    bool accepted() const { return !refusal; }
};

// The smallest frequency a channel record can hold: below 10 MHz the most significant BCD byte
// is 0x00, which reads back as an empty field, so the channel would be lost at the next load.
constexpr uint32_t kMinStorableFrequency10Hz = 1000000;

// The part of a band the image can hold: `band` cut to kMinStorableFrequency10Hz ..
// image::kMaxFrequency10Hz. Empty (min above max) when the band lies wholly outside.
BandLimits storableLimits(BandLimits band);

// Reads a typed (non-empty) frequency in MHz (parseTypedFrequency: "145.5", "145,5",
// "145.5 MHz") and checks it: text that is not a frequency, a value outside `limits` or one
// the image cannot hold (below 10 MHz, or more than eight digits) is out of range; one off the
// 5 / 6.25 kHz step is off step.
FrequencyEntry readFrequency(std::string_view typed, BandLimits limits);

// A new receive frequency (none deletes the channel, which becomes Channel::erased()):
// a channel without one becomes a new channel on that frequency, with the new-channel
// defaults; an existing one changes its receive frequency only.
void setReceive(Channel& channel, std::optional<uint32_t> freq10Hz);

// A new transmit frequency: none falls back to the receive frequency; a channel without a
// receive frequency keeps no transmit frequency.
void setTransmit(Channel& channel, std::optional<uint32_t> freq10Hz);

// The limits of no band, 0 and 0: Program.ini does not list the type and band, or names none.
bool isNoBand(BandLimits band);

// The channels (numbers 1 to 16) that hold a frequency outside `band` as far as the image can
// hold it (storableLimits), as a typed frequency would be refused: what a write would send that
// the band does not allow. Without a band (limits 0/0) every channel with a frequency is outside.
std::vector<int> channelsOutsideBand(const MemoryImage& image, BandLimits band);

// No channel is in use: a write would leave the radio with no channels.
bool hasNoChannelInUse(const MemoryImage& image);

// "(the band is 400.00000 to 470.00000 MHz)", the part of the band the image can hold, or the
// words for no band (limits 0 and 0: Program.ini does not list the type and band); follows a
// frequency's refusal.
std::string bandClause(BandLimits band, Language language);

// The refusal of a typed frequency with the band it was checked against:
// "Out of range,please input again. (the band is 400.00000 to 470.00000 MHz)"; without a band, a
// second line says where to choose one.
std::string refusalText(MessageId id, BandLimits band, Language language);

// "Channels 2, 5 are outside the band 400.00000 to 470.00000 MHz."; "" for no channels.
std::string outsideBandText(const std::vector<int>& channels, BandLimits band, Language language);

} // namespace channeledit

#pragma once

#include "channels/Channel.h"
#include "channels/Formats.h"

#include <optional>
#include <string_view>

// The channel editor's rules on typed channels, shared by the grid (through ChannelTable),
// radioprog's channel command and the CSV import.
namespace channeledit {

// A typed frequency accepted for the band, or the message that refuses it.
struct FrequencyEntry {
    uint32_t freq10Hz = 0;
    std::optional<MessageId> refusal;
    bool accepted() const { return !refusal; }
};

// Reads a typed (non-empty) frequency in MHz and checks it: outside `limits` or off the
// 5 / 6.25 kHz step it is refused. 0 and values of more than eight digits cannot be stored and
// count as out of range whatever the band says.
FrequencyEntry readFrequency(std::string_view typed, BandLimits limits);

// A new receive frequency (none deletes the channel, which becomes Channel::erased()):
// a channel without one becomes a new channel on that frequency, with the new-channel
// defaults; an existing one changes its receive frequency only.
void setReceive(Channel& channel, std::optional<uint32_t> freq10Hz);

// A new transmit frequency: none falls back to the receive frequency; a channel without a
// receive frequency keeps no transmit frequency.
void setTransmit(Channel& channel, std::optional<uint32_t> freq10Hz);

} // namespace channeledit

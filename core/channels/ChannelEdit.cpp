#include "channels/ChannelEdit.h"

#include <algorithm>

namespace channeledit {

BandLimits storableLimits(BandLimits band) {
    return {std::max(band.min10Hz, static_cast<int32_t>(kMinStorableFrequency10Hz)),
            std::min(band.max10Hz, static_cast<int32_t>(image::kMaxFrequency10Hz))};
}

FrequencyEntry readFrequency(std::string_view typed, BandLimits limits) {
    const std::optional<int32_t> f = parseTypedFrequency(typed);
    // Out of range whatever the band says when the image cannot hold it.
    const FrequencyCheck check = checkFrequency(f, storableLimits(limits));
    if (check != FrequencyCheck::Ok) {
        return {0, messageFor(check)};
    }
    return {static_cast<uint32_t>(*f), std::nullopt};
}

void setReceive(Channel& channel, std::optional<uint32_t> freq10Hz) {
    if (!freq10Hz) {
        channel = Channel::erased();
    } else if (!channel.rx10Hz) {
        channel = Channel::onFrequency(*freq10Hz);
    } else {
        channel.rx10Hz = freq10Hz;
    }
}

void setTransmit(Channel& channel, std::optional<uint32_t> freq10Hz) {
    channel.tx10Hz = channel.rx10Hz ? (freq10Hz ? freq10Hz : channel.rx10Hz) : std::nullopt;
}

} // namespace channeledit

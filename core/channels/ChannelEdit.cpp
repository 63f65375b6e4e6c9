#include "channels/ChannelEdit.h"

namespace channeledit {

FrequencyEntry readFrequency(std::string_view typed, BandLimits limits) {
    std::optional<int32_t> f = parseFrequencyText(typed);
    if (f && (*f <= 0 || static_cast<uint32_t>(*f) > image::kMaxFrequency10Hz)) {
        f.reset(); // the image cannot hold it: out of range whatever the band says
    }
    const FrequencyCheck check = checkFrequency(f, limits);
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

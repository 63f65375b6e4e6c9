#include "channels/ChannelEdit.h"

#include "channels/ChannelCodec.h"
#include "text/CoreTexts.h"

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

bool isNoBand(BandLimits band) {
    return band.min10Hz == 0 && band.max10Hz == 0;
}

namespace {
// The part of the band the image can hold, or the band itself when the image holds none of it.
std::string rangeText(BandLimits band, Language language) {
    const BandLimits storable = storableLimits(band);
    const BandLimits shown = storable.min10Hz <= storable.max10Hz ? storable : band;
    const auto mhz = [](int32_t f) { return formatFrequency(static_cast<uint32_t>(std::max(f, 0))); };
    return coreText(CoreText::BandRange, language, mhz(shown.min10Hz), mhz(shown.max10Hz));
}
} // namespace

std::vector<int> channelsOutsideBand(const MemoryImage& image, BandLimits band) {
    const BandLimits storable = storableLimits(band);
    const auto outside = [&](const std::optional<uint32_t>& f) {
        return f &&
               (static_cast<int64_t>(*f) < storable.min10Hz || static_cast<int64_t>(*f) > storable.max10Hz);
    };
    std::vector<int> numbers;
    const Channels channels = ChannelCodec::decodeAll(image);
    for (size_t i = 0; i < channels.size(); ++i) {
        if (outside(channels[i].rx10Hz) || outside(channels[i].tx10Hz)) {
            numbers.push_back(static_cast<int>(i) + 1);
        }
    }
    return numbers;
}

bool hasNoChannelInUse(const MemoryImage& image) {
    const Channels channels = ChannelCodec::decodeAll(image);
    return std::none_of(channels.begin(), channels.end(), [](const Channel& c) { return c.isInUse(); });
}

std::string bandClause(BandLimits band, Language language) {
    return isNoBand(band) ? coreText(CoreText::NoBand, language)
                          : coreText(CoreText::BandIs, language, rangeText(band, language));
}

std::string refusalText(MessageId id, BandLimits band, Language language) {
    return std::string(messageText(id, language)) + (language == Language::Chinese ? "" : " ") +
           bandClause(band, language) +
           (isNoBand(band) ? std::string("\n") + coreText(CoreText::ChooseBand, language) : std::string());
}

std::string outsideBandText(const std::vector<int>& channels, BandLimits band, Language language) {
    if (channels.empty()) {
        return {};
    }
    std::string numbers;
    for (int channel : channels) {
        numbers += (numbers.empty() ? "" : ", ") + std::to_string(channel);
    }
    const std::string range =
        isNoBand(band) ? coreText(CoreText::NoBand, language) : rangeText(band, language);
    return coreText(channels.size() == 1 ? CoreText::ChannelOutsideBand : CoreText::ChannelsOutsideBand,
                    language, numbers, range);
}

} // namespace channeledit

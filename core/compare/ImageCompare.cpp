#include "compare/ImageCompare.h"

#include "channels/ChannelCodec.h"
#include "channels/ChannelFields.h"
#include "radio/RadioJob.h"

std::vector<ImageDifference> compareImages(const MemoryImage& from, const MemoryImage& to, Language language,
                                           bool withReserved) {
    std::vector<ImageDifference> differences;
    if (from.radioType() != to.radioType() || from.band() != to.band()) {
        differences.push_back({ImageDifference::Kind::TypeAndBand, 0, "Type",
                               std::to_string(from.radioType()), std::to_string(to.radioType())});
    }
    const Channels was = ChannelCodec::decodeAll(from);
    const Channels will = ChannelCodec::decodeAll(to);
    for (int n = 0; n < image::kChannelCount; ++n) {
        for (const ChannelFieldInfo& field : channelFields()) {
            const std::string before = fieldText(field, was[static_cast<size_t>(n)], language);
            const std::string after = fieldText(field, will[static_cast<size_t>(n)], language);
            if (before != after) {
                differences.push_back({ImageDifference::Kind::ChannelField, n + 1,
                                       coreText(field.heading, language), before, after});
            }
        }
    }
    if (differences.empty() && (withReserved ? from != to : firstDifferingRow(from, to) >= 0)) {
        differences.push_back({ImageDifference::Kind::Option, 0, "Options", "", ""});
    }
    return differences;
}

std::string differenceLine(const ImageDifference& difference, Language) {
    return (difference.channel > 0 ? "CH " + std::to_string(difference.channel) + "  " : std::string()) +
           difference.what + "  " + difference.before + " -> " + difference.after;
}

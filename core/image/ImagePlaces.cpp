#include "image/ImagePlaces.h"

#include "channels/ChannelFields.h"
#include "image/MemoryImage.h"
#include "options/Options.h"
#include "text/CoreTexts.h"

#include <optional>

namespace {

// The grid's heading of the changed bits of a byte of a channel record; nullopt for bits no
// column shows.
std::optional<CoreText> recordHeading(size_t byteInRecord, uint8_t changedBits) {
    for (const ChannelFieldInfo& field : channelFields()) {
        if (MemoryImage::partCovers(field.part, byteInRecord, changedBits)) {
            return field.heading;
        }
    }
    return std::nullopt;
}

// The heading of the field stored in the scan bitmap.
CoreText scanHeading() {
    for (const ChannelFieldInfo& field : channelFields()) {
        if (field.part.scanBit) {
            return field.heading;
        }
    }
    return CoreText::HeadingScan;
}

// The label of a radio-wide option byte, nullopt for a byte no option names.
std::optional<CoreText> optionLabelAt(size_t offset) {
    for (const OptionInfo& info : optionTable()) {
        if (info.offset == offset) {
            return info.label;
        }
    }
    return std::nullopt;
}

int lowestBit(uint8_t bits) {
    for (int bit = 0; bit < 8; ++bit) {
        if ((bits >> bit) & 1) {
            return bit;
        }
    }
    return 0;
}

} // namespace

std::string imagePlaceText(size_t offset, uint8_t changedBits, Language language) {
    const size_t firstChannel = image::channelOffset(1);
    const size_t endOfChannels = image::channelOffset(image::kChannelCount + 1);
    if (offset >= firstChannel && offset < endOfChannels) {
        const std::string channel = std::to_string(offset / image::kRowSize);
        const std::optional<CoreText> heading = recordHeading(offset % image::kRowSize, changedBits);
        return heading ? coreText(CoreText::ChannelField, language, coreText(*heading, language), channel)
                       : coreText(CoreText::ChannelRecord, language, channel);
    }
    if (offset == image::offset::kScanBitmap || offset == image::offset::kScanBitmap + 1) {
        const size_t channel =
            (offset - image::offset::kScanBitmap) * 8 + 1 + static_cast<size_t>(lowestBit(changedBits));
        return coreText(CoreText::ChannelField, language, coreText(scanHeading(), language),
                        std::to_string(channel));
    }
    if (offset == image::offset::kRadioType || offset == image::offset::kBand) {
        return coreText(CoreText::TypeAndBand, language);
    }
    if (const std::optional<CoreText> label = optionLabelAt(offset)) {
        return coreText(CoreText::RadioWideOption, language, coreText(*label, language));
    }
    return coreText(CoreText::RadioWideOptions, language);
}

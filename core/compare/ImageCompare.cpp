#include "compare/ImageCompare.h"

#include "channels/ChannelCodec.h"
#include "channels/ChannelFields.h"
#include "channels/Formats.h"
#include "channels/RadioModel.h"
#include "options/Options.h"

#include <cstdio>

namespace {

using Kind = ImageDifference::Kind;

std::string hexByte(uint8_t value) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value);
    return text;
}

// The bytes of a part as stored ("FF FF FF FF"; a shared byte masked), the scan bit as 0 or 1.
std::string partBytes(const MemoryImage& image, int channel, ChannelPart part) {
    if (part.scanBit) {
        return image.isScanned(channel) ? "1" : "0";
    }
    std::string text;
    for (size_t at = part.at; at < part.at + part.count; ++at) {
        text += (text.empty() ? "" : " ") +
                hexByte(static_cast<uint8_t>(image.byte(image::channelOffset(channel) + at) & part.mask));
    }
    return text;
}

bool partDiffers(const MemoryImage& from, const MemoryImage& to, int channel, ChannelPart part) {
    MemoryImage copy = to;
    copy.copyChannelPart(channel, part, from);
    return !(copy == to);
}

// The value of a field as it is, also where the grid shows an empty cell (the attributes of a
// channel that is not in use).
std::string fieldValue(const ChannelFieldInfo& field, const Channel& channel, Language language) {
    switch (field.kind) {
    case FieldKind::Frequency:
        return fieldText(field, channel, language);
    case FieldKind::Tone:
        return formatTone(channel.*field.tone, language);
    case FieldKind::List:
        break;
    }
    return fieldItems(field, language)[static_cast<size_t>(field.item(channel))];
}

// The texts of a field that differs in its bytes: the grid's, else the value's, else the bytes.
void fieldTexts(const ChannelFieldInfo& field, const MemoryImage& from, const MemoryImage& to, int number,
                Language language, ImageDifference& difference) {
    const Channel before = ChannelCodec::decode(from, number);
    const Channel after = ChannelCodec::decode(to, number);
    difference.before = fieldText(field, before, language);
    difference.after = fieldText(field, after, language);
    if (difference.before == difference.after) {
        difference.before = fieldValue(field, before, language);
        difference.after = fieldValue(field, after, language);
    }
    if (difference.before == difference.after) {
        difference.before = partBytes(from, number, field.part);
        difference.after = partBytes(to, number, field.part);
    }
}

// "0x1A0=FF 0x1A1=00": the bytes of `offsets` in the image.
std::string bytesText(const MemoryImage& image, const std::vector<size_t>& offsets) {
    std::string text;
    for (size_t offset : offsets) {
        char at[16];
        std::snprintf(at, sizeof at, "0x%03zX=", offset);
        text += (text.empty() ? "" : " ") + std::string(at) + hexByte(image.byte(offset));
    }
    return text;
}

// The bits of a record byte that no field stores.
uint8_t unnamedBits(size_t byteInRecord, uint8_t changedBits) {
    uint8_t unnamed = 0;
    for (int bit = 0; bit < 8; ++bit) {
        const auto mask = static_cast<uint8_t>(1u << bit);
        if ((changedBits & mask) == 0) {
            continue;
        }
        bool named = false;
        for (const ChannelFieldInfo& field : channelFields()) {
            named = named || MemoryImage::partCovers(field.part, byteInRecord, mask);
        }
        if (!named) {
            unnamed |= mask;
        }
    }
    return unnamed;
}

// "2 HT-16V", or "2" without a name.
std::string numbered(uint8_t number, const std::string& name) {
    return std::to_string(number) + (name.empty() ? "" : " " + name);
}

void compareTypeAndBand(const MemoryImage& from, const MemoryImage& to, Language language,
                        const ProgramIni* ini, std::vector<ImageDifference>& out) {
    radiomodel::TypeAndBand before;
    radiomodel::TypeAndBand after;
    if (ini) {
        before = radiomodel::describe(from, *ini);
        after = radiomodel::describe(to, *ini);
    }
    if (from.radioType() != to.radioType()) {
        out.push_back({Kind::TypeAndBand, 0, coreText(CoreText::RadioType, language),
                       numbered(from.radioType(), before.typeName),
                       numbered(to.radioType(), after.typeName)});
    }
    if (from.band() != to.band()) {
        out.push_back({Kind::TypeAndBand, 0, coreText(CoreText::Band, language),
                       numbered(from.band(), before.bandName), numbered(to.band(), after.bandName)});
    }
}

std::string optionText(const OptionInfo& info, const MemoryImage& image, Language language) {
    const int selection = optionSelection(info.list, image);
    if (selection < 0) {
        return "0x" + hexByte(image.byte(info.offset));
    }
    return optionItems(info.list, language)[static_cast<size_t>(selection)];
}

void compareOptions(const MemoryImage& from, const MemoryImage& to, Language language,
                    std::vector<ImageDifference>& out) {
    for (const OptionInfo& info : optionTable()) {
        if (from.byte(info.offset) == to.byte(info.offset)) {
            continue;
        }
        ImageDifference difference{Kind::Option, 0, optionLabel(info.list, language),
                                   optionText(info, from, language), optionText(info, to, language)};
        if (difference.before == difference.after) {
            difference.before = "0x" + hexByte(from.byte(info.offset));
            difference.after = "0x" + hexByte(to.byte(info.offset));
        }
        out.push_back(difference);
    }
}

void compareChannel(const MemoryImage& from, const MemoryImage& to, int number, Language language,
                    std::vector<ImageDifference>& out) {
    const ChannelFieldInfo& rx = channelFields().front();
    if (from.isInUse(number) != to.isInUse(number)) {
        const bool added = to.isInUse(number);
        ImageDifference difference{
            added ? Kind::ChannelAdded : Kind::ChannelRemoved, number,
            coreText(added ? CoreText::CompareAdded : CoreText::CompareRemoved, language), "", ""};
        (added ? difference.after : difference.before) =
            fieldText(rx, ChannelCodec::decode(added ? to : from, number), language);
        out.push_back(difference);
        return;
    }
    for (const ChannelFieldInfo& field : channelFields()) {
        if (partDiffers(from, to, number, field.part)) {
            ImageDifference difference{Kind::ChannelField, number, coreText(field.heading, language), "", ""};
            fieldTexts(field, from, to, number, language, difference);
            out.push_back(difference);
        }
    }
    std::vector<size_t> unnamed;
    for (size_t at = 0; at < image::kRowSize; ++at) {
        const size_t offset = image::channelOffset(number) + at;
        if (unnamedBits(at, static_cast<uint8_t>(from.byte(offset) ^ to.byte(offset))) != 0) {
            unnamed.push_back(offset);
        }
    }
    if (!unnamed.empty()) {
        out.push_back({Kind::ChannelField, number, coreText(CoreText::CompareOtherBytes, language),
                       bytesText(from, unnamed), bytesText(to, unnamed)});
    }
}

// A byte outside the channel records that an option, the scan bitmap or the type and band
// already name.
bool namedOutsideRecords(size_t offset) {
    if (offset == image::offset::kRadioType || offset == image::offset::kBand ||
        offset == image::offset::kScanBitmap || offset == image::offset::kScanBitmap + 1) {
        return true;
    }
    for (const OptionInfo& info : optionTable()) {
        if (info.offset == offset) {
            return true;
        }
    }
    return false;
}

void compareOtherBytes(const MemoryImage& from, const MemoryImage& to, Language language,
                       std::vector<ImageDifference>& out) {
    const size_t firstChannel = image::channelOffset(1);
    const size_t endOfChannels = image::channelOffset(image::kChannelCount + 1);
    std::vector<size_t> unnamed;
    for (size_t offset = 0; offset < image::kTransferSize; ++offset) {
        if ((offset < firstChannel || offset >= endOfChannels) && !namedOutsideRecords(offset) &&
            from.byte(offset) != to.byte(offset)) {
            unnamed.push_back(offset);
        }
    }
    if (!unnamed.empty()) {
        out.push_back({Kind::Option, 0, coreText(CoreText::CompareOtherBytes, language),
                       bytesText(from, unnamed), bytesText(to, unnamed)});
    }
}

} // namespace

std::vector<ImageDifference> compareImages(const MemoryImage& from, const MemoryImage& to, Language language,
                                           bool withReserved) {
    return compareImages(from, to, language, withReserved, nullptr);
}

std::vector<ImageDifference> compareImages(const MemoryImage& from, const MemoryImage& to, Language language,
                                           bool withReserved, const ProgramIni* ini) {
    std::vector<ImageDifference> out;
    compareTypeAndBand(from, to, language, ini, out);
    compareOptions(from, to, language, out);
    compareOtherBytes(from, to, language, out);
    for (int number = 1; number <= image::kChannelCount; ++number) {
        compareChannel(from, to, number, language, out);
    }
    if (withReserved) {
        for (size_t offset = image::kTransferSize; offset < image::kSize; ++offset) {
            if (from.byte(offset) != to.byte(offset)) {
                out.push_back({Kind::Reserved, 0, coreText(CoreText::CompareReservedRows, language), "", ""});
                break;
            }
        }
    }
    return out;
}

const char* differenceKindKey(Kind kind) {
    switch (kind) {
    case Kind::ChannelField:
        return "channel_field";
    case Kind::ChannelAdded:
        return "channel_added";
    case Kind::ChannelRemoved:
        return "channel_removed";
    case Kind::Option:
        return "option";
    case Kind::TypeAndBand:
        return "type_and_band";
    case Kind::Reserved:
        break;
    }
    return "reserved";
}

std::string differenceLine(const ImageDifference& difference, Language language) {
    const auto shown = [language](const std::string& text) {
        return text.empty() ? std::string(coreText(CoreText::CompareEmpty, language)) : text;
    };
    std::string line;
    if (difference.channel > 0) {
        line = std::string(coreText(CoreText::HeadingChannel, language)) + " " +
               std::to_string(difference.channel) + "  ";
    }
    line += difference.what;
    switch (difference.kind) {
    case Kind::ChannelAdded:
        return line + "  " + difference.after;
    case Kind::ChannelRemoved:
        return line + "  " + difference.before;
    case Kind::Reserved:
        return line + "  " + coreText(CoreText::CompareDiffer, language);
    case Kind::ChannelField:
    case Kind::Option:
    case Kind::TypeAndBand:
        break;
    }
    return line + "  " + shown(difference.before) + " -> " + shown(difference.after);
}

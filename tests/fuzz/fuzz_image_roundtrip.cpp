// A 1024-byte image of any bytes (shorter inputs are filled with 0xFF, longer ones cut) through
// the channel table: decoding, encoding and decoding again gives the same texts; encoding an
// untouched decode keeps every channel in use as it was, every byte outside the channel records
// and scan bits, and bytes 14 and 15 of every record. Then through the CSV export: a list the
// image exports, with every channel in use on storable frequencies and tones of the tone list,
// imports again.

#include "FuzzSupport.h"

#include "channels/ChannelCodec.h"
#include "channels/ChannelCsv.h"
#include "channels/ChannelEdit.h"
#include "channels/ChannelTable.h"
#include "channels/Formats.h"

#include <algorithm>
#include <limits>

namespace {

bool sameTexts(const ChannelTable& a, const ChannelTable& b) {
    for (int row = 1; row < kGridRows; ++row) {
        for (int col = 1; col < kGridCols; ++col) {
            if (a.text(row, col) != b.text(row, col)) {
                return false;
            }
        }
    }
    return true;
}

bool isChannelByte(size_t offset) {
    return (offset >= image::channelOffset(1) && offset < image::channelOffset(image::kChannelCount + 1)) ||
           offset == image::offset::kScanBitmap || offset == image::offset::kScanBitmap + 1;
}

void checkTable(const MemoryImage& original, Language language) {
    ChannelTable table(language);
    table.decode(original);
    MemoryImage encoded = original;
    table.encode(encoded);
    ChannelTable again(language);
    again.decode(encoded);
    fuzz::require(sameTexts(table, again), "decode, encode, decode gives the same texts");

    for (size_t offset = 0; offset < image::kSize; ++offset) {
        if (!isChannelByte(offset)) {
            fuzz::require(encoded.byte(offset) == original.byte(offset),
                          "encoding keeps the bytes outside the channel records");
        }
    }
    for (int channel = 1; channel <= image::kChannelCount; ++channel) {
        const size_t record = image::channelOffset(channel);
        fuzz::require(encoded.byte(record + 14) == original.byte(record + 14) &&
                          encoded.byte(record + 15) == original.byte(record + 15),
                      "encoding keeps bytes 14 and 15 of a record");
        const Channel before = ChannelCodec::decode(original, channel);
        if (before.isInUse()) {
            fuzz::require(ChannelCodec::decode(encoded, channel) == before,
                          "encoding an untouched decode keeps a channel in use");
        }
    }
}

bool storable(const std::optional<uint32_t>& freq) {
    return !freq || (*freq >= channeledit::kMinStorableFrequency10Hz && *freq <= image::kMaxFrequency10Hz);
}

void checkCsv(const MemoryImage& original) {
    const Channels channels = ChannelCodec::decodeAll(original);
    const BandLimits limits = channeledit::storableLimits({0, std::numeric_limits<int32_t>::max()});
    for (const Channel& channel : channels) {
        if (channel.isInUse() &&
            (checkFrequency(static_cast<int32_t>(*channel.rx10Hz), limits) != FrequencyCheck::Ok ||
             checkFrequency(static_cast<int32_t>(*channel.tx10Hz), limits) != FrequencyCheck::Ok ||
             !storable(channel.rx10Hz) || !storable(channel.tx10Hz) || toneListIndex(channel.rxTone) < 0 ||
             toneListIndex(channel.txTone) < 0)) {
            return; // the grid's rules refuse this channel, so import does too
        }
    }
    const std::string exported = channelcsv::exportCsv(original);
    const channelcsv::ImportResult imported = channelcsv::importCsv(exported, original, limits);
    if (!imported.ok()) {
        std::fprintf(stderr, "line %d: %s\n", imported.problems.front().line,
                     imported.problems.front().reason.c_str());
    }
    fuzz::require(imported.ok(), "what export writes, import reads");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryImage original;
    std::copy(data, data + std::min(size, image::kSize), original.data());
    checkTable(original, Language::English);
    checkTable(original, Language::Chinese);
    checkCsv(original);
    return 0;
}

// A 1024-byte image of any bytes (shorter inputs are filled with 0xFF, longer ones cut) through
// the channel table: committing again every text it shows keeps every byte of the image (the
// channels in use, bytes 14 and 15 of every record, everything outside the records and scan
// bits). Then through the CSV export: a list the image exports, with every channel in use on
// storable frequencies and tones of the tone list, imports again.

#include "FuzzSupport.h"
#include "GridTexts.h"

#include "channels/ChannelCodec.h"
#include "channels/ChannelCsv.h"
#include "channels/ChannelEdit.h"
#include "channels/ChannelTable.h"
#include "channels/Formats.h"

#include <algorithm>
#include <limits>

namespace {

void checkTable(const MemoryImage& original, Language language) {
    const BandLimits limits = channeledit::storableLimits({0, std::numeric_limits<int32_t>::max()});
    fuzz::require(fuzz::shownTextsKeepImage(ChannelTable(original, language), limits),
                  "committing the texts the grid shows keeps every byte");
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

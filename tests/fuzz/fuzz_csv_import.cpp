// A channel list of any text imported into a new document over the whole storable band: a
// refused list leaves the image as it was, and an accepted one exports to a list that imports
// again to the same image, and every digital code it stores is spelt in the list.

#include "FuzzSupport.h"

#include "channels/ChannelCodec.h"
#include "channels/ChannelCsv.h"
#include "channels/ChannelEdit.h"

#include <cstring>
#include <limits>

namespace {

void requireSameChannels(const MemoryImage& a, const MemoryImage& b, const char* contract) {
    const size_t first = image::channelOffset(1);
    const size_t end = image::channelOffset(image::kChannelCount + 1);
    fuzz::require(std::memcmp(a.data() + first, b.data() + first, end - first) == 0, contract);
    fuzz::require(a == b, contract);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const BandLimits limits = channeledit::storableLimits({0, std::numeric_limits<int32_t>::max()});
    const MemoryImage base = MemoryImage::newDocument();

    const channelcsv::ImportResult imported = channelcsv::importCsv(text, base, limits);
    if (!imported.ok()) {
        fuzz::require(imported.image == base, "a refused list leaves the image unchanged");
        fuzz::require(imported.named.empty(), "a refused list names no channels");
        return 0;
    }
    fuzz::require(imported.channelCount == static_cast<int>(imported.named.size()),
                  "every imported row names one channel");

    // A digital code comes from the list's own digits: one the list does not spell (a number
    // that wrapped round to a known code, say) was made up.
    for (const channelcsv::NamedChannel& named : imported.named) {
        const Channel channel = ChannelCodec::decode(imported.image, named.channel);
        for (const Tone& tone : {channel.rxTone, channel.txTone}) {
            fuzz::require(!tone.isDcs() || text.find(std::to_string(tone.value)) != std::string_view::npos,
                          "a digital code is one the list spells");
        }
    }

    const std::string exported = channelcsv::exportCsv(imported.image);
    const channelcsv::ImportResult again = channelcsv::importCsv(exported, base, limits);
    fuzz::require(again.ok(), "an exported list imports");
    requireSameChannels(again.image, imported.image, "import, export, import gives the same channels");
    return 0;
}

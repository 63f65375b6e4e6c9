// A channel plan of any list and description text (the input's bytes up to the first NUL are
// the list, the rest the description), applied to a document with channels in use and checked:
// applying never touches the channels it does not fill (or empties them all with replace-all),
// fills each channel once, in range, and the check names only channels there are.

#include "FuzzSupport.h"

#include "channels/ChannelCodec.h"
#include "channels/ChannelEdit.h"
#include "check/ChannelCheck.h"
#include "plans/ChannelPlans.h"

#include <cstring>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = std::min(input.find('\0'), input.size());
    std::string problem;
    const std::optional<ChannelPlan> plan = channelplans::parsePlan(
        "Fuzz", input.substr(0, split), split < input.size() ? input.substr(split + 1) : std::string_view(),
        Language::English, &problem);
    if (!plan) {
        fuzz::require(!problem.empty(), "a list that does not read says why");
        return 0;
    }

    MemoryImage base = MemoryImage::newDocument();
    for (int channel = 1; channel <= image::kChannelCount; channel += 3) {
        base.setRxFrequency(channel, 14500000 + 2500 * static_cast<uint32_t>(channel));
        base.setTxFrequency(channel, 14500000 + 2500 * static_cast<uint32_t>(channel));
    }
    const BandLimits band = channeledit::storableLimits({0, std::numeric_limits<int32_t>::max()});
    const Channels before = ChannelCodec::decodeAll(base);
    const int rows = static_cast<int>(plan->channels.size());
    const channelplans::ApplyRequest requests[] = {
        {1, 0, 1, false}, {1, 0, 1, true}, {2, rows, 9, false}, {rows, rows, 16, true}, {3, 1, 1, false}};
    for (const channelplans::ApplyRequest& request : requests) {
        const channelplans::ApplyResult result =
            channelplans::apply(*plan, base, band, request, Language::English);
        const Channels after = ChannelCodec::decodeAll(result.image);
        for (size_t i = 0; i < result.channels.size(); ++i) {
            const int channel = result.channels[i];
            fuzz::require(channel >= request.fromChannel && channel <= image::kChannelCount,
                          "a plan fills only channels from the one asked for");
            fuzz::require(i == 0 || channel > result.channels[i - 1],
                          "each channel is filled once, in order");
        }
        for (int channel = 1; channel <= image::kChannelCount; ++channel) {
            if (std::find(result.channels.begin(), result.channels.end(), channel) != result.channels.end()) {
                fuzz::require(result.image.isInUse(channel), "a filled channel is in use");
                continue;
            }
            const size_t i = static_cast<size_t>(channel - 1);
            fuzz::require(
                request.replaceAll ? !after[i].rx10Hz : after[i] == before[i],
                "a channel the plan does not fill keeps what it held, or is empty with replace-all");
        }
        for (const Finding& finding : channelcheck::check(result.image, {*plan}, Language::English)) {
            fuzz::require(finding.channel >= 1 && finding.channel <= image::kChannelCount &&
                              !finding.text.empty(),
                          "a finding names a channel there is and says what to do");
        }
    }
    return 0;
}

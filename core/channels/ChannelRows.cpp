#include "channels/ChannelRows.h"

#include <algorithm>
#include <array>

namespace {

using Record = std::array<uint8_t, image::kRowSize>;

struct Slot {
    Record record;
    bool scanned;
};

Slot slotOf(const MemoryImage& image, int channel) {
    Slot slot{};
    std::copy_n(image.data() + image::channelOffset(channel), image::kRowSize, slot.record.begin());
    slot.scanned = image.isScanned(channel);
    return slot;
}

void put(MemoryImage& image, int channel, const Slot& slot) {
    std::copy(slot.record.begin(), slot.record.end(), image.data() + image::channelOffset(channel));
    image.setScanned(channel, slot.scanned);
}

Slot erasedSlot() {
    Slot slot{};
    slot.record.fill(0xFF);
    slot.scanned = false;
    return slot;
}

bool valid(int channel) {
    return channel >= 1 && channel <= image::kChannelCount;
}

// The priority option names a channel by number (1..16, 0 off): `to(n)` is where channel n went,
// 0 when it is gone.
template <typename Mapping> void followPriority(MemoryImage& image, Mapping to) {
    const uint8_t priority = image.byte(image::offset::kPriority);
    if (valid(priority)) {
        image.setByte(image::offset::kPriority, static_cast<uint8_t>(to(priority)));
    }
}

} // namespace

RowEdit insertChannel(MemoryImage& image, int channel) {
    if (!valid(channel)) {
        return RowEdit::OutOfRange;
    }
    if (image.rxFrequency(image::kChannelCount) || image.txFrequency(image::kChannelCount)) {
        return RowEdit::NoRoom;
    }
    for (int n = image::kChannelCount; n > channel; --n) {
        put(image, n, slotOf(image, n - 1));
    }
    put(image, channel, erasedSlot());
    followPriority(image,
                   [channel](int n) { return n >= channel ? (n < image::kChannelCount ? n + 1 : 0) : n; });
    return RowEdit::Done;
}

RowEdit deleteChannel(MemoryImage& image, int channel) {
    if (!valid(channel)) {
        return RowEdit::OutOfRange;
    }
    for (int n = channel; n < image::kChannelCount; ++n) {
        put(image, n, slotOf(image, n + 1));
    }
    put(image, image::kChannelCount, erasedSlot());
    followPriority(image, [channel](int n) { return n == channel ? 0 : (n > channel ? n - 1 : n); });
    return RowEdit::Done;
}

RowEdit clearChannels(MemoryImage& image, int first, int last) {
    if (!valid(first) || !valid(last) || first > last) {
        return RowEdit::OutOfRange;
    }
    for (int n = first; n <= last; ++n) {
        put(image, n, erasedSlot());
    }
    followPriority(image, [first, last](int n) { return n >= first && n <= last ? 0 : n; });
    return RowEdit::Done;
}

RowEdit moveChannel(MemoryImage& image, int channel, int step) {
    const int other = channel + step;
    if (!valid(channel) || !valid(other) || (step != 1 && step != -1)) {
        return RowEdit::OutOfRange;
    }
    const Slot a = slotOf(image, channel);
    put(image, channel, slotOf(image, other));
    put(image, other, a);
    followPriority(image,
                   [channel, other](int n) { return n == channel ? other : (n == other ? channel : n); });
    return RowEdit::Done;
}

void copyChannel(const MemoryImage& from, int source, MemoryImage& to, int target) {
    if (valid(source) && valid(target)) {
        put(to, target, slotOf(from, source));
    }
}

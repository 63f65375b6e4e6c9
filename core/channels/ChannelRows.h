#pragma once

#include "image/MemoryImage.h"

// Moving whole channels in the image, as the grid's row commands do. A channel is its 16-byte
// record and its scan bit; both move together, and the priority channel option follows its
// channel (a deleted priority channel leaves priority off). Nothing else changes.
enum class RowEdit {
    Done,
    NoRoom,     // inserting would push a channel in use off the end (channel 16 is in use)
    OutOfRange, // no such channel, or no neighbour to swap with
};

// Channels n..15 move one down; channel n becomes erased (every byte 0xFF, not scanned).
RowEdit insertChannel(MemoryImage& image, int channel);
// Channels n+1..16 move one up; channel 16 becomes erased.
RowEdit deleteChannel(MemoryImage& image, int channel);
// Swaps channel n with channel n + step (step -1 or +1).
RowEdit moveChannel(MemoryImage& image, int channel, int step);
// Channels first..last become erased where they are; the others stay in place.
RowEdit clearChannels(MemoryImage& image, int first, int last);
// Channel `source` of `from`, record and scan bit, becomes channel `target` of `to`; the options
// of `to` stay as they are.
void copyChannel(const MemoryImage& from, int source, MemoryImage& to, int target);

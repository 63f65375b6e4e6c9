#pragma once

#include "image/MemoryImage.h"
#include "image/Tone.h"

#include <array>
#include <cstdint>
#include <optional>

// One channel as typed values: what a channel record and its scan bit mean, nothing of how
// they are stored (ChannelCodec) or shown (ChannelTable).
struct Channel {
    std::optional<uint32_t> rx10Hz; // receive frequency in 10 Hz units; none when not set
    std::optional<uint32_t> tx10Hz; // transmit frequency in 10 Hz units
    Tone rxTone;                    // decode (receive squelch)
    Tone txTone;                    // encode
    bool wide = true;
    bool scanned = true;
    BusyLock busyLock = BusyLock::Off;
    bool highPower = true;

    // A new channel on one frequency: both frequencies set, no tones, wide, scanned, no busy
    // lock, high power, as the grid fills a new row.
    static Channel onFrequency(uint32_t freq10Hz);
    // What an empty grid row stores: no frequencies and no tones; for the attributes no text
    // says anything, which reads as wide, not scanned, busy lock on the tone, high power.
    static Channel erased();

    // The radio uses a channel when both frequencies are set.
    bool isInUse() const { return rx10Hz && tx10Hz; }
    // A channel with neither frequency has no attributes to edit.
    bool hasFrequency() const { return rx10Hz || tx10Hz; }

    bool operator==(const Channel& o) const {
        return rx10Hz == o.rx10Hz && tx10Hz == o.tx10Hz && rxTone == o.rxTone && txTone == o.txTone &&
               wide == o.wide && scanned == o.scanned && busyLock == o.busyLock && highPower == o.highPower;
    }
    bool operator!=(const Channel& o) const { return !(*this == o); }
};

// Channels 1 to 16 at indexes 0 to 15.
using Channels = std::array<Channel, image::kChannelCount>;

#pragma once

#include "channels/Channel.h"
#include "image/MemoryImage.h"

// Between the image's channel records (and scan bitmap) and typed channels. Encoding writes
// only what a channel owns: the frequencies, the tone words, the busy-lock bits of byte 12,
// the wide and power bits of byte 13 and the channel's scan bit. Bytes 14 and 15 and the other
// bits of bytes 12 and 13 keep what the image held. Channel numbers run from 1 to 16.
class ChannelCodec {
public:
    static Channel decode(const MemoryImage& image, int channel);
    static Channels decodeAll(const MemoryImage& image);

    // A frequency of 0 or none writes the empty field; one above eight digits is stored as
    // 99999999 (see image::encodeFrequency). A tone the tone word cannot hold is written as
    // no tone (see encodeTone).
    static void encode(MemoryImage& image, int channel, const Channel& value);
    static void encodeAll(MemoryImage& image, const Channels& channels);
};

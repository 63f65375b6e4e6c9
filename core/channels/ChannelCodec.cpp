#include "channels/ChannelCodec.h"

#include "channels/ChannelFields.h"

Channel ChannelCodec::decode(const MemoryImage& image, int channel) {
    Channel c;
    for (const ChannelFieldInfo& field : channelFields()) {
        field.load(image, channel, c);
    }
    return c;
}

Channels ChannelCodec::decodeAll(const MemoryImage& image) {
    Channels channels;
    for (int ch = 1; ch <= image::kChannelCount; ++ch) {
        channels[static_cast<size_t>(ch - 1)] = decode(image, ch);
    }
    return channels;
}

void ChannelCodec::encode(MemoryImage& image, int channel, const Channel& value) {
    for (const ChannelFieldInfo& field : channelFields()) {
        field.store(image, channel, value);
    }
}

void ChannelCodec::encodeAll(MemoryImage& image, const Channels& channels) {
    for (int ch = 1; ch <= image::kChannelCount; ++ch) {
        encode(image, ch, channels[static_cast<size_t>(ch - 1)]);
    }
}

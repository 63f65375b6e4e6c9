#include "channels/ChannelCodec.h"

Channel ChannelCodec::decode(const MemoryImage& image, int channel) {
    Channel c;
    c.rx10Hz = image.rxFrequency(channel);
    c.tx10Hz = image.txFrequency(channel);
    c.rxTone = image.rxTone(channel);
    c.txTone = image.txTone(channel);
    c.wide = image.isWide(channel);
    c.scanned = image.isScanned(channel);
    c.busyLock = image.busyLock(channel);
    c.highPower = image.isHighPower(channel);
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
    image.setRxFrequency(channel, value.rx10Hz.value_or(0));
    image.setTxFrequency(channel, value.tx10Hz.value_or(0));
    image.setRxTone(channel, value.rxTone);
    image.setTxTone(channel, value.txTone);
    image.setWide(channel, value.wide);
    image.setScanned(channel, value.scanned);
    image.setBusyLock(channel, value.busyLock);
    image.setHighPower(channel, value.highPower);
}

void ChannelCodec::encodeAll(MemoryImage& image, const Channels& channels) {
    for (int ch = 1; ch <= image::kChannelCount; ++ch) {
        encode(image, ch, channels[static_cast<size_t>(ch - 1)]);
    }
}

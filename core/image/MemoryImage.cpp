#include "image/MemoryImage.h"

#include <algorithm>
#include <stdexcept>

namespace image {

std::optional<uint32_t> decodeFrequency(const uint8_t* field) {
    if (field[3] == 0xFF || field[3] == 0x00) {
        return std::nullopt;
    }
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        const uint8_t b = field[i];
        v = v * 100 + (b >> 4) * 10 + (b & 0x0F);
    }
    return v;
}

void encodeFrequency(uint8_t* field, uint32_t freq10Hz) {
    if (freq10Hz == 0) {
        field[0] = field[1] = field[2] = field[3] = 0xFF;
        return;
    }
    uint32_t v = freq10Hz > kMaxFrequency10Hz ? kMaxFrequency10Hz : freq10Hz;
    uint32_t d = 1000000;
    for (int i = 3; i >= 0; --i) {
        const uint32_t q = v / d;
        v %= d;
        field[i] = static_cast<uint8_t>((q / 10) * 16 + q % 10);
        d /= 100;
    }
}

} // namespace image

using namespace image;

MemoryImage::MemoryImage() {
    m_bytes.fill(0xFF);
}

MemoryImage MemoryImage::newDocument() {
    MemoryImage img;
    img.m_bytes[offset::kVoice] = 0x02;
    img.m_bytes[offset::kTimeOut] = 0x03;
    img.m_bytes[offset::kSquelch] = 0x05;
    img.m_bytes[offset::kBatterySaver] = 0x01;
    img.m_bytes[offset::kKeyBeep] = 0x01;
    img.m_bytes[offset::kVox] = 0x00;
    img.m_bytes[offset::kVoxGain] = 0x05;
    img.m_bytes[offset::kVoxDelay] = 0x00;
    img.m_bytes[offset::kPriority] = 0x00;
    img.m_bytes[offset::kNewImageMarker] = 0x03;
    return img;
}

uint8_t* MemoryImage::record(int channel) {
    if (channel < 1 || channel > kChannelCount) {
        throw std::out_of_range("channel number out of range");
    }
    return m_bytes.data() + channelOffset(channel);
}

const uint8_t* MemoryImage::record(int channel) const {
    return const_cast<MemoryImage*>(this)->record(channel);
}

std::optional<uint32_t> MemoryImage::rxFrequency(int channel) const {
    return decodeFrequency(record(channel) + record::kRxFrequency);
}

std::optional<uint32_t> MemoryImage::txFrequency(int channel) const {
    return decodeFrequency(record(channel) + record::kTxFrequency);
}

void MemoryImage::setRxFrequency(int channel, uint32_t freq10Hz) {
    encodeFrequency(record(channel) + record::kRxFrequency, freq10Hz);
}

void MemoryImage::setTxFrequency(int channel, uint32_t freq10Hz) {
    encodeFrequency(record(channel) + record::kTxFrequency, freq10Hz);
}

bool MemoryImage::isInUse(int channel) const {
    return rxFrequency(channel).has_value() && txFrequency(channel).has_value();
}

Tone MemoryImage::rxTone(int channel) const {
    return decodeToneWord(rxToneWord(channel));
}

Tone MemoryImage::txTone(int channel) const {
    return decodeToneWord(txToneWord(channel));
}

ToneWord MemoryImage::rxToneWord(int channel) const {
    const uint8_t* r = record(channel);
    return {r[record::kRxTone], r[record::kRxTone + 1]};
}

ToneWord MemoryImage::txToneWord(int channel) const {
    const uint8_t* r = record(channel);
    return {r[record::kTxTone], r[record::kTxTone + 1]};
}

void MemoryImage::setRxTone(int channel, const Tone& tone) {
    const ToneWord w = encodeTone(tone);
    uint8_t* r = record(channel);
    r[record::kRxTone] = w.low;
    r[record::kRxTone + 1] = w.high;
}

void MemoryImage::setTxTone(int channel, const Tone& tone) {
    const ToneWord w = encodeTone(tone);
    uint8_t* r = record(channel);
    r[record::kTxTone] = w.low;
    r[record::kTxTone + 1] = w.high;
}

BusyLock MemoryImage::busyLock(int channel) const {
    switch (record(channel)[record::kBusyLock] & record::kBusyLockMask) {
    case 0x00:
        return BusyLock::Off;
    case record::kBusyLockCarrier:
        return BusyLock::Carrier;
    default:
        return BusyLock::Tone;
    }
}

void MemoryImage::setBusyLock(int channel, BusyLock lock) {
    uint8_t& b = record(channel)[record::kBusyLock];
    b &= static_cast<uint8_t>(~record::kBusyLockMask);
    if (lock == BusyLock::Carrier) {
        b |= record::kBusyLockCarrier;
    } else if (lock == BusyLock::Tone) {
        b |= record::kBusyLockTone;
    }
}

namespace {
void setBit(uint8_t& b, uint8_t mask, bool on) {
    if (on) {
        b |= mask;
    } else {
        b &= static_cast<uint8_t>(~mask);
    }
}
} // namespace

bool MemoryImage::isWide(int channel) const {
    return record(channel)[record::kFlags] & record::kWideBit;
}

void MemoryImage::setWide(int channel, bool wide) {
    setBit(record(channel)[record::kFlags], record::kWideBit, wide);
}

bool MemoryImage::isHighPower(int channel) const {
    return record(channel)[record::kFlags] & record::kHighPowerBit;
}

void MemoryImage::setHighPower(int channel, bool high) {
    setBit(record(channel)[record::kFlags], record::kHighPowerBit, high);
}

bool MemoryImage::isScanned(int channel) const {
    record(channel); // range check
    const int bit = channel - 1;
    return m_bytes[offset::kScanBitmap + bit / 8] & (1u << (bit % 8));
}

void MemoryImage::setScanned(int channel, bool scanned) {
    record(channel);
    const int bit = channel - 1;
    setBit(m_bytes[offset::kScanBitmap + bit / 8], static_cast<uint8_t>(1u << (bit % 8)), scanned);
}

bool MemoryImage::channelFlag(int channel, ChannelPart part) const {
    if (part.scanBit) {
        return isScanned(channel);
    }
    return (record(channel)[part.at] & part.mask) == part.mask;
}

void MemoryImage::setChannelFlag(int channel, ChannelPart part, bool on) {
    if (part.scanBit) {
        return setScanned(channel, on);
    }
    setBit(record(channel)[part.at], part.mask, on);
}

bool MemoryImage::partCovers(ChannelPart part, size_t byteInRecord, uint8_t changedBits) {
    return !part.scanBit && byteInRecord >= part.at && byteInRecord < part.at + part.count &&
           (part.mask == 0xFF || (changedBits & part.mask) != 0);
}

void MemoryImage::copyChannelPart(int channel, ChannelPart part, const MemoryImage& from) {
    if (part.scanBit) {
        return setScanned(channel, from.isScanned(channel));
    }
    const uint8_t* source = from.record(channel);
    uint8_t* target = record(channel);
    for (size_t at = part.at; at < part.at + part.count; ++at) {
        target[at] = static_cast<uint8_t>((target[at] & ~part.mask) | (source[at] & part.mask));
    }
}

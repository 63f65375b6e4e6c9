#pragma once

#include "image/Tone.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

// The radio's configuration memory: 1024 bytes, 64 rows of 16. 0xFF is the erased value.
// Rows 0 to 50 travel to and from the radio; rows 51 to 63 live only in the document and its
// file. Bytes that no accessor names are carried unchanged.
namespace image {

constexpr size_t kSize = 1024;
constexpr size_t kRowSize = 16;
constexpr size_t kRowCount = kSize / kRowSize;
constexpr size_t kTransferRows = 51;
constexpr size_t kTransferSize = kTransferRows * kRowSize; // 816 bytes, 0x000 to 0x32F

constexpr int kChannelCount = 16;
constexpr uint32_t kMaxFrequency10Hz = 99999999; // eight BCD digits

// Offsets of the radio-wide fields.
namespace offset {
constexpr size_t kMonitorKey = 0x11D;   // 0 none, 1 monitor, 2 monitor momentary
constexpr size_t kVoice = 0x12F;        // 0 off, 1 Chinese, 2 English
constexpr size_t kTimeOut = 0x130;      // n = 1..40: n x 15 s
constexpr size_t kSquelch = 0x134;      // 0..9
constexpr size_t kBatterySaver = 0x135; // bit 0
constexpr size_t kKeyBeep = 0x136;      // bit 0
constexpr size_t kVox = 0x139;          // 1 on, 0 off
constexpr size_t kVoxGain = 0x13A;      // 1..8
constexpr size_t kVoxDelay = 0x13B;     // index 0..5: 0.3, 0.5, 1.0, 1.5, 2.0, 3.0 s
constexpr size_t kPriority = 0x161;     // 0 off, 1..16 channel
constexpr size_t kScanBitmap = 0x17E;   // two bytes, bit (n-1) for channel n
constexpr size_t kRadioType = 0x32E;    // index into the configured radio types
constexpr size_t kBand = 0x32F;         // index into the bands of that type
constexpr size_t kNewImageMarker = 0x3F1;
} // namespace offset

// Layout of one 16-byte channel record; channel n (1..16) starts at n * 16.
namespace record {
constexpr size_t kRxFrequency = 0; // 4 bytes packed BCD, least significant byte first
constexpr size_t kTxFrequency = 4;
constexpr size_t kRxTone = 8; // tone word, low byte first
constexpr size_t kTxTone = 10;
constexpr size_t kBusyLock = 12; // bits 4 and 3
constexpr size_t kFlags = 13;    // bit 4 wide, bit 5 high power
constexpr uint8_t kBusyLockMask = 0x18;
constexpr uint8_t kBusyLockCarrier = 0x08;
constexpr uint8_t kBusyLockTone = 0x10;
constexpr uint8_t kWideBit = 0x10;
constexpr uint8_t kHighPowerBit = 0x20;
} // namespace record

constexpr size_t channelOffset(int channel) {
    return static_cast<size_t>(channel) * kRowSize;
}

// Packed-BCD frequency field of four bytes. Empty when the most significant byte (the last)
// is 0x00 or 0xFF; the other nibbles are taken as they are, also above 9.
std::optional<uint32_t> decodeFrequency(const uint8_t* field);
// 0 writes the empty field FF FF FF FF. Values above kMaxFrequency10Hz are stored as
// kMaxFrequency10Hz.
void encodeFrequency(uint8_t* field, uint32_t freq10Hz);

} // namespace image

enum class BusyLock { Off, Carrier, Tone };

// Where one field of a typed channel is stored: `count` bytes from `at` of the channel's record,
// of which only the bits `mask` when the field shares its byte with others; or, for `scanBit`,
// the channel's bit of the scan bitmap.
struct ChannelPart {
    size_t at = 0;
    size_t count = 0;
    uint8_t mask = 0xFF;
    bool scanBit = false;
};

namespace image::record {
constexpr ChannelPart kRxFrequencyPart{kRxFrequency, 4};
constexpr ChannelPart kTxFrequencyPart{kTxFrequency, 4};
constexpr ChannelPart kRxTonePart{kRxTone, 2};
constexpr ChannelPart kTxTonePart{kTxTone, 2};
constexpr ChannelPart kBusyLockPart{kBusyLock, 1, kBusyLockMask};
constexpr ChannelPart kWidePart{kFlags, 1, kWideBit};
constexpr ChannelPart kHighPowerPart{kFlags, 1, kHighPowerBit};
constexpr ChannelPart kScanPart{0, 0, 0xFF, true};
} // namespace image::record

// Typed access to the image. The accessors are the only code that knows the offsets and
// encodings; everything else goes through them. Channel numbers run from 1 to 16.
class MemoryImage {
public:
    // Every byte erased (0xFF).
    MemoryImage();
    // The image of a new document: erased, with the default options.
    static MemoryImage newDocument();

    uint8_t* data() { return m_bytes.data(); }
    const uint8_t* data() const { return m_bytes.data(); }
    uint8_t byte(size_t offset) const { return m_bytes.at(offset); }
    void setByte(size_t offset, uint8_t value) { m_bytes.at(offset) = value; }

    std::optional<uint32_t> rxFrequency(int channel) const;
    std::optional<uint32_t> txFrequency(int channel) const;
    void setRxFrequency(int channel, uint32_t freq10Hz); // 0 empties the field
    void setTxFrequency(int channel, uint32_t freq10Hz);
    // A channel is in use when both of its frequencies are present.
    bool isInUse(int channel) const;

    Tone rxTone(int channel) const;
    Tone txTone(int channel) const;
    void setRxTone(int channel, const Tone& tone);
    void setTxTone(int channel, const Tone& tone);
    // The tone words as stored, for what Tone cannot tell (a DCS code outside the table).
    ToneWord rxToneWord(int channel) const;
    ToneWord txToneWord(int channel) const;

    // 0x18 reads as Tone. Setters change only their own bits of the byte.
    BusyLock busyLock(int channel) const;
    void setBusyLock(int channel, BusyLock lock);
    bool isWide(int channel) const;
    void setWide(int channel, bool wide);
    bool isHighPower(int channel) const;
    void setHighPower(int channel, bool high);
    bool isScanned(int channel) const;
    void setScanned(int channel, bool scanned);
    // An on/off field of one bit (a part with a one-bit mask, or the scan bit); set when the
    // bits of its mask are.
    bool channelFlag(int channel, ChannelPart part) const;
    void setChannelFlag(int channel, ChannelPart part, bool on);
    // True when a change of `changedBits` at byte `byteInRecord` of a record touches the part
    // (any change of a byte the part has whole).
    static bool partCovers(ChannelPart part, size_t byteInRecord, uint8_t changedBits);
    // Copies one part of a channel from `from`, leaving the other bits of a shared byte as they
    // are.
    void copyChannelPart(int channel, ChannelPart part, const MemoryImage& from);

    uint8_t radioType() const { return m_bytes[image::offset::kRadioType]; }
    uint8_t band() const { return m_bytes[image::offset::kBand]; }
    void setRadioType(uint8_t type) { m_bytes[image::offset::kRadioType] = type; }
    void setBand(uint8_t band) { m_bytes[image::offset::kBand] = band; }

    bool operator==(const MemoryImage& o) const { return m_bytes == o.m_bytes; }
    bool operator!=(const MemoryImage& o) const { return !(*this == o); }

private:
    uint8_t* record(int channel);
    const uint8_t* record(int channel) const;

    std::array<uint8_t, image::kSize> m_bytes;
};

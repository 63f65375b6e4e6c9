#pragma once

#include <cstdint>
#include <optional>

// A tone squelch setting as the radio stores it in a two-byte tone word: the first byte is the
// low byte, the second the high byte, and the high byte alone decides the kind.
//   0x00 / 0xFF        no tone (written as FF FF)
//   0x28 / 0x29        digital code (DCS), normal polarity; bit 0 is bit 8 of the 9-bit code value
//   0xA8 / 0xA9        digital code, inverted polarity
//   anything else      analogue tone (CTCSS): the word, little-endian, in tenths of a hertz
enum class ToneKind { None, Ctcss, DcsNormal, DcsInverted };

struct Tone {
    ToneKind kind = ToneKind::None;
    // Ctcss: tenths of a hertz (885 for 88.5 Hz).
    // Dcs: the code number, its three octal digits read as a decimal number (23 for D023N);
    //      0 when a stored code value matches no entry of the code table.
    uint32_t value = 0;

    static Tone none() { return {}; }
    static Tone ctcss(uint32_t toneDeciHz) { return {ToneKind::Ctcss, toneDeciHz}; }
    static Tone dcs(uint32_t code, bool inverted) {
        return {inverted ? ToneKind::DcsInverted : ToneKind::DcsNormal, code};
    }
    bool isDcs() const { return kind == ToneKind::DcsNormal || kind == ToneKind::DcsInverted; }
    bool operator==(const Tone& o) const { return kind == o.kind && value == o.value; }
    bool operator!=(const Tone& o) const { return !(*this == o); }
};

struct ToneWord {
    uint8_t low = 0xFF;
    uint8_t high = 0xFF;
    bool operator==(const ToneWord& o) const { return low == o.low && high == o.high; }
};

Tone decodeToneWord(ToneWord word);

// A CTCSS value of 0 or above 65535 tenths cannot be stored and is written as no tone; a
// value whose high byte would read back as another kind (below 25.6 Hz, or 0x28xx/0xA8xx)
// is stored as given, as the radio expects, and reads back as that kind. A DCS code of three
// octal digits is stored as its 9-bit value, also when it is none of the known codes; any
// other code number is stored as value 0.
ToneWord encodeTone(const Tone& tone);

// The 107 digital codes the radio knows, as code numbers (23 for 023), ascending.
constexpr int kDcsCodeCount = 107;
extern const uint16_t kDcsCodes[kDcsCodeCount];

bool isKnownDcsCode(uint32_t code);
// The 9-bit code value (octal reading of the code number) for a known code.
std::optional<uint16_t> dcsValueFromCode(uint32_t code);
// The code number whose 9-bit value is the given one, or 0 when no known code has it.
uint32_t dcsCodeFromValue(uint16_t value9Bit);
// True for a code number of at most three octal digits (0 to 777, no digit 8 or 9): the codes
// a DCS word can hold, known or not.
bool isStorableDcsCode(uint32_t code);
// The code number of the 9-bit value a DCS word holds, known or not (5 for a word holding
// 005, where decodeToneWord gives 0); 0 for a word that holds no DCS code.
uint32_t storedDcsCode(ToneWord word);

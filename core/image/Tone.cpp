#include "image/Tone.h"

#include <algorithm>
#include <iterator>

const uint16_t kDcsCodes[kDcsCodeCount] = {
    17,  23,  25,  26,  31,  32,  36,  43,  47,  50,  51,  53,  54,  65,  71,  72,  73,  74,
    114, 115, 116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205,
    212, 223, 225, 226, 243, 244, 245, 246, 251, 252, 255, 261, 263, 265, 266, 271, 274, 306,
    311, 315, 325, 331, 332, 343, 346, 351, 356, 364, 365, 371, 411, 412, 413, 423, 431, 432,
    445, 446, 452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526, 532, 546, 565, 606,
    612, 624, 627, 631, 632, 645, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754,
};

namespace {

constexpr uint8_t kDcsNormalHigh = 0x28;
constexpr uint8_t kDcsInvertedHigh = 0xA8;

// The code number's digits are octal digits: 754 is 7*64 + 5*8 + 4.
uint16_t octalValue(uint32_t code) {
    return static_cast<uint16_t>((code / 100) * 64 + (code / 10 % 10) * 8 + code % 10);
}

} // namespace

bool isKnownDcsCode(uint32_t code) {
    return std::binary_search(std::begin(kDcsCodes), std::end(kDcsCodes), code);
}

std::optional<uint16_t> dcsValueFromCode(uint32_t code) {
    if (!isKnownDcsCode(code)) {
        return std::nullopt;
    }
    return octalValue(code);
}

uint32_t dcsCodeFromValue(uint16_t value9Bit) {
    for (uint16_t code : kDcsCodes) {
        if (octalValue(code) == value9Bit) {
            return code;
        }
    }
    return 0;
}

bool isStorableDcsCode(uint32_t code) {
    return code <= 777 && code % 10 <= 7 && code / 10 % 10 <= 7;
}

uint32_t storedDcsCode(ToneWord word) {
    if (!decodeToneWord(word).isDcs()) {
        return 0;
    }
    const uint32_t value = static_cast<uint32_t>(((word.high & 0x01) << 8) | word.low);
    return (value >> 6) * 100 + (value >> 3 & 7) * 10 + (value & 7);
}

Tone decodeToneWord(ToneWord word) {
    const uint8_t h = word.high;
    if (h == 0xFF || h == 0x00) {
        return Tone::none();
    }
    if ((h & 0xFE) == kDcsNormalHigh || (h & 0xFE) == kDcsInvertedHigh) {
        const uint16_t value = static_cast<uint16_t>(((h & 0x01) << 8) | word.low);
        return Tone::dcs(dcsCodeFromValue(value), (h & 0xFE) == kDcsInvertedHigh);
    }
    return Tone::ctcss(static_cast<uint32_t>(h) * 256 + word.low);
}

ToneWord encodeTone(const Tone& tone) {
    switch (tone.kind) {
    case ToneKind::None:
        return {0xFF, 0xFF};
    case ToneKind::Ctcss:
        if (tone.value == 0 || tone.value > 0xFFFF) {
            return {0xFF, 0xFF};
        }
        return {static_cast<uint8_t>(tone.value & 0xFF), static_cast<uint8_t>(tone.value >> 8)};
    case ToneKind::DcsNormal:
    case ToneKind::DcsInverted: {
        uint8_t high = tone.kind == ToneKind::DcsNormal ? kDcsNormalHigh : kDcsInvertedHigh;
        if (isStorableDcsCode(tone.value)) {
            // Codes outside the table as well: a word read from a radio may hold one.
            const uint16_t value = octalValue(tone.value);
            return {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>(high | (value >> 8))};
        }
        // Bit 8 of every known code's value is set exactly when the code number is 372 or more.
        if (tone.value >= 372) {
            high |= 0x01;
        }
        return {0x00, high};
    }
    }
    return {0xFF, 0xFF};
}

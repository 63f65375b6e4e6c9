#include "channels/Formats.h"

#include "text/AsciiText.h"
#include "text/CoreTexts.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>

namespace {

constexpr int32_t kFreqScale = 100000; // 10 Hz units per MHz
constexpr int kFrequencyDecimals = 5;
constexpr int kToneDecimals = 1;
constexpr int32_t kStep5k = 500;
constexpr int32_t kStep6k25 = 625;

// An exponent beyond this only decides between 0 and "does not fit"; capping it keeps the
// position arithmetic far from int64 overflow whatever digits are typed.
constexpr int64_t kExponentCap = 1000000000000; // 10^12

constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

// The analogue tones the tone list offers, in tenths of a hertz.
constexpr uint16_t kListCtcssDeciHz[] = {
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000, 1035, 1072, 1109, 1148,
    1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567, 1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799,
    1835, 1862, 1899, 1928, 1966, 1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541,
};

// The digital codes the tone list offers (octal digits read as decimal), once per polarity.
constexpr uint16_t kListDcsCodes[] = {
    23,  25,  26,  31,  32,  43,  47,  51,  54,  65,  71,  72,  73,  74,  114, 115, 116, 125, 131, 132, 134,
    143, 152, 155, 156, 162, 165, 172, 174, 205, 223, 226, 243, 244, 245, 251, 261, 263, 265, 271, 306, 311,
    315, 331, 343, 346, 351, 364, 365, 371, 411, 412, 413, 423, 431, 432, 445, 464, 465, 466, 503, 506, 516,
    532, 546, 565, 606, 612, 624, 627, 631, 632, 645, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754,
};

static_assert(1 + std::size(kListCtcssDeciHz) == kToneListFirstDcsNormal);
static_assert(kToneListFirstDcsNormal + std::size(kListDcsCodes) == kToneListFirstDcsInverted);
static_assert(kToneListFirstDcsInverted + std::size(kListDcsCodes) == kToneListSize);

// Decimal digits of a number, at least `minDigits` of them with leading zeros.
std::string decimalText(uint32_t value, size_t minDigits = 1) {
    char buffer[16];
    const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
    const size_t length = static_cast<size_t>(result.ptr - buffer);
    std::string text(length < minDigits ? minDigits - length : 0, '0');
    text.append(buffer, length);
    return text;
}

std::string_view skipBlanks(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && ascii::isWhiteSpace(text[i])) {
        ++i;
    }
    return text.substr(i);
}

std::string_view leadingDigits(std::string_view text) {
    size_t n = 0;
    while (n < text.size() && ascii::isDigit(text[n])) {
        ++n;
    }
    return text.substr(0, n);
}

std::string_view stripLeadingZeros(std::string_view digits) {
    size_t i = 0;
    while (i < digits.size() && digits[i] == '0') {
        ++i;
    }
    return digits.substr(i);
}

// The integer at the start of the text as atoi reads it (blanks, sign, digits; 0 without
// digits), saturated to the int32_t range instead of overflowing.
int64_t leadingInteger(std::string_view text) {
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int64_t magnitude = 0;
    for (char c : leadingDigits(text)) {
        magnitude = std::min<int64_t>(magnitude * 10 + (c - '0'), kInt32Max + 1);
    }
    return negative ? std::max(-magnitude, kInt32Min) : std::min(magnitude, kInt32Max);
}

// A decimal number at the start of a text, split into its parts as typed.
struct DecimalText {
    bool negative = false;
    std::string_view intDigits;
    std::string_view fracDigits;
    int64_t exponent = 0;  // capped at +-kExponentCap
    std::string_view rest; // the text after the number
};

// `commaIsPoint`: a ',' separates the decimals as '.' does ("145,5"), for typed text.
std::optional<DecimalText> scanDecimal(std::string_view text, bool commaIsPoint = false) {
    DecimalText number;
    text = skipBlanks(text);
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        number.negative = text[0] == '-';
        text.remove_prefix(1);
    }
    number.intDigits = leadingDigits(text);
    text.remove_prefix(number.intDigits.size());
    if (!text.empty() && (text[0] == '.' || (commaIsPoint && text[0] == ','))) {
        text.remove_prefix(1);
        number.fracDigits = leadingDigits(text);
        text.remove_prefix(number.fracDigits.size());
    }
    if (number.intDigits.empty() && number.fracDigits.empty()) {
        return std::nullopt;
    }
    // The exponent counts only when it has digits: "1e" and "1e+" read as 1.
    if (!text.empty() && (text[0] == 'e' || text[0] == 'E')) {
        std::string_view rest = text.substr(1);
        bool negativeExponent = false;
        if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
            negativeExponent = rest[0] == '-';
            rest.remove_prefix(1);
        }
        std::string_view digits = leadingDigits(rest);
        if (!digits.empty()) {
            int64_t exponent = 0;
            for (char c : digits) {
                exponent = std::min<int64_t>(exponent * 10 + (c - '0'), kExponentCap);
            }
            number.exponent = negativeExponent ? -exponent : exponent;
            text = rest.substr(digits.size());
        }
    }
    number.rest = text;
    return number;
}

// The text left after a typed frequency's number is allowed to say only "MHz" (any case), with
// blanks before, after or instead of it.
bool isUnitSuffix(std::string_view rest) {
    rest = skipBlanks(rest);
    if (ascii::startsWithIgnoringCase(rest, "mhz")) {
        rest = skipBlanks(rest.substr(3));
    }
    return rest.empty();
}

// The scanned number times 10^decimals, truncated toward zero; nullopt beyond int32_t.
std::optional<int32_t> scaledValue(const DecimalText& number, int decimals) {
    // The significant digits are `integer` followed by `fraction`; `pointPos` is where the
    // decimal point sits relative to their first digit (negative for 0.00123).
    std::string_view integer = stripLeadingZeros(number.intDigits);
    std::string_view fraction = number.fracDigits;
    int64_t pointPos = static_cast<int64_t>(integer.size());
    if (integer.empty()) {
        std::string_view significant = stripLeadingZeros(fraction);
        if (significant.empty()) {
            return 0;
        }
        pointPos = -static_cast<int64_t>(fraction.size() - significant.size());
        fraction = significant;
    }
    // The count of digits left of the point after scaling: the first significant digit is
    // non-zero, so more than ten digits are at least 10^10, beyond any int32_t.
    const int64_t wholeDigits = pointPos + number.exponent + decimals;
    if (wholeDigits <= 0) {
        return 0;
    }
    if (wholeDigits > 10) {
        return std::nullopt;
    }
    int64_t magnitude = 0;
    for (int64_t i = 0; i < wholeDigits; ++i) {
        const size_t pos = static_cast<size_t>(i);
        char digit = '0';
        if (pos < integer.size()) {
            digit = integer[pos];
        } else if (pos - integer.size() < fraction.size()) {
            digit = fraction[pos - integer.size()];
        }
        magnitude = magnitude * 10 + (digit - '0');
    }
    const int64_t value = number.negative ? -magnitude : magnitude;
    if (value < kInt32Min || value > kInt32Max) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

} // namespace

std::string formatFrequency(uint32_t freq10Hz) {
    return decimalText(freq10Hz / kFreqScale) + '.' + decimalText(freq10Hz % kFreqScale, kFrequencyDecimals);
}

std::optional<int32_t> parseScaledDecimal(std::string_view text, int decimals) {
    const std::optional<DecimalText> number = scanDecimal(text);
    return number ? scaledValue(*number, decimals) : std::optional<int32_t>(0);
}

std::optional<int32_t> parseFrequencyText(std::string_view text) {
    return parseScaledDecimal(text, kFrequencyDecimals);
}

std::optional<int32_t> parseTypedFrequency(std::string_view text) {
    const std::optional<DecimalText> number = scanDecimal(text, true);
    if (!number || !isUnitSuffix(number->rest)) {
        return std::nullopt;
    }
    return scaledValue(*number, kFrequencyDecimals);
}

BandLimits bandLimitsFromText(std::string_view bandText) {
    auto scaled = [](std::string_view text) {
        const int64_t value = leadingInteger(text) * kFreqScale;
        return static_cast<int32_t>(std::clamp(value, kInt32Min, kInt32Max));
    };
    BandLimits limits;
    limits.min10Hz = scaled(bandText);
    const size_t dash = bandText.find('-');
    limits.max10Hz = dash == std::string_view::npos ? limits.min10Hz : scaled(bandText.substr(dash + 1));
    return limits;
}

std::string bandTextFromList(std::string_view bandList, unsigned index) {
    size_t start = 0;
    for (unsigned i = 0; i < index; ++i) {
        const size_t bar = bandList.find('|', start);
        if (bar == std::string_view::npos) {
            break; // past the end: `start` is already at the last element
        }
        start = bar + 1;
    }
    const size_t end = bandList.find('|', start);
    return std::string(
        bandList.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

FrequencyCheck checkFrequency(std::optional<int32_t> freq10Hz, BandLimits limits) {
    if (!freq10Hz || *freq10Hz < limits.min10Hz || *freq10Hz > limits.max10Hz) {
        return FrequencyCheck::OutOfRange;
    }
    if (*freq10Hz % kStep5k != 0 && *freq10Hz % kStep6k25 != 0) {
        return FrequencyCheck::OffStep;
    }
    return FrequencyCheck::Ok;
}

const char* messageText(MessageId id, Language language) {
    switch (id) {
    case MessageId::OutOfRange:
        return coreText(CoreText::OutOfRange, language);
    case MessageId::OffStep:
        return coreText(CoreText::OffStep, language);
    }
    return "";
}

std::optional<MessageId> messageFor(FrequencyCheck check) {
    switch (check) {
    case FrequencyCheck::OutOfRange:
        return MessageId::OutOfRange;
    case FrequencyCheck::OffStep:
        return MessageId::OffStep;
    case FrequencyCheck::Ok:
        break;
    }
    return std::nullopt;
}

std::string formatTone(const Tone& tone, Language language) {
    switch (tone.kind) {
    case ToneKind::Ctcss:
        return decimalText(tone.value / 10) + '.' + decimalText(tone.value % 10);
    case ToneKind::DcsNormal:
    case ToneKind::DcsInverted:
        return 'D' + decimalText(tone.value, 3) + (tone.kind == ToneKind::DcsNormal ? 'N' : 'I');
    case ToneKind::None:
        break;
    }
    return coreText(CoreText::NoTone, language);
}

Tone parseToneText(std::string_view text) {
    if (text.find('D') != std::string_view::npos) {
        // Drop the first character, all of its bytes when it is a multi-byte UTF-8 sequence.
        size_t skip = 1;
        if (static_cast<unsigned char>(text[0]) >= 0xC0) {
            while (skip < text.size() && (static_cast<unsigned char>(text[skip]) & 0xC0) == 0x80) {
                ++skip;
            }
        }
        const int64_t code = std::max<int64_t>(leadingInteger(text.substr(skip)), 0);
        const bool inverted = text.find('N') == std::string_view::npos;
        return Tone::dcs(static_cast<uint32_t>(code), inverted);
    }
    const std::optional<int32_t> deciHz = parseScaledDecimal(text, kToneDecimals);
    if (!deciHz || *deciHz <= 0) {
        return Tone::none();
    }
    return Tone::ctcss(static_cast<uint32_t>(*deciHz));
}

const std::vector<std::string>& toneList(Language language) {
    auto build = [](Language listLanguage) {
        std::vector<std::string> list;
        list.reserve(kToneListSize);
        list.push_back(formatTone(Tone::none(), listLanguage));
        for (uint16_t deciHz : kListCtcssDeciHz) {
            list.push_back(formatTone(Tone::ctcss(deciHz), listLanguage));
        }
        for (bool inverted : {false, true}) {
            for (uint16_t code : kListDcsCodes) {
                list.push_back(formatTone(Tone::dcs(code, inverted), listLanguage));
            }
        }
        return list;
    };
    static const std::vector<std::string> english = build(Language::English);
    static const std::vector<std::string> chinese = build(Language::Chinese);
    return language == Language::Chinese ? chinese : english;
}

Tone listedTone(int index) {
    if (index >= kToneListFirstCtcss && index < kToneListFirstDcsNormal) {
        return Tone::ctcss(kListCtcssDeciHz[index - kToneListFirstCtcss]);
    }
    if (index >= kToneListFirstDcsNormal && index < kToneListSize) {
        const bool inverted = index >= kToneListFirstDcsInverted;
        return Tone::dcs(
            kListDcsCodes[index - (inverted ? kToneListFirstDcsInverted : kToneListFirstDcsNormal)],
            inverted);
    }
    return Tone::none();
}

int toneListIndex(const Tone& tone) {
    for (int i = 0; i < kToneListSize; ++i) {
        if (listedTone(i) == tone) {
            return i;
        }
    }
    return -1;
}

#include "channels/Formats.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace {

constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();

const BandLimits kBand130To160{13000000, 16000000};

TEST(FormatsFrequency, ShowsMegahertzWithFiveDecimals) {
    struct Row {
        const char* name;
        uint32_t freq10Hz;
        const char* text;
    } rows[] = {
        {"whole MHz", 14500000, "145.00000"},
        {"6.25 kHz step", 13600625, "136.00625"},
        {"zero", 0, "0.00000"},
        {"below 1 MHz keeps leading zeros", 625, "0.00625"},
        {"largest BCD frequency", 99999999, "999.99999"},
        {"largest count", 4294967295u, "42949.67295"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(formatFrequency(row.freq10Hz), row.text);
    }
}

TEST(FormatsFrequency, ParsesTypedText) {
    struct Row {
        const char* name;
        const char* text;
        std::optional<int32_t> units;
    } rows[] = {
        {"whole MHz", "145", 14500000},
        {"one decimal", "145.0", 14500000},
        {"five decimals", "145.00000", 14500000},
        {"5 kHz step", "145.005", 14500500},
        {"6.25 kHz step", "145.00625", 14500625},
        {"exact in decimal, not in binary", "145.0125", 14501250},
        {"sixth decimal truncated", "145.012345", 14501234},
        {"truncated, not rounded", "145.00999", 14500999},
        {"long tail of digits", "145.01250000000000000000009", 14501250},
        {"leading zeros", "000000000000000000000145.0125", 14501250},
        {"leading blanks", " \t\n145.0125", 14501250},
        {"trailing text ignored", "145.0125MHz", 14501250},
        {"second number ignored", "145.0125 146", 14501250},
        {"comma is not a decimal point", "145,0125", 14500000},
        {"plus sign", "+145", 14500000},
        {"point first", ".5", 50000},
        {"point last", "5.", 500000},
        {"exponent", "1.450125e2", 14501250},
        {"negative exponent", "14500E-2", 14500000},
        {"exponent without digits", "145e", 14500000},
        {"exponent sign without digits", "145e+", 14500000},
        {"negative", "-145.0125", -14501250},
        {"negative truncated toward zero", "-145.012345", -14501234},
        {"negative below one unit", "-0.000009", 0},
        {"below one unit", "0.0000099999", 0},
        {"letters", "abc", 0},
        {"empty", "", 0},
        {"point alone", ".", 0},
        {"sign alone", "-", 0},
        {"blank before sign only", " -x", 0},
        {"infinity is not a number", "inf", 0},
        {"nan is not a number", "nan", 0},
        {"hexadecimal reads its leading zero", "0x10", 0},
        {"largest int32", "21474.83647", kInt32Max},
        {"one past largest int32", "21474.83648", std::nullopt},
        {"smallest int32", "-21474.83648", kInt32Min},
        {"one past smallest int32", "-21474.83649", std::nullopt},
        {"1e30", "1e30", std::nullopt},
        {"forty digits", "1234567890123456789012345678901234567890", std::nullopt},
        {"huge exponent", "1e999999999", std::nullopt},
        {"exponent beyond int64", "1e99999999999999999999999999", std::nullopt},
        {"huge negative exponent", "1e-99999999999999999999999999", 0},
        {"zero with huge exponent", "0e999999999", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(parseFrequencyText(row.text), row.units);
    }
}

TEST(FormatsFrequency, ScalesByTheGivenDecimals) {
    EXPECT_EQ(parseScaledDecimal("88.59", 1), 885);
    EXPECT_EQ(parseScaledDecimal("2.9", 0), 2);
    EXPECT_EQ(parseScaledDecimal("-2.9", 0), -2);
    EXPECT_EQ(parseScaledDecimal("1234", -2), 12);
}

// What a person types into a frequency cell or radioprog's rx=/tx=: a number and at most a unit,
// nothing that merely starts like a number.
TEST(FormatsFrequency, ReadsTypedFrequenciesStrictly) {
    struct Row {
        const char* name;
        const char* text;
        std::optional<int32_t> units;
    } rows[] = {
        {"plain", "145.5", 14550000},
        {"comma decimal", "145,5", 14550000},
        {"comma with the 6.25 kHz step", "145,00625", 14500625},
        {"comma last", "145,", 14500000},
        {"unit", "145.5MHz", 14550000},
        {"blank before the unit", "145.5 MHz", 14550000},
        {"lower-case unit", "145.5mhz", 14550000},
        {"mixed-case unit", "145,5 mHZ", 14550000},
        {"blanks around", " \t145.5 MHz \n", 14550000},
        {"sixth decimal still truncated", "145.012345", 14501234},
        {"exponent", "1.450125e2", 14501250},
        {"exponent then unit", "1.45E2 MHz", 14500000},
        {"negative reads, the caller refuses it", "-145", -14500000},
        {"one past largest int32", "21474.83648", std::nullopt},
        {"second decimal point", "145.5.5", std::nullopt},
        {"comma then point", "145,5.5", std::nullopt},
        {"thousands separator", "1,450.5", std::nullopt},
        {"letters after the number", "146.0125xyz", std::nullopt},
        {"second number", "145 146", std::nullopt},
        {"unit twice", "145 MHz MHz", std::nullopt},
        {"another unit", "145500 kHz", std::nullopt},
        {"part of the unit", "145 MH", std::nullopt},
        {"unit first", "MHz 145", std::nullopt},
        {"unit alone", "MHz", std::nullopt},
        {"exponent without digits", "145e", std::nullopt},
        {"letters", "abc", std::nullopt},
        {"point alone", ".", std::nullopt},
        {"blanks only", "   ", std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(parseTypedFrequency(row.text), row.units);
    }
}

// Every count the grid can show must read back to itself, or a save would move the channel.
TEST(FormatsFrequency, FormattedTextReadsBackToTheSameUnits) {
    auto check = [](uint32_t v) {
        ASSERT_EQ(parseFrequencyText(formatFrequency(v)), static_cast<int32_t>(v)) << v;
    };
    for (uint32_t v = 14500000; v <= 14520000; ++v) {
        check(v);
    }
    for (uint32_t v = 0; v <= 99999999; v += 9973) {
        check(v);
    }
    check(99999999);
}

TEST(FormatsBand, LimitsFromBandText) {
    struct Row {
        const char* name;
        const char* text;
        int32_t min10Hz;
        int32_t max10Hz;
    } rows[] = {
        {"range with blanks and unit", "130 - 160MHz", 13000000, 16000000},
        {"range without blanks", "400-470", 40000000, 47000000},
        {"no dash gives one frequency", "136MHz", 13600000, 13600000},
        {"empty", "", 0, 0},
        {"leading word", "VHF 136-174", 0, 17400000},
        {"only the first dash counts", "136-174-200", 13600000, 17400000},
        {"too large clamps", "99999999-99999999", kInt32Max, kInt32Max},
        {"leading minus is a sign and a dash", "-5", -500000, 500000},
        {"too small clamps", "-99999999", kInt32Min, 2147483647},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const BandLimits limits = bandLimitsFromText(row.text);
        EXPECT_EQ(limits.min10Hz, row.min10Hz);
        EXPECT_EQ(limits.max10Hz, row.max10Hz);
    }
}

TEST(FormatsBand, TextFromBandList) {
    struct Row {
        const char* name;
        const char* list;
        unsigned index;
        const char* text;
    } rows[] = {
        {"first", "136-174MHz|400-470MHz", 0, "136-174MHz"},
        {"last", "136-174MHz|400-470MHz", 1, "400-470MHz"},
        {"past the end gives the last", "136-174MHz|400-470MHz", 2, "400-470MHz"},
        {"far past the end", "136-174MHz|400-470MHz", 4294967295u, "400-470MHz"},
        {"single band", "136-174MHz", 5, "136-174MHz"},
        {"empty list", "", 0, ""},
        {"empty list past the end", "", 3, ""},
        {"empty middle element", "a||c", 1, ""},
        {"trailing bar makes an empty last element", "a|b|", 7, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(bandTextFromList(row.list, row.index), row.text);
    }
}

TEST(FormatsCheck, RangeThenStep) {
    struct Row {
        const char* name;
        const char* text;
        FrequencyCheck result;
    } rows[] = {
        {"both steps", "145", FrequencyCheck::Ok},
        {"5 kHz multiple", "145.005", FrequencyCheck::Ok},
        {"6.25 kHz multiple", "145.00625", FrequencyCheck::Ok},
        {"6.25 kHz multiple only", "145.0125", FrequencyCheck::Ok},
        {"neither step", "145.0025", FrequencyCheck::OffStep},
        {"sixth decimal dropped first", "145.012345", FrequencyCheck::OffStep},
        {"truncated, not rounded up to the step", "145.00999", FrequencyCheck::OffStep},
        {"lower limit included", "130", FrequencyCheck::Ok},
        {"upper limit included", "160.00000", FrequencyCheck::Ok},
        {"just below", "129.99999", FrequencyCheck::OutOfRange},
        {"just above", "160.00001", FrequencyCheck::OutOfRange},
        {"above the band", "170", FrequencyCheck::OutOfRange},
        {"range before step", "170.0025", FrequencyCheck::OutOfRange},
        {"no number", "abc", FrequencyCheck::OutOfRange},
        {"negative", "-145", FrequencyCheck::OutOfRange},
        {"does not fit", "1e30", FrequencyCheck::OutOfRange},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(checkFrequency(parseFrequencyText(row.text), kBand130To160), row.result);
    }
}

TEST(FormatsCheck, EmptyBandRejectsEveryFrequencyAboveZero) {
    const BandLimits none = bandLimitsFromText("");
    EXPECT_EQ(checkFrequency(14500000, none), FrequencyCheck::OutOfRange);
    EXPECT_EQ(checkFrequency(500, none), FrequencyCheck::OutOfRange);
}

TEST(FormatsCheck, FailedChecksNameTheirMessage) {
    EXPECT_EQ(messageFor(FrequencyCheck::Ok), std::nullopt);
    ASSERT_EQ(messageFor(FrequencyCheck::OutOfRange), MessageId::OutOfRange);
    ASSERT_EQ(messageFor(FrequencyCheck::OffStep), MessageId::OffStep);
    EXPECT_EQ(static_cast<unsigned>(MessageId::OutOfRange), 61448u);
    EXPECT_EQ(static_cast<unsigned>(MessageId::OffStep), 61456u);
    EXPECT_STREQ(messageText(MessageId::OutOfRange, Language::English), "Out of range,please input again.");
    EXPECT_STREQ(messageText(MessageId::OffStep, Language::English),
                 "Error data Value, please input according the step value(6.25K/5k).");
    for (MessageId id : {MessageId::OutOfRange, MessageId::OffStep}) {
        EXPECT_STRNE(messageText(id, Language::Chinese), "");
        EXPECT_STRNE(messageText(id, Language::Chinese), messageText(id, Language::English));
    }
}

TEST(FormatsTone, FormatsEachKind) {
    struct Row {
        const char* name;
        Tone tone;
        Language language;
        const char* text;
    } rows[] = {
        {"none", Tone::none(), Language::English, "None"},
        {"none, Chinese", Tone::none(), Language::Chinese, "无"},
        {"analogue", Tone::ctcss(885), Language::English, "88.5"},
        {"analogue, Chinese is the same", Tone::ctcss(885), Language::Chinese, "88.5"},
        {"analogue, zero tenths", Tone::ctcss(670), Language::English, "67.0"},
        {"analogue, four digits", Tone::ctcss(2541), Language::English, "254.1"},
        {"analogue below 1 Hz", Tone::ctcss(5), Language::English, "0.5"},
        {"largest tone word", Tone::ctcss(65535), Language::English, "6553.5"},
        {"normal code", Tone::dcs(23, false), Language::English, "D023N"},
        {"inverted code", Tone::dcs(754, true), Language::English, "D754I"},
        {"unmatched code", Tone::dcs(0, false), Language::English, "D000N"},
        {"one digit code padded", Tone::dcs(7, true), Language::English, "D007I"},
        {"four digit code in full", Tone::dcs(1234, false), Language::English, "D1234N"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(formatTone(row.tone, row.language), row.text);
    }
}

TEST(FormatsTone, ParsesText) {
    struct Row {
        const char* name;
        const char* text;
        Tone tone;
    } rows[] = {
        {"analogue", "88.5", Tone::ctcss(885)},
        {"analogue, zero tenths", "67.0", Tone::ctcss(670)},
        {"analogue, hundredths truncated", "88.59", Tone::ctcss(885)},
        {"analogue with blanks and unit", "  88.5Hz", Tone::ctcss(885)},
        {"largest tone word", "6553.5", Tone::ctcss(65535)},
        {"too large for a tone word kept", "6553.6", Tone::ctcss(65536)},
        {"None", "None", Tone::none()},
        {"Chinese none", "无", Tone::none()},
        {"empty", "", Tone::none()},
        {"below a tenth", "0.05", Tone::none()},
        {"negative", "-88.5", Tone::none()},
        {"does not fit", "1e30", Tone::none()},
        {"normal code", "D023N", Tone::dcs(23, false)},
        {"inverted code", "D754I", Tone::dcs(754, true)},
        {"no N is inverted", "D023", Tone::dcs(23, true)},
        {"N anywhere is normal", "N023D", Tone::dcs(23, false)},
        {"D anywhere is digital", "88.5D", Tone::dcs(8, true)},
        {"first character dropped, whatever it is", " D023N", Tone::dcs(0, false)},
        {"blanks before the code", "D 23N", Tone::dcs(23, false)},
        {"lower-case d is not digital", "d023n", Tone::none()},
        {"negative code", "D-23N", Tone::dcs(0, false)},
        {"code too large saturates", "D99999999999999999999N", Tone::dcs(2147483647u, false)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Tone tone = parseToneText(row.text);
        EXPECT_EQ(tone.kind, row.tone.kind);
        EXPECT_EQ(tone.value, row.tone.value);
    }
}

TEST(FormatsToneList, HoldsTheGroupsInOrder) {
    for (Language language : {Language::English, Language::Chinese}) {
        SCOPED_TRACE(language == Language::Chinese ? "Chinese" : "English");
        const std::vector<std::string>& list = toneList(language);
        ASSERT_EQ(list.size(), 219u);
        EXPECT_EQ(list[0], language == Language::Chinese ? "无" : "None");
        EXPECT_EQ(list[1], "67.0");
        EXPECT_EQ(list[50], "254.1");
        EXPECT_EQ(list[51], "D023N");
        EXPECT_EQ(list[134], "D754N");
        EXPECT_EQ(list[135], "D023I");
        EXPECT_EQ(list[218], "D754I");
    }
    const std::vector<std::string>& english = toneList(Language::English);
    const std::vector<std::string>& language = toneList(Language::Chinese);
    for (size_t i = 1; i < english.size(); ++i) {
        EXPECT_EQ(english[i], language[i]) << "entry " << i;
    }
    // Ascending values within each group catch a dropped, doubled or mistyped entry.
    for (int i = kToneListFirstCtcss + 1; i < kToneListFirstDcsNormal; ++i) {
        EXPECT_LT(parseToneText(english[i - 1]).value, parseToneText(english[i]).value) << "entry " << i;
    }
    for (int i = kToneListFirstDcsNormal; i < kToneListFirstDcsInverted; ++i) {
        const Tone normal = parseToneText(english[i]);
        const Tone inverted = parseToneText(english[i + 84]);
        EXPECT_TRUE(isKnownDcsCode(normal.value)) << english[i];
        EXPECT_EQ(inverted.value, normal.value) << "entry " << i + 84;
        if (i > kToneListFirstDcsNormal) {
            EXPECT_LT(parseToneText(english[i - 1]).value, normal.value) << "entry " << i;
        }
    }
}

TEST(FormatsToneList, EveryEntryReadsBackToItsTone) {
    for (Language language : {Language::English, Language::Chinese}) {
        const std::vector<std::string>& list = toneList(language);
        for (int i = 0; i < static_cast<int>(list.size()); ++i) {
            SCOPED_TRACE(list[i]);
            const ToneKind kind = i < kToneListFirstCtcss         ? ToneKind::None
                                  : i < kToneListFirstDcsNormal   ? ToneKind::Ctcss
                                  : i < kToneListFirstDcsInverted ? ToneKind::DcsNormal
                                                                  : ToneKind::DcsInverted;
            const Tone tone = parseToneText(list[i]);
            EXPECT_EQ(tone.kind, kind);
            EXPECT_EQ(formatTone(tone, language), list[i]);
        }
    }
}

// Selects a locale for the test's lifetime and puts the C locale back even when a check fails.
class LocaleGuard {
public:
    explicit LocaleGuard(const char* name) : m_set(std::setlocale(LC_ALL, name) != nullptr) {}
    ~LocaleGuard() { std::setlocale(LC_ALL, "C"); }
    bool isSet() const { return m_set; }

private:
    bool m_set;
};

TEST(FormatsLocale, CommaDecimalLocaleChangesNothing) {
    LocaleGuard guard("de_DE.UTF-8");
    if (!guard.isSet()) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(formatFrequency(14501250), "145.01250");
    EXPECT_EQ(parseFrequencyText("145.0125"), 14501250);
    EXPECT_EQ(parseFrequencyText("145,0125"), 14500000);
    EXPECT_EQ(parseFrequencyText("1.450125e2"), 14501250);
    EXPECT_EQ(parseTypedFrequency("145,0125"), 14501250);
    EXPECT_EQ(parseTypedFrequency("145.0125 MHz"), 14501250);
    EXPECT_EQ(formatTone(Tone::ctcss(885), Language::English), "88.5");
    EXPECT_EQ(parseToneText("88.5"), Tone::ctcss(885));
    EXPECT_EQ(bandLimitsFromText("130 - 160MHz").max10Hz, 16000000);
}

} // namespace

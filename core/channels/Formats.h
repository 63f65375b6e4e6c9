#pragma once

#include "image/Tone.h"
#include "text/CoreTexts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text forms of the channel editor's values: frequencies in MHz, tone squelch settings, the tone
// list, the band limits and the two rules a frequency must meet. Everything here is independent
// of the C library's locale: a comma-decimal locale still shows and reads "145.00000".

// A frequency in 10 Hz units as MHz with five decimals: 14500000 -> "145.00000".
std::string formatFrequency(uint32_t freq10Hz);

// The number at the start of the text times 10^decimals, truncated toward zero (also for
// negative numbers), computed exactly on the typed digits, so "145.0125" at 5 decimals is
// 14501250 and never 14501249.
// The number is read the way atof reads a decimal number in the C locale: leading blanks,
// an optional sign, digits with an optional '.', an optional exponent ("1.45e2"); the longest
// leading part that reads as a number counts and the rest is ignored. Text that does not start
// with a number gives 0. Unlike atof, "inf", "nan" and hexadecimal ("0x1p3") are not numbers
// here: they give 0 ("0x10" reads as its leading "0").
// nullopt when the scaled value does not fit an int32_t (1e30, "1e999999999").
std::optional<int32_t> parseScaledDecimal(std::string_view text, int decimals);

// A frequency text in MHz as the grid's cells and files hold it, to 10 Hz units, read as
// parseScaledDecimal reads it: "145.0125" -> 14501250, "abc" -> 0; nullopt when it does not fit
// an int32_t.
std::optional<int32_t> parseFrequencyText(std::string_view text);

// A frequency in MHz as a person types it, to 10 Hz units. The number is read as
// parseScaledDecimal reads it (blanks, sign, digits, decimals past the fifth truncated, an
// exponent with digits), except that a ',' is a decimal point as '.' is ("145,5" -> 14550000),
// and all that may follow it is "MHz" in any letter case, with blanks before and after
// ("145.5 MHz", "145.5mhz "). Anything else gives nullopt, as does a value that does not fit an
// int32_t: "145.5.5", "146.0125xyz", "145e", "abc", "" and "MHz" are not frequencies.
std::optional<int32_t> parseTypedFrequency(std::string_view text);

// The inclusive frequency range of a band, in 10 Hz units.
struct BandLimits {
    int32_t min10Hz = 0;
    int32_t max10Hz = 0;
};

// Band limits from a band text such as "130 - 160MHz": the whole MHz at the start of the text,
// and those after the first '-' (or again at the start when there is no '-'). Each is read as
// atoi reads it (leading blanks, sign, digits, 0 when there are none) and clamped to the int32_t
// range after scaling. An empty text gives 0/0, which rejects every frequency above 0.
BandLimits bandLimitsFromText(std::string_view bandText);

// Element `index` (from 0) of a '|'-separated band list; the last element when the index is at
// or past the end. An empty list gives "".
std::string bandTextFromList(std::string_view bandList, unsigned index);

enum class FrequencyCheck { Ok, OutOfRange, OffStep };

// The band range (limits inclusive; nullopt, a text that did not fit, is out of range) and then
// the channel step: a multiple of 5 kHz (500) or of 6.25 kHz (625). A frequency out of range is
// not tested for the step.
FrequencyCheck checkFrequency(std::optional<int32_t> freq10Hz, BandLimits limits);

// The string ids of the frequency messages, as the translations know them.
enum class MessageId : unsigned { OutOfRange = 61448, OffStep = 61456 };

// The message in the user interface's language, UTF-8; "" for an id that is not listed above.
const char* messageText(MessageId id, Language language);

// The message a failed check shows; nullopt for Ok.
std::optional<MessageId> messageFor(FrequencyCheck check);

// "None"/"无" for no tone, "88.5" for an analogue tone of 885 tenths, "D023N"/"D023I" for a
// digital code. Codes above 999 and tones of any size are shown in full.
std::string formatTone(const Tone& tone, Language language);

// A tone text back to a tone:
// - text holding an upper-case 'D' anywhere is a digital code: the first character is dropped,
//   the decimal integer at the start of the rest is the code number (atoi-style; a negative
//   number gives code 0 and a number too large for an int gives INT32_MAX, neither of them a
//   known code), polarity normal when the text holds an upper-case 'N' anywhere, else inverted;
//   "D023" is code 23, inverted;
// - otherwise the text's number in tenths of a hertz, truncated: "88.5" -> Ctcss 885. Zero,
//   negative and values that do not fit an int32_t are no tone; "None", "无" and "" give no tone
//   as they read as 0. Values above 65535, which a tone word cannot hold, come back as Ctcss
//   with their value so that the caller's validation or the encoder can deal with them.
// The code number is not checked against the known codes here.
Tone parseToneText(std::string_view text);

// The 219 texts the tone columns offer, in order: 0 no tone ("None"/"无"), 1..50 the analogue
// tones "67.0" to "254.1", 51..134 the 84 digital codes "D023N" to "D754N", 135..218 the same
// codes inverted. Built once per language; the reference stays valid for the program's life.
const std::vector<std::string>& toneList(Language language);

// The tone of item `index` of the tone list (no tone for an index outside it), and the item a
// tone is (-1 for a tone the list does not offer, such as 100.5 read from a radio).
Tone listedTone(int index);
int toneListIndex(const Tone& tone);

// Positions of the groups in the tone list.
constexpr int kToneListSize = 219;
constexpr int kToneListFirstCtcss = 1;
constexpr int kToneListFirstDcsNormal = 51;
constexpr int kToneListFirstDcsInverted = 135;

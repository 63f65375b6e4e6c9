// Frequency, tone and band texts of any bytes. Every parser reads only the text it is given (the
// text is copied into a buffer of its exact size, so AddressSanitizer sees a read past its end),
// and every value a parser accepts formats to a text that parses back to that value.

#include "FuzzSupport.h"

#include "channels/ChannelEdit.h"
#include "channels/Formats.h"

#include <limits>
#include <memory>

namespace {

void checkFrequencyTexts(std::string_view text) {
    const std::optional<int32_t> typed = parseTypedFrequency(text);
    if (typed && *typed >= 0) {
        const std::string shown = formatFrequency(static_cast<uint32_t>(*typed));
        fuzz::require(parseTypedFrequency(shown) == typed, "a typed frequency formats and reads back");
        fuzz::require(parseFrequencyText(shown) == typed, "a formatted frequency reads back from a cell");
    }
    const std::optional<int32_t> cell = parseFrequencyText(text);
    if (cell && *cell >= 0) {
        const std::string shown = formatFrequency(static_cast<uint32_t>(*cell));
        fuzz::require(parseFrequencyText(shown) == cell, "a cell frequency formats and reads back");
    }
    for (int decimals = 0; decimals <= 9; ++decimals) {
        parseScaledDecimal(text, decimals);
    }

    const BandLimits everything = channeledit::storableLimits({0, std::numeric_limits<int32_t>::max()});
    const channeledit::FrequencyEntry entry = channeledit::readFrequency(text, everything);
    if (entry.accepted()) {
        const std::string shown = formatFrequency(entry.freq10Hz);
        const channeledit::FrequencyEntry again = channeledit::readFrequency(shown, everything);
        fuzz::require(again.accepted() && again.freq10Hz == entry.freq10Hz,
                      "an accepted frequency formats and is accepted again");
        fuzz::require(checkFrequency(static_cast<int32_t>(entry.freq10Hz), everything) == FrequencyCheck::Ok,
                      "an accepted frequency passes the check");
    }
}

void checkToneTexts(std::string_view text) {
    const Tone tone = parseToneText(text);
    for (Language language : {Language::English, Language::Chinese}) {
        const std::string shown = formatTone(tone, language);
        fuzz::require(parseToneText(shown) == tone, "a parsed tone formats and reads back");
    }
}

void checkBandTexts(std::string_view text, unsigned index) {
    const BandLimits limits = bandLimitsFromText(text);
    const std::string band = bandTextFromList(text, index);
    fuzz::require(band.size() <= text.size(), "a band list element is part of the list");
    const std::optional<int32_t> freq = parseFrequencyText(text);
    checkFrequency(freq, limits);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The whole input is the text; its length picks the band list element.
    const std::string_view rest(reinterpret_cast<const char*>(data), size);
    const unsigned index = static_cast<unsigned>(size % 5);
    // An exact-size copy: a read one byte past the text is a heap overflow, not a read of the
    // fuzzer's next byte.
    const std::unique_ptr<char[]> copy(new char[rest.size() == 0 ? 1 : rest.size()]);
    std::copy(rest.begin(), rest.end(), copy.get());
    const std::string_view text(copy.get(), rest.size());

    checkFrequencyTexts(text);
    checkToneTexts(text);
    checkBandTexts(text, index);
    return 0;
}

// Texts of any bytes committed to the cells of the channel table, one after another. The first
// byte picks the language and the band; then every line is one commit: a byte for the row, a
// byte for the column (its top bit: the user picked the text from the list) and the text.
// A refused commit leaves every text of the table as it was; after an accepted one the table
// encodes to an image that decodes and encodes to the same bytes.

#include "FuzzSupport.h"
#include "GridTexts.h"

#include "channels/ChannelEdit.h"
#include "channels/ChannelTable.h"

#include <array>
#include <limits>

namespace {

using fuzz::Texts;
using fuzz::textsOf;

BandLimits limitsFor(uint8_t choice) {
    switch (choice % 4) {
    case 0:
        return bandLimitsFromText("136 - 174MHz");
    case 1:
        return bandLimitsFromText("400 - 480MHz");
    case 2:
        return channeledit::storableLimits({0, std::numeric_limits<int32_t>::max()});
    default:
        return {}; // an empty band text: nothing above 0 is accepted
    }
}

void requireStableEncoding(const ChannelTable& table, Language language) {
    MemoryImage first = MemoryImage::newDocument();
    table.encode(first);
    ChannelTable decoded(language);
    decoded.decode(first);
    MemoryImage second = first;
    decoded.encode(second);
    fuzz::require(second == first, "an accepted commit encodes, decodes and encodes to the same image");
    ChannelTable again(language);
    again.decode(second);
    fuzz::require(textsOf(again) == textsOf(decoded), "a decoded table decodes again to the same texts");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes bytes(data, size);
    const uint8_t setup = bytes.byte();
    const Language language = (setup & 0x80) != 0 ? Language::Chinese : Language::English;
    const BandLimits limits = limitsFor(setup);

    ChannelTable table(language);
    table.decode(MemoryImage::newDocument());
    for (int commits = 0; !bytes.empty() && commits < 64; ++commits) {
        const int row = 1 + bytes.byte() % image::kChannelCount;
        const uint8_t colByte = bytes.byte();
        const int col = 1 + colByte % 8;
        const bool userChose = (colByte & 0x80) != 0;
        std::string text;
        while (!bytes.empty()) {
            const char c = static_cast<char>(bytes.byte());
            if (c == '\n') {
                break;
            }
            text += c;
        }

        const Texts before = textsOf(table);
        if (col == col::kRxFrequency || col == col::kTxFrequency) {
            const CommitOutcome outcome = table.commitFrequency(row, col, text, limits);
            if (!outcome.accepted) {
                fuzz::require(outcome.message.has_value(), "a refused commit has a message");
                fuzz::require(textsOf(table) == before, "a refused commit leaves the table unchanged");
                continue;
            }
        } else {
            table.commitList(row, col, text, userChose);
        }
        requireStableEncoding(table, language);
    }
    return 0;
}

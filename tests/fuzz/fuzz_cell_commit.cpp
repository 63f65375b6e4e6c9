// Texts of any bytes committed to the cells of the channel table, one after another. The first
// byte picks the language and the band; then every line is one commit: a byte for the row, a
// byte for the column (its top bit: the user picked the text from the list) and the text.
// A refused commit leaves every byte of the image as it was; after an accepted one, the texts
// the table shows committed again change no byte.

#include "FuzzSupport.h"
#include "GridTexts.h"

#include "channels/ChannelEdit.h"
#include "channels/ChannelTable.h"

#include <limits>

namespace {

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes bytes(data, size);
    const uint8_t setup = bytes.byte();
    const Language language = (setup & 0x80) != 0 ? Language::Chinese : Language::English;
    const BandLimits limits = limitsFor(setup);

    ChannelTable table(MemoryImage::newDocument(), language);
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

        const MemoryImage before = table.image();
        if (col == col::kRxFrequency || col == col::kTxFrequency) {
            const CommitOutcome outcome = table.commitFrequency(row, col, text, limits);
            if (!outcome.accepted) {
                fuzz::require(outcome.message.has_value(), "a refused commit has a message");
                fuzz::require(table.image() == before, "a refused commit leaves the image unchanged");
                continue;
            }
        } else {
            table.commitList(row, col, text, userChose);
        }
        fuzz::require(fuzz::shownTextsKeepImage(table, limits),
                      "what the grid shows is what its image holds");
    }
    return 0;
}

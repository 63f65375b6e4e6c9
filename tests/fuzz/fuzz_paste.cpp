// Clipboard texts pasted onto selections of the grid over an image of any channel records. The
// first byte picks the language, the band and whether the accepted part of a refused paste is
// taken; the next 256 bytes are channels 1 to 16. Then every paste is four bytes of selection
// (top, left, bottom, right) and a text up to a 0 byte.
// - A paste changes no row below or above the rows it covers, and nothing when it is not applied.
// - One cell typed into one selected cell gives the table that typing it gives: a frequency
//   through commitFrequency, a list item through commitList, accepted and refused alike.
// - What the grid shows is what its image holds: committing its texts again changes no byte.

#include "FuzzSupport.h"
#include "GridTexts.h"

#include "channels/ChannelEdit.h"
#include "channels/ChannelPaste.h"

#include <algorithm>
#include <array>

namespace {

using fuzz::Texts;
using fuzz::textsOf;

BandLimits limitsFor(uint8_t choice) {
    switch (choice % 3) {
    case 0:
        return bandLimitsFromText("136 - 174MHz");
    case 1:
        return bandLimitsFromText("400 - 480MHz");
    default:
        return channeledit::storableLimits({0, 0x7FFFFFFF});
    }
}

// The table typing the text into one cell leaves; refused when typing refuses it.
ChannelTable typed(const ChannelTable& table, int row, int col, const std::string& text, BandLimits limits,
                   bool& accepted) {
    ChannelTable work = table;
    accepted = ChannelTable::isListColumn(col) ? work.commitList(row, col, text, true).accepted
                                               : work.commitFrequency(row, col, text, limits).accepted;
    return accepted ? work : table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes bytes(data, size);
    const uint8_t setup = bytes.byte();
    const Language language = (setup & 0x80) != 0 ? Language::Chinese : Language::English;
    const PasteMode mode = (setup & 0x40) != 0 ? PasteMode::AcceptedPart : PasteMode::AllOrNothing;
    const BandLimits limits = limitsFor(setup);

    MemoryImage image = MemoryImage::newDocument();
    const std::string_view records = bytes.take(image::kChannelCount * image::kRowSize);
    std::copy(records.begin(), records.end(), image.data() + image::channelOffset(1));
    ChannelTable table(image, language);

    for (int pastes = 0; !bytes.empty() && pastes < 16; ++pastes) {
        CellRange range;
        range.top = 1 + bytes.byte() % 16;
        range.left = 1 + bytes.byte() % 8;
        range.bottom = std::min(range.top + bytes.byte() % 4, kGridRows - 1);
        range.right = std::min(range.left + bytes.byte() % 4, kGridCols - 1);
        std::string text;
        for (char c = static_cast<char>(bytes.byte()); c != '\0'; c = static_cast<char>(bytes.byte())) {
            text += c;
        }

        const ChannelTable previous = table;
        const Texts before = textsOf(table);
        const PasteResult result = pasteIntoRange(table, range, text, limits, mode);
        const Texts after = textsOf(table);

        const bool oneCell = range.top == range.bottom && range.left == range.right &&
                             text.find_first_of("\t\r\n") == std::string::npos;
        const std::vector<std::string>& items = table.listItems(range.left);
        if (oneCell && (!ChannelTable::isListColumn(range.left) ||
                        std::find(items.begin(), items.end(), text) != items.end())) {
            bool accepted = false;
            const ChannelTable byTyping = typed(previous, range.top, range.left, text, limits, accepted);
            fuzz::require(result.refused.empty() == accepted, "a cell is pasted when typing it is accepted");
            fuzz::require(textsOf(byTyping) == after, "a pasted cell shows what typing it shows");
        }
        if (!result.applied) {
            fuzz::require(after == before, "a paste not applied changes nothing");
            continue;
        }
        for (int row = 1; row < kGridRows; ++row) {
            if (row < range.top || row >= range.top + result.rows) {
                fuzz::require(after[static_cast<size_t>(row)] == before[static_cast<size_t>(row)],
                              "a paste changes no row it does not cover");
            }
        }

        fuzz::require(fuzz::shownTextsKeepImage(table, limits),
                      "what the grid shows is what its image holds");
    }
    return 0;
}

#pragma once

#include "channels/Channel.h"
#include "channels/ChannelFields.h"
#include "channels/Formats.h"
#include "image/MemoryImage.h"
#include "text/CoreTexts.h"

#include <optional>
#include <string>
#include <vector>

// Columns of the channel grid: the channel number, then one column per field of channelFields().
// Row 0 holds the headings, rows 1 to 16 the channels.
namespace col {
constexpr int kNumber = 0;
constexpr int kRxFrequency = 1;
constexpr int kTxFrequency = 2;
constexpr int kRxTone = 3;
constexpr int kTxTone = 4;
constexpr int kBandwidth = 5;
constexpr int kScan = 6;
constexpr int kBusyLock = 7;
constexpr int kPower = 8;
} // namespace col

constexpr int kGridRows = 17;
constexpr int kGridCols = 1 + kChannelFieldCount;

struct CommitOutcome {
    bool accepted = true;
    // The message to show when the text was refused; the image is then unchanged.
    std::optional<MessageId> message;
};

// The sixteen channels as the texts the grid shows: a text view over an image, which the
// commits edit directly. Texts are made on demand from the typed channels (Channel,
// ChannelCodec, fieldText) in the table's language; texts typed in either language are
// understood. A commit reads a cell's text with its field's parse rule and the editor's rules
// (ChannelEdit), changes the typed channel and stores into the image only the fields whose typed
// value changed: a field the commit did not change keeps its exact bytes (a receive field
// 00 00 00 A0 that shows as 1000.00000, a DCS code outside the table), as do bytes 14 and 15 and
// the uninterpreted bits of bytes 12 and 13.
class ChannelTable {
public:
    ChannelTable(const MemoryImage& image, Language language);

    // The language texts are written in.
    Language language() const { return m_language; }
    // The image the table was made over with every commit so far applied.
    const MemoryImage& image() const { return m_image; }

    // Row 0 and column 0 hold the headings and the channel numbers (" 1" .. "16").
    std::string text(int row, int col) const;

    static const char* heading(int col, Language language);
    static bool isListColumn(int col) {
        const ChannelFieldInfo* field = channelFieldAt(col);
        return field && field->kind != FieldKind::Frequency;
    }
    // The items of a list column in the table's language (the tone list for the tone columns).
    const std::vector<std::string>& listItems(int col) const;
    // The item a list opens on: the first whose text begins with the cell's text, ignoring
    // ASCII case; 0 when none does (an empty text therefore opens on item 0).
    int initialListIndex(int col, const std::string& cellText) const;
    // The texts a new channel gets in the list columns.
    static std::string defaultText(int col, Language language);

    // The text of one cell of a channel's row (fieldText). Columns 1 to 8; "" for any other.
    static std::string cellText(const Channel& channel, int col, Language language);

    // The typed channel of a row, decoded from the image. Rows 1 to 16.
    Channel channel(int row) const;
    Channels channels() const;

    // Commits the text typed into the receive (col 1) or transmit (col 2) cell of `row`.
    // - the text the cell already holds changes nothing (the empty transmit cell of a channel
    //   with only a receive frequency stays empty, and the other way round);
    // - receive: empty deletes the channel (every field becomes what Channel::erased() has); a
    //   new channel gets the frequency in both cells and the default texts; an existing one
    //   changes its receive frequency only;
    // - transmit: empty falls back to the receive frequency (out of range when that is one the
    //   record cannot hold, read with a digit above 9); without a receive frequency the cell
    //   stays empty; a channel that gets its second frequency so shows the default texts in
    //   the attribute cells, which it showed empty, and its record takes them;
    // - the text is read as channeledit::readFrequency reads it ("145.5", "145,5", "145.5 MHz");
    //   text that is not a frequency ("145.5.5"), a frequency outside `limits` or off the
    //   5 / 6.25 kHz step is refused with its message and the image is unchanged: one
    //   typo never deletes a channel. Values below 10 MHz or of more than eight digits cannot be
    //   stored and count as out of range.
    CommitOutcome commitFrequency(int row, int col, const std::string& typed, BandLimits limits);

    // Commits a list cell (columns 3 to 8). `chosen` is the editor's text; `userChose` says the
    // user picked an item. A cell whose text is not among the items (a tone such as 100.5 read
    // from a radio) keeps its text when left without a choice or given its own text again; any
    // other text that is no item of the field in either language (parseFieldItem: 67.1, D024N)
    // is refused without a message. An item of either language is stored as that item; an empty
    // text as what an empty cell reads as (no tone, the field's fallbackItem). A channel without
    // frequencies has no attributes: its list cells stay empty (a commit on a tone cell that
    // shows a tone word sets the tone to none). A channel with one frequency keeps its tone
    // cells (no tone shows empty) and has no attributes either: columns 5 to 8 stay empty, and
    // an item the user chose there is refused (no message; CoreText::ChannelNotInUse says why).
    CommitOutcome commitList(int row, int col, const std::string& chosen, bool userChose);

    // True when columns 1 to 8 of the row are all empty.
    bool isRowEmpty(int row) const;

private:
    void checkCell(int row, int col) const;
    // Stores the fields whose typed value differs between the two channels of the row.
    void store(int row, const Channel& before, const Channel& after);

    MemoryImage m_image;
    Language m_language;
};

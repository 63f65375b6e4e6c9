#pragma once

#include "channels/Channel.h"
#include "image/MemoryImage.h"
#include "text/CoreTexts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The fields of a channel, one entry per column of the channel grid (columns 1 to 8), described
// once for everything that shows, reads or stores them: the grid and its table, paste and fill,
// radioprog's channel edits and show, the printed report, the places of the image. Each entry
// ties a typed value of Channel to its place in the image, its texts and its parse.
//
// Adding a column is adding an entry to channelFields() (with its heading and items in
// CoreTexts, its member of Channel and its ChannelPart in MemoryImage.h).

// Frequency: MHz typed with the editor's rules (ChannelEdit). Tone: one of the tone list
// (Formats). List: one of the entry's items.
enum class FieldKind { Frequency, Tone, List };

// What `show --json` gives as a field's typed value: 10 Hz units or null, a tone object, true
// for the list's first item, or the item's radioprog word.
enum class JsonValue { Frequency10Hz, Tone, FirstItem, Word };

// A word radioprog's `channel` command (and a file) takes for an item of a list or tone field.
struct CliWord {
    const char* word;
    int item;
};

struct ChannelFieldInfo {
    int col = 0; // the grid column
    CoreText heading = CoreText::HeadingChannel;
    FieldKind kind = FieldKind::List;
    ChannelPart part; // where the image stores it

    // The typed value on Channel. Frequency: the member, and the editor's rule that sets it
    // (the other frequency follows as ChannelEdit says). Tone: the member. List: the item the
    // channel's value is, and setting it.
    std::optional<uint32_t> Channel::*frequency = nullptr;
    void (*setFrequency)(Channel&, std::optional<uint32_t>) = nullptr;
    Tone Channel::*tone = nullptr;
    std::vector<CoreText> items;
    int (*item)(const Channel&) = nullptr;
    void (*setItem)(Channel&, int) = nullptr;
    // List: the item a cell's text that names none reads as (the empty cell of a channel that
    // is not in use, which the record stores as these bits).
    int fallbackItem = 0;

    // The value in the image (ChannelCodec).
    void (*load)(const MemoryImage&, int channel, Channel&) = nullptr;
    void (*store)(MemoryImage&, int channel, const Channel&) = nullptr;

    const char* cliKey = "";       // radioprog channel KEY=VALUE
    std::vector<CliWord> cliWords; // the values it takes besides the English item texts
    const char* cliChoices = "";   // what a refusal offers when the words do not say it
    const char* jsonKey = "";      // show --json: the cell's English text
    const char* jsonValueKey = ""; // show --json: the typed value
    JsonValue jsonValue = JsonValue::Word;
    std::optional<CoreText> reportLabel; // the printed report's label; none: not printed
    int helpId = 0;                      // the grid editor's control id, which F1 reports
    int widthTwips = 0;                  // the grid column's default width
};

// Columns 1 to 8 in grid order.
const std::vector<ChannelFieldInfo>& channelFields();
constexpr int kChannelFieldCount = 8;
// The field of a grid column; nullptr for column 0 and columns past the last field.
const ChannelFieldInfo* channelFieldAt(int col);
// The field of a radioprog key ("rx-tone"); nullptr for none.
const ChannelFieldInfo* channelFieldByCliKey(std::string_view key);
// The default width of the grid's channel number column (column 0), beside the fields'.
constexpr int kNumberColumnWidthTwips = 489;

// The items of a list or tone field in the language (the tone list for the tone fields);
// empty for a frequency field. The reference stays valid for the program's life.
const std::vector<std::string>& fieldItems(const ChannelFieldInfo& field, Language language);

// The item a channel's value is; -1 for a tone the list does not offer (100.5 read from a radio)
// and for a frequency field.
int fieldItem(const ChannelFieldInfo& field, const Channel& channel);
void setFieldItem(const ChannelFieldInfo& field, Channel& channel, int item);

// The text of the field's cell, as the grid shows it: a tone word is shown even for a channel
// that is not in use ("None" only for one that is); the attributes of a channel not in use are
// empty.
std::string fieldText(const ChannelFieldInfo& field, const Channel& channel, Language language);

// The one parse rule of a list or tone field, which typing, paste, fill down, CSV import and
// radioprog share: an item's text in either language. A tone that is not on the list (67.1,
// 300.0, D024N) is no item.
std::optional<int> parseFieldItem(const ChannelFieldInfo& field, std::string_view text);

// A value of a list or tone field as radioprog and the CSV BusyLock column take it: one of its
// words, an English item's text with ASCII case ignored, or what parseFieldItem takes; nullopt
// for anything else.
std::optional<int> fieldItemFromWord(const ChannelFieldInfo& field, std::string_view value);
// "wide or narrow", or the entry's own words for the tone list.
std::string cliFieldChoices(const ChannelFieldInfo& field);

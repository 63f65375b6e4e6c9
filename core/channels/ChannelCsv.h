#pragma once

#include "channels/Formats.h"
#include "image/MemoryImage.h"
#include "text/CoreTexts.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The channel list as comma-separated text, in the column layout that radio programming tools
// exchange, so that a list can move between this radio and other tools:
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,
//   RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE,BusyLock
//
// BusyLock is this radio's own column; other tools ignore columns they do not know. Frequency and
// Offset are MHz with six decimals. Duplex "" means transmit = receive, "+"/"-" an offset, and
// "split" an Offset that is the transmit frequency itself (used when the two are more than 70 MHz
// apart). Tone names which of the tone columns count: "Tone" transmits rToneFreq, "TSQL" uses
// cToneFreq both ways, "DTCS" DtcsCode both ways with DtcsPolarity (N/R, transmit then receive),
// and "Cross" combines them as CrossMode says ("Tone->DTCS": transmit rToneFreq, receive
// RxDtcsCode). The other tone columns hold placeholders.
//
// Nothing here touches a file: callers read and write the text.
namespace channelcsv {

// A channel list is a few kilobytes; a file far larger than this is not one and is refused unread.
constexpr size_t kMaxFileBytes = 1 << 20;

// The header names, in the order export writes them.
constexpr int kColumnCount = 22;
extern const char* const kColumns[kColumnCount];

// One row per channel in use, Location 1..16, every column filled as other tools expect it
// (placeholders 88.5, 023, NN and Tone->Tone where a column is unused). Lines end in LF. Only the
// channels first..last when given.
std::string exportCsv(const MemoryImage& image, int first = 1, int last = image::kChannelCount);

struct Problem {
    int line = 0;       // 1-based line of the file where the row starts
    std::string reason; // the column and value concerned and why, in the language asked for
};

struct NamedChannel {
    int channel = 0; // 1..16
    int line = 0;    // where its row starts
};

struct ImportResult {
    // The given image with the file's channels and the options the file touches; the given
    // image unchanged while there are problems.
    MemoryImage image;
    std::vector<Problem> problems;   // every bad row, in line order; empty on success
    int channelCount = 0;            // rows imported
    std::vector<NamedChannel> named; // the channels the list fills, ascending; empty on failure
    bool ok() const { return problems.empty(); }
};

// Reads a channel list and applies it to `image` as the whole channel list: channels the list
// does not name become empty. Every row goes through the channel grid's commit rules (band
// `limits`, the 5 / 6.25 kHz step, new-channel defaults); Frequency and Offset must be plain
// decimals of MHz and whole numbers of 10 Hz (only zeros past the fifth decimal), and tones must
// be ones of the grid's tone list (parseFieldItem's rule: 67.1 and DCS 024 are refused): nothing
// is rounded. Skip "P" makes that channel the priority
// channel (the option is kept when no row says P). Busy lock comes from the BusyLock column when
// a row fills it, otherwise it stays what the image had for that channel (Off for a channel that
// was empty).
//
// Accepted text: UTF-8 with or without a byte order mark, LF or CR LF, quoted fields with
// doubled quotes, line breaks and commas inside, '#' comment lines, blank lines; columns found
// by header name (ASCII case ignored) in any order, unknown ones ignored, so the older 17- and
// 18-column layouts read as well. Locations count from 1, or from 0 when the smallest is 0.
// The problems' reasons are in Chinese when `language`, else in English; column names and values
// are quoted as the file has them.
ImportResult importCsv(std::string_view text, const MemoryImage& image, BandLimits limits,
                       Language language = Language::English);

// A channel whose texts an import changes: before and after, each the grid's cell texts of the
// channel joined by two spaces; empty for a channel not in use (an import erases it).
struct ChannelChange {
    int channel = 0; // 1..16
    std::string now;
    std::string after;
};

// The channels whose texts differ between the two images, ascending, in the language asked for.
std::vector<ChannelChange> changedChannels(const MemoryImage& before, const MemoryImage& after,
                                           Language language);

} // namespace channelcsv

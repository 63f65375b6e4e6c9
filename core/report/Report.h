#pragma once

#include "channels/Channel.h"
#include "image/MemoryImage.h"
#include "text/CoreTexts.h"

#include <string>
#include <vector>

// The printed report as a page model: page 1 lists the radio-wide options, the pages after it
// list the channels in use, eight to a page, and every page carries the header and footer
// rules, the owner line and "Page n of m".
//
// Coordinates are twips (1/1440 inch) from the top-left corner of the printable area, with y
// growing upwards as in a twips mapping mode: everything on the page has y <= 0, and a line
// further down has a more negative y. A painter scaled by dpi / 1440 draws a text at
// (x, -y). Every text is anchored at the top-left corner of its text cell, and every line is
// drawn with the device's default pen (black, one device pixel).
namespace report {

constexpr int kTwipsPerInch = 1440;
constexpr int kLinesPerPage = 45;   // U = H / 45
constexpr int kColumnsPerPage = 66; // K = W / 66
constexpr int kChannelsPerPage = 8;
// No page measures more than 1000 inches: larger extents and line heights are taken as this.
constexpr int kMaxTwips = 1000 * kTwipsPerInch;
constexpr const char* kFontFamily = "Times New Roman";
constexpr int kFontWeight = 400; // normal; neither italic, underlined nor struck out

} // namespace report

// The printable area as the printer reports it.
struct PrintArea {
    int widthDevice = 0;  // right - left, device units
    int heightDevice = 0; // bottom - top, device units
    int dpiX = 0;
    int dpiY = 0;
};

// A font as a font mapper asks for it: the character (em) height without internal leading, and
// the average character width. Twips.
struct ReportFont {
    int heightTwips = 0;
    int widthTwips = 0;
};

struct ReportUnits {
    int heightTwips = 0; // H: printable height
    int widthTwips = 0;  // W: printable width
    int lineTwips = 0;   // U: H / 45, the character height of the report font
    int columnTwips = 0; // K: W / 66, one report column
    ReportFont reportFont;
    ReportFont smallFont; // 0.8 of the report font in both directions, truncated
};

// The units for a printable area. The twips extents are truncated and limited to
// +-report::kMaxTwips; a resolution of 0 or less gives an extent of 0 rather than a division
// by zero.
ReportUnits reportUnits(const PrintArea& area);

enum class ReportFontId { Report, Small };

struct ReportText {
    ReportFontId font = ReportFontId::Small;
    int x = 0;
    int y = 0;
    std::string text; // UTF-8
};

struct ReportLine {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};

struct ReportPage {
    std::vector<ReportLine> lines;
    std::vector<ReportText> texts; // in drawing order
};

struct ReportInput {
    PrintArea area;
    // L and S: the line heights (character height plus external leading) of the report font
    // and the small font that reportUnits(area) describes, measured by the caller, in twips;
    // limited to +-report::kMaxTwips like the extents.
    int reportLineTwips = 0;
    int smallLineTwips = 0;
    Language language = Language::English; // the labels' language; the page numbers stay English
    std::string owner;                     // the owner line, empty when the settings file has none
};

struct ReportModel {
    ReportUnits units;
    std::vector<ReportPage> pages; // pages[0] is page 1, the options page

    int pageCount() const { return static_cast<int>(pages.size()); }
};

// The frame every printed page carries: the two header rules, the footer rule, the owner line and
// "Page n of m" (always English).
void addPageFrame(ReportPage& page, const ReportUnits& units, const ReportInput& input, int pageNumber,
                  int pageCount);

// 1 for the options page plus one page for every eight channels in use (at most 3). A channel
// is in use for the report when it has a receive frequency, so unlike Channel::isInUse a
// channel with a receive frequency alone is printed.
int reportPageCount(const Channels& channels);

// The report of the image's options and of the channels, each value printed as the channel
// grid shows it (fieldText). The options come from the image, the channel pages from
// `channels` alone, which need not be the image's.
ReportModel buildReport(const MemoryImage& image, const Channels& channels, const ReportInput& input);

// As above with the channels decoded from the image.
ReportModel buildReport(const MemoryImage& image, const ReportInput& input);

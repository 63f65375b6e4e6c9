#include "report/Report.h"

#include "channels/ChannelCodec.h"
#include "channels/ChannelFields.h"
#include "options/Options.h"
#include "text/CoreTexts.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

namespace {

std::string label(CoreText id, Language language) {
    return std::string(coreText(id, language)) + ":";
}

// Twips limited to what a page can measure: with every extent and line height within this
// bound the page arithmetic (up to 42 small lines down a page) stays far inside int.
int clampedTwips(int64_t twips) {
    return static_cast<int>(std::clamp<int64_t>(twips, -report::kMaxTwips, report::kMaxTwips));
}

// Device units to twips, truncated; the product is taken in 64 bits so no printer overflows it.
int toTwips(int device, int dpi) {
    if (dpi <= 0) {
        return 0;
    }
    return clampedTwips(static_cast<int64_t>(device) * report::kTwipsPerInch / dpi);
}

class PageWriter {
public:
    PageWriter(ReportPage& page, const ReportUnits& units) : m_page(page), m_k(units.columnTwips) {}

    // x in report columns (K), y in twips.
    void text(ReportFontId font, int columns, int y, std::string text) {
        m_page.texts.push_back({font, columns * m_k, y, std::move(text)});
    }
    void rule(int y) { m_page.lines.push_back({5 * m_k, y, 60 * m_k, y}); }

private:
    ReportPage& m_page;
    int m_k;
};

void addOptions(PageWriter& out, const MemoryImage& image, const ReportInput& in) {
    const int s = in.smallLineTwips;
    out.text(ReportFontId::Report, 6, -in.reportLineTwips,
             coreText(CoreText::ReportOptionTitle, in.language));
    out.text(ReportFontId::Small, 6, -4 * s, coreText(CoreText::ReportFunction, in.language));
    // Option line i is drawn at y = -(5 + i) S, in the order of the lines.
    const std::vector<OptionInfo>& table = optionTable();
    for (int line = 0; line < static_cast<int>(table.size()); ++line) {
        for (const OptionInfo& info : table) {
            if (info.reportLine == line) {
                const int y = -(5 + line) * s;
                out.text(ReportFontId::Small, 9, y,
                         label(info.reportLabel.value_or(info.label), in.language));
                out.text(ReportFontId::Small, 35, y, optionReportText(info.list, image, in.language));
            }
        }
    }
}

void addChannels(PageWriter& out, const Channels& channels, const std::vector<int>& rows,
                 const ReportInput& in) {
    const int s = in.smallLineTwips;
    out.text(ReportFontId::Report, 6, -in.reportLineTwips,
             coreText(CoreText::ReportChannelTitle, in.language));
    for (size_t g = 0; g < rows.size(); ++g) {
        const int row = rows[g];
        const Channel& channel = channels[static_cast<size_t>(row - 1)];
        int y = -4 * s - 5 * static_cast<int>(g) * s;
        const std::string number = std::to_string(row);
        out.text(ReportFontId::Small, 4, y,
                 coreText(CoreText::ReportChannelTitle, in.language) +
                     std::string(in.language == Language::Chinese ? "" : " ") + number + ":");
        // The fields with a report label, two a line after the block's heading: the left label
        // at 5K with its value at 22K, the right label at 36K with its value at 55K. The values
        // are the grid's texts.
        int printed = 0;
        for (const ChannelFieldInfo& field : channelFields()) {
            if (!field.reportLabel) {
                continue;
            }
            const bool left = printed++ % 2 == 0;
            y -= left ? s : 0;
            out.text(ReportFontId::Small, left ? 5 : 36, y, label(*field.reportLabel, in.language));
            out.text(ReportFontId::Small, left ? 22 : 55, y, fieldText(field, channel, in.language));
        }
    }
}

// Channels with a receive frequency, by number: the channels the report prints.
std::vector<int> reportChannels(const Channels& channels) {
    std::vector<int> rows;
    for (int row = 1; row <= image::kChannelCount; ++row) {
        if (channels[static_cast<size_t>(row - 1)].rx10Hz) {
            rows.push_back(row);
        }
    }
    return rows;
}

} // namespace

ReportUnits reportUnits(const PrintArea& area) {
    ReportUnits u;
    u.heightTwips = toTwips(area.heightDevice, area.dpiY);
    u.widthTwips = toTwips(area.widthDevice, area.dpiX);
    u.lineTwips = u.heightTwips / report::kLinesPerPage;
    u.columnTwips = u.widthTwips / report::kColumnsPerPage;
    u.reportFont = {u.lineTwips, u.columnTwips};
    // 0.8 x n truncated, in integers: for n >= 0 this is what the floating-point product gives.
    u.smallFont = {u.lineTwips * 4 / 5, u.columnTwips * 4 / 5};
    return u;
}

void addPageFrame(ReportPage& page, const ReportUnits& units, const ReportInput& input, int pageNumber,
                  int pageCount) {
    const int l = clampedTwips(input.reportLineTwips);
    PageWriter out(page, units);
    out.rule(-(2 * l + 50));
    out.rule(-(2 * l + 120));
    out.rule(-36 * l + l / 2);
    out.text(ReportFontId::Report, 10, -36 * l, input.owner);
    out.text(ReportFontId::Report, 45, -36 * l,
             "Page " + std::to_string(pageNumber) + " of " + std::to_string(pageCount));
}

int reportPageCount(const Channels& channels) {
    const int count = static_cast<int>(reportChannels(channels).size());
    return 1 + (count + report::kChannelsPerPage - 1) / report::kChannelsPerPage;
}

ReportModel buildReport(const MemoryImage& image, const Channels& channels, const ReportInput& input) {
    ReportInput in = input;
    in.reportLineTwips = clampedTwips(input.reportLineTwips);
    in.smallLineTwips = clampedTwips(input.smallLineTwips);
    ReportModel model;
    model.units = reportUnits(in.area);

    // Page 2 runs up to the row of the eighth channel in use and page 3 takes the rows after it,
    // so each channel page holds the next eight channels in use in row order.
    const std::vector<int> printed = reportChannels(channels);
    const int pageCount = reportPageCount(channels);
    model.pages.resize(static_cast<size_t>(pageCount));
    for (int p = 1; p <= pageCount; ++p) {
        ReportPage& page = model.pages[static_cast<size_t>(p - 1)];
        PageWriter out(page, model.units);
        if (p == 1) {
            addOptions(out, image, in);
        } else {
            const auto first = printed.begin() + (p - 2) * report::kChannelsPerPage;
            const auto last =
                printed.begin() + std::min<size_t>(printed.size(), (p - 1) * report::kChannelsPerPage);
            addChannels(out, channels, std::vector<int>(first, last), in);
        }
        addPageFrame(page, model.units, in, p, pageCount);
    }
    return model;
}

ReportModel buildReport(const MemoryImage& image, const ReportInput& in) {
    return buildReport(image, ChannelCodec::decodeAll(image), in);
}

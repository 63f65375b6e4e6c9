#include "report/FleetReport.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

// The summary's own words, English and Chinese.
struct FleetReportText {
    const char* english;
    const char* chinese;
};

enum FleetReportWord { Title, Radio, Round, Port, Identity, Seconds, Outcome, NoRecords, WordCount };

constexpr FleetReportText kWords[WordCount] = {
    {"Programming several radios", "批量写入对讲机"},
    {"No.", "序号"},
    {"Round", "轮次"},
    {"Port", "端口"},
    {"Identification", "识别码"},
    {"Time", "用时"},
    {"Outcome", "结果"},
    {"No radio was programmed in this session.", "本次没有写入任何对讲机。"},
};

std::string word(FleetReportWord id, Language language) {
    return language == Language::Chinese ? kWords[id].chinese : kWords[id].english;
}

// The columns of a line, in report columns (K).
constexpr int kRadioColumn = 3;
constexpr int kRoundColumn = 6;
constexpr int kPortColumn = 11;
constexpr int kIdentityColumn = 17;
constexpr int kSecondsColumn = 35;
constexpr int kOutcomeColumn = 40;
// What fits between the outcome column and the right margin, in halves of a small-font column:
// a Latin character takes about one, a Chinese one two.
constexpr int kOutcomeWidth = 44;

int charWidth(unsigned char lead) {
    return lead < 0x80 ? 1 : 2;
}

int displayWidth(const std::string& text) {
    int width = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        // Continuation bytes (10xxxxxx) add nothing; each character counts once, by its lead byte.
        if ((byte & 0xC0) != 0x80) {
            width += charWidth(byte);
        }
    }
    return width;
}

// The outcome in lines that fit its column, broken after a space where there is one. A UTF-8
// sequence is never split.
std::vector<std::string> wrapOutcome(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    int width = 0;
    size_t lastSpace = std::string::npos;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        const int width1 = charWidth(lead);
        if (width + width1 > kOutcomeWidth && !line.empty()) {
            if (lastSpace != std::string::npos) {
                lines.push_back(line.substr(0, lastSpace));
                line.erase(0, lastSpace + 1);
            } else {
                lines.push_back(line);
                line.clear();
            }
            width = displayWidth(line);
            lastSpace = std::string::npos;
        }
        if (lead == ' ') {
            lastSpace = line.size();
        }
        line.append(text, i, length);
        width += width1;
        i += length;
    }
    lines.push_back(line);
    return lines;
}

void addText(ReportPage& page, const ReportUnits& units, int column, int y, std::string text,
             ReportFontId font = ReportFontId::Small) {
    page.texts.push_back({font, column * units.columnTwips, y, std::move(text)});
}

std::string secondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

} // namespace

namespace fleetreport {

int linesPerPage(int reportLineTwips, int smallLineTwips) {
    const int l = std::clamp(reportLineTwips, 0, report::kMaxTwips);
    const int s = std::clamp(smallLineTwips, 0, report::kMaxTwips);
    if (s <= 0) {
        return 1;
    }
    // Line i (from 0) at -(5 + i) S must stay above -36 L + L / 2 - S.
    const int room = (36 * l - l / 2 - s) / s - 5;
    return std::max(1, room + 1);
}

} // namespace fleetreport

ReportModel buildFleetReport(const std::vector<FleetRecord>& records, const std::string& master,
                             const ReportInput& input) {
    ReportModel model;
    model.units = reportUnits(input.area);
    const int l = std::clamp(input.reportLineTwips, -report::kMaxTwips, report::kMaxTwips);
    const int s = std::clamp(input.smallLineTwips, -report::kMaxTwips, report::kMaxTwips);
    // Each record's lines (its outcome wrapped), then the records to each page: a record never
    // breaks across pages.
    std::vector<std::vector<std::string>> outcomes;
    for (const FleetRecord& record : records) {
        outcomes.push_back(wrapOutcome(fleetOutcomeText(record, input.language)));
    }
    const size_t perPage = static_cast<size_t>(fleetreport::linesPerPage(l, s));
    std::vector<std::pair<size_t, size_t>> pageRecords; // [first, last) a page
    for (size_t first = 0; first < records.size();) {
        size_t last = first;
        size_t used = 0;
        while (last < records.size() && (last == first || used + outcomes[last].size() <= perPage)) {
            used += outcomes[last].size();
            ++last;
        }
        pageRecords.emplace_back(first, last);
        first = last;
    }
    if (pageRecords.empty()) {
        pageRecords.emplace_back(0, 0);
    }
    const int pageCount = static_cast<int>(pageRecords.size());
    model.pages.resize(pageRecords.size());
    for (size_t p = 0; p < pageRecords.size(); ++p) {
        ReportPage& page = model.pages[p];
        const ReportUnits& u = model.units;
        std::string title = word(Title, input.language);
        if (!master.empty()) {
            title += ": " + master;
        }
        addText(page, u, 6, -l, title, ReportFontId::Report);
        if (records.empty()) {
            addText(page, u, kRadioColumn, -4 * s, word(NoRecords, input.language));
        } else {
            const int heading = -4 * s;
            addText(page, u, kRadioColumn, heading, word(Radio, input.language));
            addText(page, u, kRoundColumn, heading, word(Round, input.language));
            addText(page, u, kPortColumn, heading, word(Port, input.language));
            addText(page, u, kIdentityColumn, heading, word(Identity, input.language));
            addText(page, u, kSecondsColumn, heading, word(Seconds, input.language));
            addText(page, u, kOutcomeColumn, heading, word(Outcome, input.language));
        }
        int line = 0;
        for (size_t i = pageRecords[p].first; i < pageRecords[p].second; ++i) {
            const FleetRecord& record = records[i];
            const int y = -(5 + line) * s;
            // A port without a radio has no number in the session.
            addText(page, u, kRadioColumn, y, record.radio > 0 ? std::to_string(record.radio) : "-");
            addText(page, u, kRoundColumn, y, std::to_string(record.round));
            addText(page, u, kPortColumn, y, record.port.name);
            addText(page, u, kIdentityColumn, y, record.identity);
            addText(page, u, kSecondsColumn, y, secondsText(record.seconds));
            for (const std::string& part : outcomes[i]) {
                addText(page, u, kOutcomeColumn, -(5 + line++) * s, part);
            }
        }
        addPageFrame(page, u, input, static_cast<int>(p + 1), pageCount);
    }
    return model;
}

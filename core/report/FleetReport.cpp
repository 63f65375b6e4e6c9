#include "report/FleetReport.h"

#include <algorithm>
#include <cstdio>

namespace {

// The summary's own words, English and Chinese.
struct FleetReportText {
    const char* english;
    const char* chinese;
};

enum FleetReportWord { Title, Radio, Round, Port, Identity, Seconds, Outcome, NoRecords, WordCount };

constexpr FleetReportText kWords[WordCount] = {
    {"Programming several radios", "批量写入对讲机"},
    {"Radio", "对讲机"},
    {"Round", "轮次"},
    {"Port", "端口"},
    {"Identification", "识别码"},
    {"Seconds", "秒"},
    {"Outcome", "结果"},
    {"No radio was programmed in this session.", "本次没有写入任何对讲机。"},
};

std::string word(FleetReportWord id, Language language) {
    return language == Language::Chinese ? kWords[id].chinese : kWords[id].english;
}

// The columns of a line, in report columns (K).
constexpr int kRadioColumn = 5;
constexpr int kRoundColumn = 10;
constexpr int kPortColumn = 15;
constexpr int kIdentityColumn = 21;
constexpr int kSecondsColumn = 33;
constexpr int kOutcomeColumn = 38;

void addText(ReportPage& page, const ReportUnits& units, int column, int y, std::string text,
             ReportFontId font = ReportFontId::Small) {
    page.texts.push_back({font, column * units.columnTwips, y, std::move(text)});
}

std::string secondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", seconds);
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
    const size_t perPage = static_cast<size_t>(fleetreport::linesPerPage(l, s));
    const size_t pageCount = std::max<size_t>(1, (records.size() + perPage - 1) / perPage);
    model.pages.resize(pageCount);
    for (size_t p = 0; p < pageCount; ++p) {
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
        const size_t first = p * perPage;
        const size_t last = std::min(records.size(), first + perPage);
        for (size_t i = first; i < last; ++i) {
            const FleetRecord& record = records[i];
            const int y = -(5 + static_cast<int>(i - first)) * s;
            // A port without a radio has no number in the session.
            addText(page, u, kRadioColumn, y, record.radio > 0 ? std::to_string(record.radio) : "-");
            addText(page, u, kRoundColumn, y, std::to_string(record.round));
            addText(page, u, kPortColumn, y, record.port.name);
            addText(page, u, kIdentityColumn, y, record.identity);
            addText(page, u, kSecondsColumn, y, secondsText(record.seconds));
            addText(page, u, kOutcomeColumn, y, fleetOutcomeText(record, input.language));
        }
        addPageFrame(page, u, input, static_cast<int>(p + 1), static_cast<int>(pageCount));
    }
    return model;
}

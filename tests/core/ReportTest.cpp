#include "report/Report.h"

#include "channels/ChannelTable.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

// A letter page at 600 dpi with an 8.0 x 10.6 inch printable area: W = 11520 and H = 15264
// twips, so K = 174 and U = 339. L and S are what a font mapper could measure for those fonts;
// L is odd so that L/2 rounds.
const PrintArea kLetter600{4800, 6360, 600, 600};
constexpr int kK = 174;
constexpr int kL = 391;
constexpr int kS = 313;

ReportInput input(Language language = Language::English) {
    return {kLetter600, kL, kS, language, "Radio Shop"};
}

MemoryImage imageWithChannels(const std::vector<int>& channels) {
    MemoryImage img = MemoryImage::newDocument();
    for (int ch : channels) {
        img.setRxFrequency(ch, 14500000 + 1250 * static_cast<uint32_t>(ch));
        img.setTxFrequency(ch, 14500000 + 1250 * static_cast<uint32_t>(ch));
    }
    return img;
}

bool hasText(const ReportPage& page, const std::string& text) {
    for (const ReportText& t : page.texts) {
        if (t.text == text) {
            return true;
        }
    }
    return false;
}

// The text at a position; "<none>" when nothing is there.
std::string textAt(const ReportPage& page, int x, int y) {
    for (const ReportText& t : page.texts) {
        if (t.x == x && t.y == y) {
            return t.text;
        }
    }
    return "<none>";
}

// The numbers of the channel headings ("Channel n:" at 4K) of an English page, in block order;
// block g must sit at y = -4S - 5gS.
std::vector<int> channelNumbers(const ReportPage& page) {
    std::vector<int> out;
    for (const ReportText& t : page.texts) {
        if (t.x == 4 * kK) {
            EXPECT_EQ(t.y, -4 * kS - 5 * static_cast<int>(out.size()) * kS) << t.text;
            out.push_back(std::stoi(t.text.substr(t.text.find(' ') + 1)));
        }
    }
    return out;
}

// The title (at -L), the owner line and the page number (at -36L) are in the report font,
// everything else in the small font.
void expectFonts(const ReportPage& page) {
    for (const ReportText& t : page.texts) {
        const bool report = t.y == -kL || t.y == -36 * kL;
        EXPECT_EQ(t.font, report ? ReportFontId::Report : ReportFontId::Small) << t.text;
    }
}

TEST(ReportUnits, ScaleToThePrintableArea) {
    struct Row {
        const char* name;
        PrintArea area;
        std::vector<int> hwukSmall; // H, W, U, K, small font height and width
    } rows[] = {
        {"letter at 600 dpi", kLetter600, {15264, 11520, 339, 174, 271, 139}},
        // 1440 / 600 is not whole: the device extent is multiplied before it is divided.
        {"A4 at 600 dpi truncates", {4961, 7016, 600, 600}, {16838, 11906, 374, 180, 299, 144}},
        {"each axis its own resolution", {2400, 6360, 300, 600}, {15264, 11520, 339, 174, 271, 139}},
        {"no resolution gives no area", {4800, 6360, 0, 0}, {0, 0, 0, 0, 0, 0}},
    };
    for (const Row& row : rows) {
        const ReportUnits u = reportUnits(row.area);
        EXPECT_EQ((std::vector<int>{u.heightTwips, u.widthTwips, u.lineTwips, u.columnTwips,
                                    u.smallFont.heightTwips, u.smallFont.widthTwips}),
                  row.hwukSmall)
            << row.name;
        EXPECT_TRUE(u.reportFont.heightTwips == u.lineTwips && u.reportFont.widthTwips == u.columnTwips);
    }
}

TEST(Report, MetricsNoPageHasAreLimited) {
    constexpr int kMax = report::kMaxTwips;
    constexpr int kIntMax = std::numeric_limits<int>::max();
    constexpr int kIntMin = std::numeric_limits<int>::min();
    struct Row {
        const char* name;
        PrintArea area;
        int lineTwips;
        int heightTwips, widthTwips, lineUsed; // H, W and L as the report uses them
    } rows[] = {
        {"line height of 10^8 twips", kLetter600, 100000000, 15264, 11520, kMax},
        {"page of 2^31 device units at 1 dpi", {kIntMax, kIntMax, 1, 1}, kL, kMax, kMax, kL},
        {"both at once", {kIntMax, kIntMax, 1, 1}, kIntMax, kMax, kMax, kMax},
        {"negative extremes", {kIntMin, kIntMin, 1, 1}, kIntMin, -kMax, -kMax, -kMax},
    };
    const MemoryImage img = imageWithChannels({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    for (const Row& row : rows) {
        const ReportModel model =
            buildReport(img, {row.area, row.lineTwips, row.lineTwips, Language::English, "Owner"});
        EXPECT_EQ(model.units.heightTwips, row.heightTwips) << row.name;
        EXPECT_EQ(model.units.widthTwips, row.widthTwips) << row.name;
        ASSERT_EQ(model.pageCount(), 3) << row.name;
        const ReportLine& footerRule = model.pages[2].lines.at(2);
        EXPECT_EQ(footerRule.y1, -36 * row.lineUsed + row.lineUsed / 2) << row.name;
        EXPECT_EQ(footerRule.x2, 60 * (row.widthTwips / report::kColumnsPerPage)) << row.name;
    }
}

TEST(Report, EveryPageHasRulesOwnerAndPageNumber) {
    const ReportModel model = buildReport(imageWithChannels({1, 2, 3, 4, 5, 6, 7, 8, 9}), input());
    ASSERT_EQ(model.pageCount(), 3);
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(p + 1);
        const ReportPage& page = model.pages[p];
        ASSERT_EQ(page.lines.size(), 3u);
        const int ys[] = {-(2 * kL + 50), -(2 * kL + 120), -36 * kL + 195}; // L/2 rounds down
        for (int i = 0; i < 3; ++i) {
            const ReportLine& r = page.lines[i];
            EXPECT_TRUE(r.x1 == 5 * kK && r.x2 == 60 * kK && r.y1 == ys[i] && r.y2 == ys[i]) << i;
        }
        EXPECT_EQ(textAt(page, 10 * kK, -36 * kL), "Radio Shop");
        EXPECT_EQ(textAt(page, 45 * kK, -36 * kL), "Page " + std::to_string(p + 1) + " of 3");
        expectFonts(page);
    }
}

TEST(Report, OptionsPageFollowsTheTable) {
    const ReportPage page = buildReport(MemoryImage::newDocument(), input()).pages.at(0);
    EXPECT_EQ(textAt(page, 6 * kK, -kL), "Option");
    EXPECT_EQ(textAt(page, 6 * kK, -4 * kS), "Function");
    const char* labels[] = {
        "Time Out Time:", "Squelch Level:", "Voice Annunication:", "Vox Delay Time:", "Vox Gain Level:",
        "Battery Saver:", "Beep:"};
    const char* values[] = {"45s", "5", "English", "0.3s", "5", "On", "On"}; // a new document's
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(textAt(page, 9 * kK, -(5 + i) * kS), labels[i]);
        EXPECT_EQ(textAt(page, 35 * kK, -(5 + i) * kS), values[i]);
    }
    EXPECT_EQ(page.texts.size(), 2u + 14u + 2u);
    expectFonts(page);
}

TEST(Report, OptionValueTexts) {
    struct Row {
        const char* name;
        size_t offset;
        uint8_t value;
        Language language;
        int line; // drawn at y = -line * S
        const char* text;
    } rows[] = {
        {"time-out is 15 s a step", image::offset::kTimeOut, 4, Language::English, 5, "60s"},
        {"time-out out of range keeps the arithmetic", image::offset::kTimeOut, 0xFF, Language::English, 5,
         "3825s"},
        {"squelch as stored", image::offset::kSquelch, 0xFF, Language::English, 6, "255"},
        {"voice off", image::offset::kVoice, 0, Language::Chinese, 7, "关"},
        {"voice Chinese", image::offset::kVoice, 1, Language::English, 7, "Chinese"},
        {"voice beyond the list is English", image::offset::kVoice, 7, Language::English, 7, "English"},
        {"voice beyond the list in Chinese", image::offset::kVoice, 7, Language::Chinese, 7, "英文"},
        {"VOX delay last listed", image::offset::kVoxDelay, 4, Language::English, 8, "2.0s"},
        {"VOX delay beyond the list", image::offset::kVoxDelay, 9, Language::English, 8, "3.0s"},
        {"VOX gain zero is off", image::offset::kVoxGain, 0, Language::English, 9, "Off"},
        {"VOX gain as stored", image::offset::kVoxGain, 0xFF, Language::English, 9, "255"},
        {"battery saver bit 0 clear", image::offset::kBatterySaver, 0xFE, Language::English, 10, "Off"},
        {"battery saver bit 0 set", image::offset::kBatterySaver, 0x81, Language::Chinese, 10, "开"},
        {"beep bit 0 clear", image::offset::kKeyBeep, 0x00, Language::Chinese, 11, "关"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MemoryImage img = MemoryImage::newDocument();
        img.setByte(row.offset, row.value);
        EXPECT_EQ(textAt(buildReport(img, input(row.language)).pages[0], 35 * kK, -row.line * kS), row.text);
    }
}

TEST(Report, PaginatesEightChannelsInUseAPage) {
    struct Row {
        const char* name;
        std::vector<int> channels;
        std::vector<std::vector<int>> channelPages;
    } rows[] = {
        {"none in use", {}, {}},
        {"eight", {1, 2, 3, 4, 5, 6, 7, 8}, {{1, 2, 3, 4, 5, 6, 7, 8}}},
        {"nine: the ninth alone", {1, 2, 3, 4, 5, 6, 7, 8, 9}, {{1, 2, 3, 4, 5, 6, 7, 8}, {9}}},
        {"3, 9 and 16", {3, 9, 16}, {{3, 9, 16}}},
        {"ten with gaps", {2, 4, 6, 8, 10, 11, 12, 14, 15, 16}, {{2, 4, 6, 8, 10, 11, 12, 14}, {15, 16}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ReportModel model = buildReport(imageWithChannels(row.channels), input());
        const int pages = static_cast<int>(row.channelPages.size()) + 1;
        ASSERT_EQ(model.pageCount(), pages);
        EXPECT_EQ(textAt(model.pages[0], 45 * kK, -36 * kL), "Page 1 of " + std::to_string(pages));
        for (size_t p = 0; p < row.channelPages.size(); ++p) {
            EXPECT_EQ(channelNumbers(model.pages[p + 1]), row.channelPages[p]);
            EXPECT_EQ(textAt(model.pages[p + 1], 6 * kK, -kL), "Channel");
        }
    }
}

TEST(Report, ChannelBlockFollowsTheTable) {
    MemoryImage img = imageWithChannels({2, 5});
    img.setTxFrequency(5, 14560000);
    img.setRxTone(5, Tone::ctcss(885));
    img.setWide(5, false);
    img.setScanned(5, true);
    const ReportPage page = buildReport(img, input()).pages.at(1);
    const int y = -4 * kS - 5 * 1 * kS; // channel 5 is the second block on its page
    const struct {
        int column;
        int line;
        const char* text;
    } rows[] = {
        {4, 0, "Channel 5:"}, {5, 1, "Receive Frequency:"},
        {22, 1, "145.06250"}, {36, 1, "Transceive Frequency:"},
        {55, 1, "145.60000"}, {5, 2, "QT/DQT Decode:"},
        {22, 2, "88.5"},      {36, 2, "QT/DQT Encode:"},
        {55, 2, "None"},      {5, 3, "W/N:"},
        {22, 3, "Narrow"},    {36, 3, "Scan:"},
        {55, 3, "Yes"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(textAt(page, row.column * kK, y - row.line * kS), row.text);
    }
    EXPECT_EQ(page.texts.size(), 1u + 2 * 13u + 2u);
    expectFonts(page);
}

TEST(Report, PrintsTheGridTextsAsTheGridShowsThem) {
    MemoryImage img = imageWithChannels({1, 2, 3, 4, 5, 6, 7, 8, 9});
    img.setTxFrequency(9, 0); // a receive frequency alone still prints
    MemoryImage edited = img;
    edited.setRxFrequency(12, 14652500);
    edited.setRxTone(12, Tone::ctcss(1005));
    ChannelTable grid(edited, Language::English);
    for (int row = 2; row <= 7; ++row) {
        grid.commitFrequency(row, col::kRxFrequency, "", {}); // deleted in the grid, not in `img`
    }

    const ReportModel model = buildReport(img, grid.channels(), input());
    ASSERT_EQ(model.pageCount(), 2);
    const ReportPage& page = model.pages[1];
    EXPECT_EQ(channelNumbers(page), (std::vector<int>{1, 8, 9, 12}));
    EXPECT_EQ(textAt(page, 55 * kK, -5 * kS - 2 * 5 * kS), "");
    EXPECT_EQ(textAt(page, 22 * kK, -5 * kS - 3 * 5 * kS), "146.52500");
    EXPECT_EQ(textAt(page, 22 * kK, -6 * kS - 3 * 5 * kS), "100.5");
}

TEST(Report, ChineseLabelsKeepTheEnglishPageNumbers) {
    const ReportModel model = buildReport(imageWithChannels({4}), input(Language::Chinese));
    ASSERT_EQ(model.pageCount(), 2);
    // The same Chinese labels as the option lists and the channel grid.
    for (const char* text : {"可选功能", "功能", "超时定时器:", "静噪电平:", "语音报号:", "声控延迟时间:",
                             "声控增益电平:", "电池省电:", "哔音:", "Page 1 of 2"}) {
        EXPECT_TRUE(hasText(model.pages[0], text)) << text;
    }
    for (const char* text :
         {"信道", "信道4:", "接收频率:", "发射频率:", "QT/DQT解码:", "宽/窄:", "扫描:", "Page 2 of 2"}) {
        EXPECT_TRUE(hasText(model.pages[1], text)) << text;
    }
    EXPECT_FALSE(hasText(model.pages[0], "Option"));
}

} // namespace

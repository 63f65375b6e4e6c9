#include "channels/ChannelTable.h"

#include "channels/ChannelEdit.h"
#include "channels/ChannelPaste.h"

#include <gtest/gtest.h>

namespace {

const BandLimits kBand130To160{13000000, 16000000};
const MemoryImage kNew = MemoryImage::newDocument();

std::vector<std::string> rowTexts(const ChannelTable& t, int row) {
    std::vector<std::string> out;
    for (int c = 1; c < kGridCols; ++c) {
        out.push_back(t.text(row, c));
    }
    return out;
}

// The example channel: 145.000 / 145.600, 88.5 / D023N, carrier lock, wide, high, scanned.
MemoryImage exampleImage(int channel) {
    MemoryImage img = MemoryImage::newDocument();
    img.setRxFrequency(channel, 14500000);
    img.setTxFrequency(channel, 14560000);
    uint8_t* r = img.data() + image::channelOffset(channel);
    r[8] = 0x75, r[9] = 0x03, r[10] = 0x13, r[11] = 0x28, r[12] = 0x08, r[13] = 0x30;
    img.setScanned(channel, true);
    return img;
}

// A table whose row 5 shows the texts of columns 1 to 8, pasted in through the typing rules.
ChannelTable tableWithRow(const std::vector<std::string>& texts) {
    ChannelTable t(kNew, Language::English);
    std::string line;
    for (const std::string& text : texts) {
        line += text + "\t";
    }
    EXPECT_TRUE(pasteCells(t, 5, 1, line, channeledit::storableLimits({1, 0x7FFFFFFF})).applied);
    return t;
}

TEST(ChannelTable, HeadingsAndChannelNumbers) {
    const ChannelTable t(kNew, Language::English);
    EXPECT_EQ(t.text(0, 1), "Rx Frequency");
    EXPECT_EQ(t.text(1, 0), " 1");
    EXPECT_EQ(t.text(16, 0), "16");
    EXPECT_EQ(ChannelTable(kNew, Language::Chinese).text(0, 7), "繁忙锁定");
}

TEST(ChannelTable, DecodesTheExampleChannelInBothLanguages) {
    struct Case {
        Language language;
        std::vector<std::string> row;
    } cases[] = {
        {Language::English, {"145.00000", "145.60000", "88.5", "D023N", "Wide", "Yes", "Carrier", "High"}},
        {Language::Chinese, {"145.00000", "145.60000", "88.5", "D023N", "宽", "是", "载波", "高"}},
    };
    for (const auto& c : cases) {
        ChannelTable t(exampleImage(16), c.language);
        EXPECT_EQ(rowTexts(t, 16), c.row);
        EXPECT_TRUE(t.isRowEmpty(1));
    }
}

TEST(ChannelTable, DecodesChannelsNotInUseAndUnsetTones) {
    MemoryImage img = exampleImage(3);
    img.setTxFrequency(3, 0);
    img.setRxFrequency(4, 14500000);
    img.setTxFrequency(4, 14500000);
    img.setRxTone(4, Tone::none());
    img.setTxTone(4, Tone::none());
    img.setByte(image::channelOffset(5) + 8, 0x75); // tone word of an unused channel
    img.setByte(image::channelOffset(5) + 9, 0x03);

    ChannelTable t(img, Language::Chinese);
    EXPECT_EQ(rowTexts(t, 3), (std::vector<std::string>{"145.00000", "", "88.5", "D023N", "", "", "", ""}));
    EXPECT_EQ(t.text(4, col::kRxTone), "无");
    EXPECT_EQ(t.text(4, col::kTxTone), "无");
    EXPECT_EQ(rowTexts(t, 5), (std::vector<std::string>{"", "", "88.5", "", "", "", "", ""}));
}

TEST(ChannelTable, ChineseAndEnglishGridsStoreAlike) {
    ChannelTable english(exampleImage(7), Language::English);
    ChannelTable language(exampleImage(7), Language::Chinese);
    english.commitFrequency(8, col::kRxFrequency, "146.52500", kBand130To160);
    language.commitFrequency(8, col::kRxFrequency, "146.52500", kBand130To160);
    english.commitList(8, col::kBandwidth, "Narrow", true);
    language.commitList(8, col::kBandwidth, "窄", true);
    english.commitList(8, col::kPower, "Low", true);
    language.commitList(8, col::kPower, "低", true);
    EXPECT_EQ(english.image(), language.image());
    EXPECT_EQ(english.image().byte(image::channelOffset(8) + 13) & 0x30, 0x00);
}

TEST(ChannelTable, CommittingTheShownTextsKeepsTheImage) {
    MemoryImage img = exampleImage(1);
    img.setRxFrequency(16, 43000000);
    img.setTxFrequency(16, 43500000);
    img.setRxTone(16, Tone::dcs(754, true));
    img.setTxTone(16, Tone::ctcss(2541));
    img.setBusyLock(16, BusyLock::Tone);
    img.setWide(16, false);
    img.setHighPower(16, false);
    img.setScanned(16, false);
    img.setByte(image::channelOffset(16) + 14, 0x42); // never interpreted
    ChannelTable t(img, Language::English);
    for (int row = 1; row < kGridRows; ++row) {
        for (int c = 1; c < kGridCols; ++c) {
            EXPECT_TRUE(ChannelTable::isListColumn(c)
                            ? t.commitList(row, c, t.text(row, c), row % 2).accepted
                            : t.commitFrequency(row, c, t.text(row, c), {}).accepted);
        }
    }
    EXPECT_EQ(t.image(), img);
}

TEST(ChannelTable, FieldsNotCommittedKeepTheirBytes) {
    // Channel 1 holds what no text can say: a BCD digit A in its receive field (shown as
    // 1000.00000, typed back it would be 999.99999), a DCS code outside the table, both
    // busy-lock bits, a byte 14. Channel 2 is an ordinary channel.
    MemoryImage img = exampleImage(2);
    const size_t odd = image::channelOffset(1);
    const uint8_t oddRecord[12] = {0x00, 0x00, 0x00, 0xA0, 0x00, 0x00, 0x45, 0x01, 0x05, 0x28, 0xFF, 0xFF};
    for (size_t i = 0; i < sizeof oddRecord; ++i) {
        img.setByte(odd + i, oddRecord[i]);
    }
    img.setByte(odd + image::record::kBusyLock, 0x18);
    img.setByte(odd + 14, 0x42);
    const std::vector<uint8_t> oddBytes(img.data() + odd, img.data() + odd + image::kRowSize);

    struct Case {
        const char* name;
        void (*edit)(ChannelTable&);
        std::vector<std::string> channel2;               // its texts after the edit
        std::vector<std::array<int, 3>> oddChanged = {}; // channel 1's bytes first..last become value
    };
    const std::vector<std::string> channel2 = {"145.00000", "145.60000", "88.5",    "D023N",
                                               "Wide",      "Yes",       "Carrier", "High"};
    const Case cases[] = {
        {"no edit",
         [](ChannelTable&) {},
         {"145.00000", "145.60000", "88.5", "D023N", "Wide", "Yes", "Carrier", "High"}},
        {"another row edited",
         [](ChannelTable& t) {
             EXPECT_TRUE(t.commitFrequency(2, col::kTxFrequency, "145.0", kBand130To160).accepted);
         },
         {"145.00000", "145.00000", "88.5", "D023N", "Wide", "Yes", "Carrier", "High"}},
        {"another row cleared",
         [](ChannelTable& t) { t.commitFrequency(2, col::kRxFrequency, "", kBand130To160); },
         {"", "", "", "", "", "", "", ""}},
        {"power changed",
         [](ChannelTable& t) { t.commitList(1, col::kPower, "Low", true); },
         channel2,
         {{13, 13, 0xDF}}},
        {"tone change keeps an unreadable Rx field's bytes",
         [](ChannelTable& t) { t.commitList(1, col::kRxTone, "88.5", true); },
         channel2,
         {{8, 8, 0x75}, {9, 9, 0x03}}},
        {"byte 14 kept when the channel is deleted",
         [](ChannelTable& t) { t.commitFrequency(1, col::kRxFrequency, "", kBand130To160); },
         channel2,
         {{0, 9, 0xFF}}},
    };
    for (const Case& c : cases) {
        ChannelTable t(img, Language::English);
        EXPECT_EQ(t.text(1, col::kRxFrequency), "1000.00000") << c.name;
        c.edit(t);
        std::vector<uint8_t> expected = oddBytes;
        for (const auto& [first, last, value] : c.oddChanged) {
            std::fill(expected.begin() + first, expected.begin() + last + 1, static_cast<uint8_t>(value));
        }
        EXPECT_EQ(std::vector<uint8_t>(t.image().data() + odd, t.image().data() + odd + image::kRowSize),
                  expected)
            << c.name;
        EXPECT_EQ(rowTexts(t, 2), c.channel2) << c.name;
    }
}

TEST(ChannelTable, DeletingAChannelWritesTheRadioDefaults) {
    MemoryImage img = exampleImage(2);
    img.setByte(image::channelOffset(2) + 12, 0xE7);
    img.setByte(image::channelOffset(2) + 13, 0x0F);
    ChannelTable t(img, Language::English);
    t.commitFrequency(2, col::kRxFrequency, "", kBand130To160);
    img = t.image();
    const uint8_t* r = img.data() + image::channelOffset(2);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(r[i], 0xFF) << i;
    }
    EXPECT_EQ(r[12], 0xF7); // bits 0x18 cleared, then 0x10
    EXPECT_EQ(r[13], 0x3F);
    EXPECT_FALSE(img.isScanned(2));
}

struct CommitCase {
    const char* name;
    int col;
    std::vector<std::string> before; // columns 1..8; empty vector = empty row
    std::string typed;
    bool accepted;
    std::optional<MessageId> message;
    std::vector<std::string> after;
};

TEST(ChannelTable, CommitsFrequencyCells) {
    const std::vector<std::string> used = {"145.00000", "145.60000", "88.5", "D023N",
                                           "Wide",      "Yes",       "Off",  "High"};
    const std::vector<std::string> empty(8);
    const CommitCase cases[] = {
        {"new channel gets defaults",
         1,
         empty,
         "145",
         true,
         std::nullopt,
         {"145.00000", "145.00000", "None", "None", "Wide", "Yes", "Off", "High"}},
        {"receive change keeps transmit",
         1,
         used,
         "146",
         true,
         std::nullopt,
         {"146.00000", "145.60000", "88.5", "D023N", "Wide", "Yes", "Off", "High"}},
        {"clearing receive deletes the channel", 1, used, "", true, std::nullopt, empty},
        {"clearing transmit follows receive",
         2,
         used,
         "",
         true,
         std::nullopt,
         {"145.00000", "145.00000", "88.5", "D023N", "Wide", "Yes", "Off", "High"}},
        {"receive out of band keeps the row", 1, used, "170", false, MessageId::OutOfRange, used},
        {"receive off-step keeps the row", 1, used, "145.0025", false, MessageId::OffStep, used},
        {"transmit out of band keeps the row", 2, used, "170", false, MessageId::OutOfRange, used},
        {"transmit off-step keeps the row", 2, used, "145.0025", false, MessageId::OffStep, used},
        {"new channel refused stays empty", 1, empty, "170", false, MessageId::OutOfRange, empty},
        {"text is out of range", 1, used, "abc", false, MessageId::OutOfRange, used},
        {"too large for 32 bits", 1, used, "1e30", false, MessageId::OutOfRange, used},
        {"upper band edge passes",
         1,
         used,
         "160",
         true,
         std::nullopt,
         {"160.00000", "145.60000", "88.5", "D023N", "Wide", "Yes", "Off", "High"}},
        {"six decimals truncate",
         2,
         used,
         "145.0125009",
         true,
         std::nullopt,
         {"145.00000", "145.01250", "88.5", "D023N", "Wide", "Yes", "Off", "High"}},
        {"transmit without receive stays empty", 2, empty, "145", true, std::nullopt, empty},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ChannelTable t = tableWithRow(c.before);
        const CommitOutcome out = t.commitFrequency(5, c.col, c.typed, kBand130To160);
        EXPECT_EQ(out.accepted, c.accepted);
        EXPECT_EQ(out.message, c.message);
        EXPECT_EQ(rowTexts(t, 5), c.after);
    }
}

// The same rules whatever the band: the text must be a frequency, and one the image can hold.
TEST(ChannelTable, CommitsOnlyTextsThatAreFrequencies) {
    const BandLimits band1To30{100000, 3000000};
    const std::vector<std::string> used = {"145.00000", "145.60000", "88.5", "D023N",
                                           "Wide",      "Yes",       "Off",  "High"};
    const std::vector<std::string> usedLow = {"20.00000", "20.00000", "None", "None",
                                              "Wide",     "Yes",      "Off",  "High"};
    const std::vector<std::string> empty(8);
    struct Case {
        const char* name;
        BandLimits limits;
        int col;
        std::vector<std::string> before;
        std::string typed;
        std::optional<MessageId> message; // none: accepted
        std::vector<std::string> after;
    } cases[] = {
        {"comma decimal",
         kBand130To160,
         1,
         used,
         "145,5",
         std::nullopt,
         {"145.50000", "145.60000", "88.5", "D023N", "Wide", "Yes", "Off", "High"}},
        {"unit after a blank",
         kBand130To160,
         2,
         used,
         "145.5 MHz",
         std::nullopt,
         {"145.00000", "145.50000", "88.5", "D023N", "Wide", "Yes", "Off", "High"}},
        {"lower-case unit makes a new channel",
         kBand130To160,
         1,
         empty,
         "145.5mhz",
         std::nullopt,
         {"145.50000", "145.50000", "None", "None", "Wide", "Yes", "Off", "High"}},
        {"second decimal point keeps the row", kBand130To160, 1, used, "145.5.5", MessageId::OutOfRange,
         used},
        {"letters after the number keep the row", kBand130To160, 2, used, "146.0125xyz",
         MessageId::OutOfRange, used},
        {"comma then point keeps the row", kBand130To160, 1, used, "145,5.5", MessageId::OutOfRange, used},
        {"below 10 MHz in a 1 - 30 MHz band", band1To30, 1, empty, "8.5", MessageId::OutOfRange, empty},
        {"just below 10 MHz", band1To30, 2, usedLow, "9.995", MessageId::OutOfRange, usedLow},
        {"10 MHz is the lowest",
         band1To30,
         2,
         usedLow,
         "10",
         std::nullopt,
         {"20.00000", "10.00000", "None", "None", "Wide", "Yes", "Off", "High"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ChannelTable t = tableWithRow(c.before);
        const CommitOutcome out = t.commitFrequency(5, c.col, c.typed, c.limits);
        EXPECT_EQ(out.accepted, !c.message);
        EXPECT_EQ(out.message, c.message);
        EXPECT_EQ(rowTexts(t, 5), c.after);
    }
}

// A frequency the grid accepts must still be there after the image is saved and loaded.
TEST(ChannelTable, AcceptedLowFrequenciesSurviveTheImage) {
    const BandLimits band1To30{100000, 3000000};
    for (const char* typed : {"10", "10.00625", "19.995", "30"}) {
        SCOPED_TRACE(typed);
        ChannelTable t(kNew, Language::English);
        ASSERT_TRUE(t.commitFrequency(16, col::kRxFrequency, typed, band1To30).accepted);
        EXPECT_TRUE(t.image().isInUse(16));
    }
}

// What a write asks about: channels outside the band (either frequency counts) and no channel in
// use, in the words both programs show.
TEST(ChannelEdit, ChannelsOutsideTheBandAndNoChannelInUse) {
    struct Case {
        const char* name;
        std::vector<std::array<uint32_t, 3>> channels; // number, receive, transmit frequency
        BandLimits band;
        const char* outside;
    } cases[] = {
        {"EdgesInside", {{1, 13000000, 13000000}, {16, 16000000, 16000000}}, kBand130To160, ""},
        {"TransmitOutside",
         {{3, 14500000, 18000000}, {5, 45000000, 45000000}},
         kBand130To160,
         "Channels 3, 5 are outside the band 130.00000 to 160.00000 MHz."},
        {"NoBand",
         {{1, 14500000, 14500000}},
         BandLimits{},
         "Channel 1 is outside the band (there is no band: Program.ini does not list this type and band)."},
        {"NoChannel", {}, kBand130To160, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryImage img = MemoryImage::newDocument();
        for (const auto& [channel, rx, tx] : c.channels) {
            img.setRxFrequency(static_cast<int>(channel), rx);
            img.setTxFrequency(static_cast<int>(channel), tx);
        }
        const std::vector<int> outside = channeledit::channelsOutsideBand(img, c.band);
        EXPECT_EQ(channeledit::outsideBandText(outside, c.band, Language::English), c.outside);
        EXPECT_EQ(channeledit::hasNoChannelInUse(img), c.channels.empty());
    }
    EXPECT_EQ(channeledit::refusalText(MessageId::OutOfRange, BandLimits{100000, 3000000}, Language::English),
              "Out of range,please input again. (the band is 10.00000 to 30.00000 MHz)");
    EXPECT_EQ(channeledit::refusalText(MessageId::OutOfRange, kBand130To160, Language::Chinese),
              "超出范围，请重新输入。（频段为 130.00000 至 160.00000 MHz）");
    EXPECT_EQ(
        channeledit::refusalText(MessageId::OffStep, BandLimits{}, Language::English),
        "Error data Value, please input according the step value(6.25K/5k). (there is no band: Program.ini "
        "does not list this type and band)\nChoose the radio type and band in Edit > Product Information.");
}

TEST(ChannelTable, ZeroIsNeverAFrequencyEvenWithAnEmptyBand) {
    ChannelTable t(kNew, Language::English);
    const CommitOutcome out = t.commitFrequency(1, col::kRxFrequency, "abc", BandLimits{});
    EXPECT_FALSE(out.accepted);
    EXPECT_TRUE(t.isRowEmpty(1));
}

TEST(ChannelTable, NewChannelDefaultsInChinese) {
    ChannelTable t(kNew, Language::Chinese);
    ASSERT_TRUE(t.commitFrequency(9, col::kRxFrequency, "145.0125", kBand130To160).accepted);
    EXPECT_EQ(rowTexts(t, 9),
              (std::vector<std::string>{"145.01250", "145.01250", "无", "无", "宽", "是", "关", "高"}));
}

TEST(ChannelTable, ListCells) {
    ChannelTable t(kNew, Language::English);
    t.commitList(2, col::kPower, "Low", true);
    EXPECT_EQ(t.text(2, col::kPower), "") << "an empty channel has no attributes";

    ASSERT_TRUE(t.commitFrequency(2, col::kRxFrequency, "145", kBand130To160).accepted);
    t.commitList(2, col::kPower, "Low", true);
    EXPECT_EQ(t.text(2, col::kPower), "Low");

    MemoryImage fromRadio = t.image();
    fromRadio.setRxTone(2, Tone::ctcss(1005)); // not in the list
    t = ChannelTable(fromRadio, Language::English);
    t.commitList(2, col::kRxTone, "None", false);
    EXPECT_EQ(t.text(2, col::kRxTone), "100.5");
    t.commitList(2, col::kRxTone, "D023N", true);
    EXPECT_EQ(t.text(2, col::kRxTone), "D023N");
    t.commitList(2, col::kBandwidth, "Narrow", false);
    EXPECT_EQ(t.text(2, col::kBandwidth), "Narrow") << "a listed text takes the editor's text";
}

TEST(ChannelTable, ListOpensOnTheFirstItemBeginningWithTheText) {
    const ChannelTable t(kNew, Language::English);
    struct Case {
        int col;
        const char* text;
        int index;
    } cases[] = {
        {col::kRxTone, "", 0},        {col::kRxTone, "88.5", 9}, {col::kRxTone, "d023i", 135},
        {col::kRxTone, "100.5", 0},   {col::kBusyLock, "c", 1},  {col::kPower, "Low", 1},
        {col::kTxTone, "D754N", 134}, {col::kScan, "No", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(t.initialListIndex(c.col, c.text), c.index) << c.text;
    }
}

} // namespace

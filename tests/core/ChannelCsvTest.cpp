#include "channels/ChannelCsv.h"

#include "channels/ChannelCodec.h"

#include "options/Options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

// Wide enough for the split channel (146 / 446 MHz) of the round trip.
const BandLimits kWideBand{10000000, 52000000};
const BandLimits kBand136To174{13600000, 17400000};

const char kHeader[] = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                       "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE,"
                       "BusyLock";

void put(MemoryImage& img, int ch, const Channel& c) {
    ChannelCodec::encode(img, ch, c);
}

std::string describe(const MemoryImage& img, int ch) {
    std::ostringstream out;
    const auto freq = [](std::optional<uint32_t> f) { return f ? formatFrequency(*f) : std::string("-"); };
    out << "ch" << ch << " " << freq(img.rxFrequency(ch)) << "/" << freq(img.txFrequency(ch)) << " rx "
        << formatTone(img.rxTone(ch), Language::English) << " tx "
        << formatTone(img.txTone(ch), Language::English) << (img.isWide(ch) ? " wide" : " narrow")
        << (img.isScanned(ch) ? " scan" : " skip") << " lock" << static_cast<int>(img.busyLock(ch))
        << (img.isHighPower(ch) ? " high" : " low");
    return out.str();
}

// Sixteen channels covering every tone mode, both DCS polarities, offsets both ways, a split
// of more than 70 MHz, the 6.25 kHz step, narrow, low power, skipped and both busy locks.
MemoryImage variedImage() {
    MemoryImage img = MemoryImage::newDocument();
    const Tone none = Tone::none();
    const Channel channels[16] = {
        {14500000, 14500000, none, none},
        {14550000, 14490000, none, Tone::ctcss(885), false},
        {14600000, 14600000, Tone::ctcss(1000), Tone::ctcss(1000), true, true, BusyLock::Off, false},
        {14700000, 14700000, Tone::dcs(23, false), Tone::dcs(23, false)},
        {14710000, 14710000, Tone::dcs(754, false), Tone::dcs(754, true)},
        {14720000, 14720000, Tone::ctcss(2541), Tone::ctcss(670)},
        {14730000, 14730000, Tone::dcs(411, true), Tone::ctcss(885)},
        {14740000, 14740000, Tone::ctcss(1000), Tone::dcs(23, false)},
        {14750000, 14750000, Tone::dcs(754, true), Tone::dcs(23, false), false, false},
        {14760000, 14760000, Tone::ctcss(885), none},
        {14770000, 14770000, Tone::dcs(65, false), none},
        {14780000, 14780000, none, Tone::dcs(131, true)},
        {14600000, 44600000, none, none, true, true, BusyLock::Carrier},
        {14500625, 14560625, none, none, true, false, BusyLock::Carrier},
        {43300000, 43800000, Tone::ctcss(1035), Tone::ctcss(1035), false, false, BusyLock::Tone, false},
        {17400000, 13600000, Tone::dcs(25, false), Tone::dcs(25, false)},
    };
    for (int ch = 1; ch <= 16; ++ch) {
        put(img, ch, channels[ch - 1]);
    }
    return img;
}

std::string problemsText(const channelcsv::ImportResult& r) {
    std::string out;
    for (const auto& p : r.problems) {
        out += "line " + std::to_string(p.line) + ": " + p.reason + "\n";
    }
    return out;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

TEST(ChannelCsv, ExportThenImportGivesTheSameChannels) {
    const MemoryImage original = variedImage();
    const std::string csv = channelcsv::exportCsv(original);

    // Into an image that held other channels: the file is the whole channel list.
    MemoryImage target = MemoryImage::newDocument();
    for (int ch = 1; ch <= 16; ++ch) {
        target.setRxFrequency(ch, 15000000);
        target.setTxFrequency(ch, 15000000);
    }
    const channelcsv::ImportResult r = channelcsv::importCsv(csv, target, kWideBand);
    ASSERT_TRUE(r.ok()) << problemsText(r) << csv;
    EXPECT_EQ(r.channelCount, 16);
    for (int ch = 1; ch <= 16; ++ch) {
        EXPECT_EQ(describe(r.image, ch), describe(original, ch));
    }
}

TEST(ChannelCsv, ExportWritesTheHeaderAndOneRowPerChannelInUse) {
    MemoryImage img = MemoryImage::newDocument();
    // Receive 88.5, transmit D023N, carrier lock: "DTCS->Tone" with the unused columns filled.
    put(img, 2, {14500000, 14560000, Tone::ctcss(885), Tone::dcs(23, false), true, true, BusyLock::Carrier});
    put(img, 9, {14600000, 44600000, Tone::none(), Tone::none(), false, false, BusyLock::Off, false});
    put(img, 11, {14500625, 14500625, Tone::dcs(754, true), Tone::dcs(754, true)});
    img.setRxFrequency(5, 14500000); // no transmit frequency: not in use, not exported

    const std::vector<std::string> rows = lines(channelcsv::exportCsv(img));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], kHeader);
    EXPECT_EQ(rows[1],
              "2,,145.000000,+,0.600000,Cross,88.5,88.5,023,NN,023,DTCS->Tone,FM,5.00,,5.0W,,,,,,Carrier");
    EXPECT_EQ(rows[2],
              "9,,146.000000,split,446.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,S,1.0W,,,,,,Off");
    EXPECT_EQ(rows[3],
              "11,,145.006250,,0.000000,DTCS,88.5,88.5,754,RR,023,Tone->Tone,FM,6.25,,5.0W,,,,,,Off");
}

TEST(ChannelCsv, ExportOfAnEmptyImageIsTheHeaderAlone) {
    EXPECT_EQ(channelcsv::exportCsv(MemoryImage::newDocument()), std::string(kHeader) + "\n");
}

TEST(ChannelCsv, ARowWithOnlyAFrequencyGetsTheNewChannelDefaults) {
    const channelcsv::ImportResult r =
        channelcsv::importCsv("Location,Frequency\n4,145.5\n", MemoryImage::newDocument(), kBand136To174);
    ASSERT_TRUE(r.ok()) << problemsText(r);
    EXPECT_EQ(describe(r.image, 4), "ch4 145.50000/145.50000 rx None tx None wide scan lock0 high");
    EXPECT_FALSE(r.image.isInUse(1));
}

TEST(ChannelCsv, ReadsColumnsByNameInAnyOrderWithQuotesCommentsBomAndCrLf) {
    const std::string text = "\xEF\xBB\xBF# exported for the club net\r\n"
                             "\r\n"
                             "Comment,Frequency,Unknown,Location,Tone,rToneFreq,Name,Power\r\n"
                             "\"Repeater, \"\"north\"\"\nsecond line\",145.6,x,1,Tone,88.5,\"A,B\",Low\r\n"
                             "# a comment between rows\r\n"
                             "\"\",  146.0  ,,2,,,,\r\n"
                             "plain,500,,3,,,,\r\n";
    const channelcsv::ImportResult r = channelcsv::importCsv(text, MemoryImage::newDocument(), kBand136To174);
    ASSERT_EQ(r.problems.size(), 1u) << problemsText(r);
    // The quoted field with a line break spans lines 4 and 5, so the bad row is on line 8.
    EXPECT_EQ(r.problems[0].line, 8);
    EXPECT_NE(r.problems[0].reason.find("Frequency 500"), std::string::npos);

    const channelcsv::ImportResult good =
        channelcsv::importCsv(text.substr(0, text.find("plain")), MemoryImage::newDocument(), kBand136To174);
    ASSERT_TRUE(good.ok()) << problemsText(good);
    EXPECT_EQ(describe(good.image, 1), "ch1 145.60000/145.60000 rx None tx 88.5 wide scan lock0 low");
    EXPECT_EQ(describe(good.image, 2), "ch2 146.00000/146.00000 rx None tx None wide scan lock0 high");
}

TEST(ChannelCsv, ReadsTheOlderSeventeenColumnLayout) {
    // No RxDtcsCode, CrossMode or Power columns.
    const std::string text = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                             "DtcsPolarity,Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL\n"
                             "1,A,145.000000,-,0.600000,TSQL,88.5,100.0,023,NN,NFM,5.00,S,,,,\n"
                             "2,B,146.000000,,0.000000,DTCS,88.5,88.5,411,NR,FM,5.00,,,,,\n";
    const channelcsv::ImportResult r = channelcsv::importCsv(text, MemoryImage::newDocument(), kBand136To174);
    ASSERT_TRUE(r.ok()) << problemsText(r);
    EXPECT_EQ(describe(r.image, 1), "ch1 145.00000/144.40000 rx 100.0 tx 100.0 narrow skip lock0 high");
    EXPECT_EQ(describe(r.image, 2), "ch2 146.00000/146.00000 rx D411I tx D411N wide scan lock0 high");
}

TEST(ChannelCsv, LocationsCountFromZeroWhenTheSmallestIsZero) {
    const std::string text = "Location,Frequency\n0,145.0\n15,146.0\n";
    const channelcsv::ImportResult r = channelcsv::importCsv(text, MemoryImage::newDocument(), kBand136To174);
    ASSERT_TRUE(r.ok()) << problemsText(r);
    EXPECT_EQ(r.image.rxFrequency(1), 14500000u);
    EXPECT_EQ(r.image.rxFrequency(16), 14600000u);

    const channelcsv::ImportResult past = channelcsv::importCsv("Location,Frequency\n0,145.0\n16,146.0\n",
                                                                MemoryImage::newDocument(), kBand136To174);
    ASSERT_EQ(past.problems.size(), 1u);
    EXPECT_EQ(past.problems[0].line, 3);
    EXPECT_EQ(past.problems[0].reason, "Location 16 is past the 16 channels (Location 0 to 15)");
}

TEST(ChannelCsv, BusyLockComesFromTheColumnOrStaysAsTheImageHadIt) {
    MemoryImage img = MemoryImage::newDocument();
    put(img, 2, {14500000, 14500000, Tone::none(), Tone::none(), true, true, BusyLock::Carrier});
    put(img, 3, {14500000, 14500000, Tone::none(), Tone::none(), true, true, BusyLock::Tone});

    const channelcsv::ImportResult kept =
        channelcsv::importCsv("Location,Frequency\n2,146.0\n3,146.0\n4,146.0\n", img, kBand136To174);
    ASSERT_TRUE(kept.ok()) << problemsText(kept);
    EXPECT_EQ(kept.image.busyLock(2), BusyLock::Carrier);
    EXPECT_EQ(kept.image.busyLock(3), BusyLock::Tone);
    EXPECT_EQ(kept.image.busyLock(4), BusyLock::Off); // was empty

    const channelcsv::ImportResult given = channelcsv::importCsv(
        "Location,Frequency,BusyLock\n2,146.0,off\n3,146.0,\n4,146.0,QT/DQT\n", img, kBand136To174);
    ASSERT_TRUE(given.ok()) << problemsText(given);
    EXPECT_EQ(given.image.busyLock(2), BusyLock::Off);
    EXPECT_EQ(given.image.busyLock(3), BusyLock::Tone);
    EXPECT_EQ(given.image.busyLock(4), BusyLock::Tone);
}

TEST(ChannelCsv, PowerIsHighLowOrWatts) {
    struct Case {
        const char* name;
        const char* power;
        bool high;
    } cases[] = {
        {"ExportedHigh", "5.0W", true},   {"ExportedLow", "1.0W", false}, {"ThreeWattsIsHigh", "3W", true},
        {"JustBelowThree", "2.9", false}, {"WordHigh", "high", true},     {"WordLow", "Low", false},
        {"EmptyIsHigh", "", true},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("Location,Frequency,Power\n1,145.0,") + c.power + "\n";
        const channelcsv::ImportResult r =
            channelcsv::importCsv(text, MemoryImage::newDocument(), kBand136To174);
        ASSERT_TRUE(r.ok()) << c.name << ": " << problemsText(r);
        EXPECT_EQ(r.image.isHighPower(1), c.high) << c.name;
    }
}

TEST(ChannelCsv, ThePriorityChannelTravelsAsSkipP) {
    MemoryImage img = MemoryImage::newDocument();
    for (int ch : {2, 7}) {
        img.setRxFrequency(ch, 14500000);
        img.setTxFrequency(ch, 14500000);
        img.setScanned(ch, true);
    }
    storeOptionSelection(OptionList::Priority, 7, img);
    const std::string csv = channelcsv::exportCsv(img);
    EXPECT_NE(csv.find(",P,"), std::string::npos) << csv;

    const channelcsv::ImportResult r = channelcsv::importCsv(csv, MemoryImage::newDocument(), kBand136To174);
    ASSERT_TRUE(r.ok()) << problemsText(r);
    EXPECT_EQ(optionSelection(OptionList::Priority, r.image), 7);
}

TEST(ChannelCsv, SkipPMakesThePriorityChannel) {
    MemoryImage img = MemoryImage::newDocument();
    storeOptionSelection(OptionList::Priority, 9, img);
    const channelcsv::ImportResult none =
        channelcsv::importCsv("Location,Frequency,Skip\n1,145.0,\n2,145.0,S\n", img, kBand136To174);
    ASSERT_TRUE(none.ok());
    EXPECT_EQ(optionSelection(OptionList::Priority, none.image), 9); // no P: the option stays
    EXPECT_TRUE(none.image.isScanned(1));
    EXPECT_FALSE(none.image.isScanned(2));

    const channelcsv::ImportResult p =
        channelcsv::importCsv("Location,Frequency,Skip\n1,145.0,\n5,145.0,P\n", img, kBand136To174);
    ASSERT_TRUE(p.ok()) << problemsText(p);
    EXPECT_EQ(optionSelection(OptionList::Priority, p.image), 5);
    EXPECT_TRUE(p.image.isScanned(5));
}

TEST(ChannelCsv, EveryBadRowIsReportedAndNothingChanges) {
    struct Case {
        const char* name;
        const char* row; // in the full layout, on line 2
        const char* reason;
        Language language = Language::English;
    } cases[] = {
        {"LocationSeventeen",
         "17,,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "Location 17 is past the 16 channels (Location 1 to 16)"},
        {"LocationNotANumber",
         "x,,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "Location \"x\" is not a channel number"},
        {"DuplexOff", "1,,145.000000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "Duplex \"off\""},
        {"FrequencyOutOfBand",
         "1,,500.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "Frequency 500.000000: out of range (the band is 136.00000 to 174.00000 MHz)"},
        {"FrequencyOutOfBandInChinese",
         "1,,500.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "Frequency 500.000000：超出范围（频段为 136.00000 至 174.00000 MHz）", Language::Chinese},
        {"FrequencyOffStep",
         "1,,145.002500,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "Frequency 145.002500: not on the 5 kHz or 6.25 kHz step (the band is 136.00000 to 174.00000 MHz)"},
        {"FrequencyFinerThan10Hz",
         "1,,145.500009,+,0.600009,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "Frequency 145.500009 MHz cannot be stored: the radio keeps frequencies in steps of 10 Hz"},
        {"OffsetFinerThan10Hz",
         "1,,145.500000,+,0.600009,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "Offset 0.600009 MHz cannot be stored: the radio keeps frequencies in steps of 10 Hz"},
        {"SplitFinerThan10Hz",
         "1,,145.500000,split,146.1000001,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "Offset 146.1000001 MHz cannot be stored"},
        {"FrequencyNotANumber", "1,,abc,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "Frequency \"abc\" is not a number of MHz"},
        {"OffsetLeavesTheBand",
         "1,,145.000000,+,30.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "transmit frequency 175.00000 (Duplex +, Offset 30.000000): out of range"},
        {"OffsetBelowZero",
         "1,,145.000000,-,300.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "transmit frequency (Duplex -, Offset 300.000000): out of range"},
        {"OffsetLeavesTheBandInChinese",
         "1,,145.000000,+,30.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "发射频率 175.00000（Duplex +，Offset 30.000000）：超出范围", Language::Chinese},
        {"CtcssBelow25_6",
         "1,,145.000000,,0.000000,Tone,25.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "rToneFreq 25.5 Hz cannot be stored"},
        {"CtcssHundredths",
         "1,,145.000000,,0.000000,TSQL,88.5,88.55,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "cToneFreq 88.55 Hz cannot be stored: the radio keeps tones in tenths of a hertz"},
        {"DcsOutsideTheTable",
         "1,,145.000000,,0.000000,DTCS,88.5,88.5,999,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "DtcsCode 999 is not one of the 107 DCS codes the radio knows"},
        {"RxDcsNotOctal",
         "1,,145.000000,,0.000000,Cross,88.5,88.5,023,NN,028,Tone->DTCS,FM,5.00,,5.0W,,,,,,Off",
         "RxDtcsCode 028 is not one of the 107 DCS codes"},
        {"DcsWrappingTo023",
         "1,,145.000000,,0.000000,DTCS,88.5,88.5,4294967319,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "DtcsCode 4294967319 is not one of the 107 DCS codes"},
        {"RxDcsWrappingTo023",
         "1,,145.000000,,0.000000,Cross,88.5,88.5,023,NN,4294967319,Tone->DTCS,FM,5.00,,5.0W,,,,,,Off",
         "RxDtcsCode 4294967319 is not one of the 107 DCS codes"},
        {"LocationWrappingTo1",
         "4294967297,,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "Location 4294967297 is past the 16 channels"},
        {"ToneWrapping",
         "1,,145.000000,,0.000000,Tone,429496738.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "rToneFreq 429496738.5 Hz cannot be stored"},
        {"BadPolarity", "1,,145.000000,,0.000000,DTCS,88.5,88.5,023,NX,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "DtcsPolarity \"NX\""},
        {"ToneModeTheRadioLacks",
         "1,,145.000000,,0.000000,TSQL-R,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Off",
         "Tone \"TSQL-R\""},
        {"CrossModeTheRadioLacks",
         "1,,145.000000,,0.000000,Cross,88.5,88.5,023,NN,023,Tone->Split,FM,5.00,,5.0W,,,,,,Off",
         "CrossMode"},
        {"ModeAm", "1,,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,5.00,,5.0W,,,,,,Off",
         "Mode \"AM\" cannot be stored"},
        {"SkipUnknown", "1,,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,X,5.0W,,,,,,Off",
         "Skip \"X\""},
        {"PowerUnknown", "1,,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,lots,,,,,,Off",
         "Power \"lots\""},
        {"BusyLockUnknown",
         "1,,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,,Maybe",
         "BusyLock \"Maybe\""},
        {"RowShorterThanHeader", "1,,145.000000,,0.000000", "the row has 5 fields but the header names 22"},
        {"RowShorterThanHeaderInChinese", "1,,145.000000,,0.000000", "该行有 5 个字段，但标题行列出了 22 列",
         Language::Chinese},
        {"ModeAmInChinese", "1,,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,5.00,,5.0W,,,,,,Off",
         "Mode \"AM\" 无法保存", Language::Chinese},
    };
    MemoryImage img = MemoryImage::newDocument();
    put(img, 1, {15000000, 15000000, Tone::none(), Tone::none()});
    for (const Case& c : cases) {
        const std::string text = std::string(kHeader) + "\n" + c.row + "\n";
        const channelcsv::ImportResult r = channelcsv::importCsv(text, img, kBand136To174, c.language);
        ASSERT_EQ(r.problems.size(), 1u) << c.name << ": " << problemsText(r);
        EXPECT_EQ(r.problems[0].line, 2) << c.name;
        EXPECT_NE(r.problems[0].reason.find(c.reason), std::string::npos)
            << c.name << ": " << r.problems[0].reason;
        EXPECT_EQ(r.image, img) << c.name;
        EXPECT_EQ(r.channelCount, 0) << c.name;
    }
}

TEST(ChannelCsv, ReportsEveryBadRowOfAFileInLineOrder) {
    const std::string text = "Location,Frequency,Skip\n"
                             "1,145.0,\n"
                             "2,999.0,\n"
                             "1,146.0,\n"
                             "3,145.0,P\n"
                             "4,146.0,P\n";
    const channelcsv::ImportResult r = channelcsv::importCsv(text, MemoryImage::newDocument(), kBand136To174);
    ASSERT_EQ(r.problems.size(), 3u) << problemsText(r);
    EXPECT_EQ(r.problems[0].line, 3);
    EXPECT_EQ(r.problems[1].line, 4);
    EXPECT_EQ(r.problems[1].reason, "Location 1 is also on line 2");
    EXPECT_EQ(r.problems[2].line, 6);
    EXPECT_EQ(r.problems[2].reason, "Skip P: line 5 already made its channel the priority channel");
    EXPECT_EQ(r.image, MemoryImage::newDocument());
}

TEST(ChannelCsv, RefusesFilesWithoutAUsableHeader) {
    struct Case {
        const char* name;
        const char* text;
        const char* reason;
    } cases[] = {
        {"Empty", "", "the file holds no header line"},
        {"OnlyCommentsAndBlankLines", "# nothing\n\n   \n", "the file holds no header line"},
        {"DataWithoutHeader", "1,,145.000000,,0.000000\n", "this is not a header line"},
        {"NoFrequencyColumn", "Location,Name,Duplex\n1,,\n", "the header has no Frequency column"},
        {"NoLocationColumn", "Name,Frequency\nA,145.0\n", "the header has no Location column"},
        {"QuoteNeverClosed", "Location,Frequency,Name\n1,145.0,\"open\n2,146.0,x\n", "never closed"},
    };
    for (const Case& c : cases) {
        const channelcsv::ImportResult r =
            channelcsv::importCsv(c.text, MemoryImage::newDocument(), kBand136To174);
        ASSERT_EQ(r.problems.size(), 1u) << c.name;
        EXPECT_NE(r.problems[0].reason.find(c.reason), std::string::npos)
            << c.name << ": " << r.problems[0].reason;
    }
}

// Zeros past the fifth decimal change nothing: other tools write six decimals and more.
TEST(ChannelCsv, ZerosPastTheFifthDecimalAreWholeTenHertz) {
    const channelcsv::ImportResult r = channelcsv::importCsv("Location,Frequency,Duplex,Offset\n"
                                                             "1,145.5000000000,+,0.600000\n"
                                                             "2,145.00625000,split,146.01250000\n"
                                                             "3,146.,-,.6\n",
                                                             MemoryImage::newDocument(), kBand136To174);
    ASSERT_TRUE(r.ok()) << problemsText(r);
    EXPECT_EQ(describe(r.image, 1), "ch1 145.50000/146.10000 rx None tx None wide scan lock0 high");
    EXPECT_EQ(describe(r.image, 2), "ch2 145.00625/146.01250 rx None tx None wide scan lock0 high");
    EXPECT_EQ(describe(r.image, 3), "ch3 146.00000/145.40000 rx None tx None wide scan lock0 high");
}

// A band that reaches below 10 MHz gives only what a channel record can hold, for the receive
// frequency and for a transmit frequency that an offset takes there.
TEST(ChannelCsv, FrequenciesBelowTenMegahertzAreOutOfRange) {
    const BandLimits band1To30{100000, 3000000};
    const channelcsv::ImportResult r = channelcsv::importCsv("Location,Frequency,Duplex,Offset\n"
                                                             "1,8.500000,,\n"
                                                             "2,29.000000,-,20.000000\n"
                                                             "3,10.000000,+,20.000000\n",
                                                             MemoryImage::newDocument(), band1To30);
    ASSERT_EQ(r.problems.size(), 2u) << problemsText(r);
    EXPECT_EQ(r.problems[0].line, 2);
    EXPECT_EQ(r.problems[0].reason,
              "Frequency 8.500000: out of range (the band is 10.00000 to 30.00000 MHz)");
    EXPECT_EQ(r.problems[1].line, 3);
    EXPECT_NE(
        r.problems[1].reason.find("transmit frequency 9.00000 (Duplex -, Offset 20.000000): out of range"),
        std::string::npos)
        << r.problems[1].reason;

    const channelcsv::ImportResult good = channelcsv::importCsv("Location,Frequency,Duplex,Offset\n"
                                                                "3,10.000000,+,20.000000\n",
                                                                MemoryImage::newDocument(), band1To30);
    ASSERT_TRUE(good.ok()) << problemsText(good);
    EXPECT_EQ(describe(good.image, 3), "ch3 10.00000/30.00000 rx None tx None wide scan lock0 high");

    const channelcsv::ImportResult whollyBelow = channelcsv::importCsv(
        "Location,Frequency\n1,4.000000\n", MemoryImage::newDocument(), BandLimits{100000, 500000});
    ASSERT_EQ(whollyBelow.problems.size(), 1u) << problemsText(whollyBelow);
    EXPECT_EQ(whollyBelow.problems[0].reason,
              "Frequency 4.000000: out of range (the image holds no frequency of the band)");
}

TEST(ChannelCsv, AHeaderAloneEmptiesEveryChannel) {
    const channelcsv::ImportResult r =
        channelcsv::importCsv(std::string(kHeader) + "\n", variedImage(), kWideBand);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.channelCount, 0);
    for (int ch = 1; ch <= 16; ++ch) {
        EXPECT_FALSE(r.image.isInUse(ch)) << ch;
    }
}

// Export writes the code such a word holds; import refuses it, as typing does (not on the list).
TEST(ChannelCsv, DcsWordsOutsideTheCodeTableExportAsTheirCodeAndAreRefusedOnImport) {
    struct Case {
        const char* name;
        ToneWord tx, rx;
        const char* exported; // the tone columns Tone..CrossMode of the row
    };
    const Case cases[] = {
        {"code 000 both ways", {0x00, 0x28}, {0x00, 0x28}, "DTCS,88.5,88.5,000,NN,023,Tone->Tone"},
        {"005 out, 777 inverted in", {0x05, 0x28}, {0xFF, 0xA9}, "Cross,88.5,88.5,005,NR,777,DTCS->DTCS"},
        {"400 out, known 023 in", {0x00, 0x29}, {0x13, 0x28}, "Cross,88.5,88.5,400,NN,023,DTCS->DTCS"},
        {"377 inverted out, none in", {0xFF, 0xA8}, {0xFF, 0xFF}, "Cross,88.5,88.5,377,RN,023,DTCS->"},
    };
    for (const Case& c : cases) {
        MemoryImage img = MemoryImage::newDocument();
        put(img, 1, {14500000, 14500000, Tone::none(), Tone::none()});
        const size_t record = image::channelOffset(1);
        img.setByte(record + image::record::kTxTone, c.tx.low);
        img.setByte(record + image::record::kTxTone + 1, c.tx.high);
        img.setByte(record + image::record::kRxTone, c.rx.low);
        img.setByte(record + image::record::kRxTone + 1, c.rx.high);

        const std::string csv = channelcsv::exportCsv(img);
        EXPECT_NE(csv.find(c.exported), std::string::npos) << c.name << "\n" << csv;
        const channelcsv::ImportResult r = channelcsv::importCsv(csv, MemoryImage::newDocument(), kWideBand);
        ASSERT_FALSE(r.ok()) << c.name;
        EXPECT_NE(r.problems[0].reason.find("is not a DCS code of the list"), std::string::npos)
            << c.name << ": " << problemsText(r);
    }
}

TEST(ChannelCsv, BytesOutsideTheChannelsSurviveAnImport) {
    MemoryImage img = variedImage();
    img.setByte(0x005, 0x42);
    img.setByte(0x3F5, 0x24);
    img.setByte(image::channelOffset(3) + 14, 0x77);
    const channelcsv::ImportResult r = channelcsv::importCsv(channelcsv::exportCsv(img), img, kWideBand);
    ASSERT_TRUE(r.ok()) << problemsText(r);
    EXPECT_EQ(r.image, img);
}

} // namespace

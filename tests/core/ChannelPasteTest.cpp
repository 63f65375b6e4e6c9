#include "channels/ChannelPaste.h"

#include "channels/ChannelCsv.h"
#include "channels/ChannelRows.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const BandLimits kVhf{13600000, 17400000};
const MemoryImage kNew = MemoryImage::newDocument();

std::string rowTexts(const ChannelTable& table, int row) {
    std::string texts;
    for (int c = 1; c < kGridCols; ++c) {
        texts += table.text(row, c) + "|";
    }
    return texts;
}

TEST(ChannelPaste, ASpreadsheetsRowsFillChannelsThroughTheTypingRules) {
    ChannelTable table(kNew, Language::English);
    const PasteResult result = pasteCells(table, 2, 1,
                                          "145.5\t145.5\t88.5\t88.5\tNarrow\tNo\tCarrier\tLow\r\n"
                                          "146,52\t\tNone\tD023N\n"
                                          "147 MHz\t147.6\n",
                                          kVhf);
    ASSERT_TRUE(result.applied);
    EXPECT_EQ(result.rows, 3);
    EXPECT_EQ(rowTexts(table, 2), "145.50000|145.50000|88.5|88.5|Narrow|No|Carrier|Low|");
    EXPECT_EQ(rowTexts(table, 3), "146.52000|146.52000|None|D023N|Wide|Yes|Off|High|")
        << "an empty transmit cell takes the receive frequency; untouched cells keep the defaults";
    EXPECT_EQ(rowTexts(table, 4), "147.00000|147.60000|None|None|Wide|Yes|Off|High|");
    EXPECT_EQ(rowTexts(table, 1), "||||||||");
}

TEST(ChannelPaste, OneRefusedCellAppliesNothingAndListsEveryRefusal) {
    ChannelTable table(kNew, Language::English);
    const PasteResult result = pasteCells(table, 1, 1,
                                          "145.5\t145.5\n"
                                          "145.5.5\t145.5\n"
                                          "145.5\t145.5\t88.5\t88.5\tMedium\n"
                                          "145.503\n",
                                          kVhf);
    EXPECT_FALSE(result.applied);
    ASSERT_EQ(result.refused.size(), 3u);
    EXPECT_EQ(result.refused[0].row, 2);
    EXPECT_EQ(result.refused[0].col, col::kRxFrequency);
    EXPECT_EQ(result.refused[0].text, "145.5.5");
    EXPECT_EQ(result.refused[0].reason, PasteRefusal::Reason::OutOfRange);
    EXPECT_EQ(result.refused[1].row, 3);
    EXPECT_EQ(result.refused[1].col, col::kBandwidth);
    EXPECT_EQ(result.refused[1].reason, PasteRefusal::Reason::NotInList);
    EXPECT_EQ(result.refused[2].reason, PasteRefusal::Reason::OffStep);
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(rowTexts(table, r), "||||||||") << "nothing of the paste was applied, row " << r;
    }
}

TEST(ChannelPaste, HeadingsAreSkippedAndEitherLanguageIsUnderstood) {
    ChannelTable table(kNew, Language::English);
    std::string headings;
    for (int c = 1; c < kGridCols; ++c) {
        headings +=
            std::string(ChannelTable::heading(c, Language::Chinese)) + (c + 1 < kGridCols ? "\t" : "\n");
    }
    const PasteResult result =
        pasteCells(table, 16, 1, headings + "150\t150\t无\t无\t窄\t否\t载波\t低\n", kVhf);
    ASSERT_TRUE(result.applied);
    EXPECT_EQ(rowTexts(table, 16), "150.00000|150.00000|None|None|Narrow|No|Carrier|Low|");
}

TEST(ChannelPaste, NothingPastsTheLastRowOrColumn) {
    ChannelTable table(kNew, Language::English);
    const PasteResult result = pasteCells(table, 16, 6, "Yes\tCarrier\tHigh\textra\t\n\t\tLow\n", kVhf);
    EXPECT_FALSE(result.applied);
    ASSERT_EQ(result.refused.size(), 2u) << "empty cells beyond the grid are no refusal";
    EXPECT_EQ(result.refused[0].reason, PasteRefusal::Reason::PastTheGrid);
    EXPECT_EQ(result.refused[0].text, "extra");
    EXPECT_EQ(result.refused[1].row, 17);
    EXPECT_EQ(result.refused[1].text, "Low");
    // High alone fits: taking the accepted part is worth offering, whatever falls off the grid.
    EXPECT_TRUE(pasteCells(table, 16, 8, "High\textra\tmore\n", kVhf).someAccepted());
}

TEST(ChannelPaste, CopiedRowsPasteBackAsTheyWere) {
    ChannelTable source(kNew, Language::English);
    ASSERT_TRUE(
        pasteCells(source, 1, 1, "145.5\t146.1\tD754I\t103.5\tNarrow\tNo\tQT/DQT\tLow\n", kVhf).applied);
    ChannelTable target(kNew, Language::Chinese);
    ASSERT_TRUE(pasteCells(target, 5, 1, copyCells(source, CellRange::rows(1, 1)), kVhf).applied);
    EXPECT_EQ(rowTexts(target, 5), "145.50000|146.10000|D754I|103.5|窄|否|QT/DQT|低|");
}

// Three channels: 145.5 (88.5 both ways, Narrow), 146.5 and 147.5 with the defaults.
ChannelTable threeChannels() {
    ChannelTable table(kNew, Language::English);
    pasteCells(table, 1, 1, "145.5\t145.5\t88.5\t88.5\tNarrow\n146.5\n147.5\n", kVhf);
    return table;
}

TEST(ChannelPaste, BlocksOfCellsAreClearedAndFilledAsTypingWould) {
    struct Case {
        const char* name;
        enum { Clear, Fill, Single } op;
        CellRange range;
        std::vector<std::string> rows; // rows 1 to 3 afterwards
    } cases[] = {
        {"clearing Rx deletes the channel",
         Case::Clear,
         {2, 1, 2, 1},
         {"145.50000|145.50000|88.5|88.5|Narrow|Yes|Off|High|", "||||||||",
          "147.50000|147.50000|None|None|Wide|Yes|Off|High|"}},
        {"clearing Tx takes Rx, lists take a new channel's texts",
         Case::Clear,
         {1, 2, 1, 5},
         {"145.50000|145.50000|None|None|Wide|Yes|Off|High|",
          "146.50000|146.50000|None|None|Wide|Yes|Off|High|",
          "147.50000|147.50000|None|None|Wide|Yes|Off|High|"}},
        {"clearing lists of an empty row leaves it empty",
         Case::Clear,
         {3, 3, 5, 8},
         {"145.50000|145.50000|88.5|88.5|Narrow|Yes|Off|High|",
          "146.50000|146.50000|None|None|Wide|Yes|Off|High|",
          "147.50000|147.50000|None|None|Wide|Yes|Off|High|"}},
        {"fill down copies the top row's cells",
         Case::Fill,
         {1, 3, 3, 5},
         {"145.50000|145.50000|88.5|88.5|Narrow|Yes|Off|High|",
          "146.50000|146.50000|88.5|88.5|Narrow|Yes|Off|High|",
          "147.50000|147.50000|88.5|88.5|Narrow|Yes|Off|High|"}},
        {"one row fills from the row above",
         Case::Fill,
         {2, 4, 2, 4},
         {"145.50000|145.50000|88.5|88.5|Narrow|Yes|Off|High|",
          "146.50000|146.50000|None|88.5|Wide|Yes|Off|High|",
          "147.50000|147.50000|None|None|Wide|Yes|Off|High|"}},
        {"fill down of Rx into an empty row makes a channel",
         Case::Fill,
         {3, 1, 4, 1},
         {"145.50000|145.50000|88.5|88.5|Narrow|Yes|Off|High|",
          "146.50000|146.50000|None|None|Wide|Yes|Off|High|",
          "147.50000|147.50000|None|None|Wide|Yes|Off|High|"}},
        {"one cell pasted over a range fills it",
         Case::Single,
         {2, 3, 3, 4},
         {"145.50000|145.50000|88.5|88.5|Narrow|Yes|Off|High|",
          "146.50000|146.50000|D023N|D023N|Wide|Yes|Off|High|",
          "147.50000|147.50000|D023N|D023N|Wide|Yes|Off|High|"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChannelTable table = threeChannels();
        if (c.op == Case::Clear) {
            clearCells(table, c.range, kVhf);
        } else if (c.op == Case::Fill) {
            EXPECT_TRUE(fillDown(table, c.range, kVhf).applied);
        } else {
            EXPECT_TRUE(pasteIntoRange(table, c.range, "D023N\n", kVhf).applied);
        }
        for (int r = 1; r <= 3; ++r) {
            EXPECT_EQ(rowTexts(table, r), c.rows[static_cast<size_t>(r - 1)]) << "row " << r;
        }
    }
    ChannelTable table = threeChannels();
    ChannelTable erased = threeChannels();
    ASSERT_TRUE(clearCells(erased, CellRange::rows(2, 2), kVhf));
    const uint8_t* record = erased.image().data() + image::channelOffset(2);
    EXPECT_TRUE(std::all_of(record, record + image::kRowSize, [](uint8_t b) { return b == 0xFF; }))
        << "a whole row is erased, bytes and all";
    EXPECT_FALSE(clearCells(table, {5, 1, 6, 7}, kVhf)) << "nothing to clear";
    EXPECT_EQ(fillDown(table, {4, 1, 6, 1}, kVhf).rows, 2);
    EXPECT_EQ(rowTexts(table, 6), "||||||||") << "an empty top row fills empty rows";
    EXPECT_FALSE(fillDown(table, {1, 1, 1, 8}, kVhf).applied) << "row 1 has no row above";
    EXPECT_TRUE(pasteIntoRange(table, {2, 1, 2, 1}, "\n", kVhf).applied);
    EXPECT_EQ(rowTexts(table, 2), "||||||||") << "an empty cell pasted clears as typing would";
}

// Channel 1 has only a receive frequency (and a receive tone), channel 2 only a transmit one.
TEST(ChannelPaste, WhatAPasteShowsIsWhatASaveKeeps) {
    MemoryImage image = MemoryImage::newDocument();
    image.setRxFrequency(1, 14550000);
    image.setRxTone(1, Tone::ctcss(885));
    image.setWide(1, false); // a record's bits that a completed channel does not keep
    image.setTxFrequency(2, 14610000);
    const ChannelTable decoded(image, Language::English);
    const std::string rx = "145.50000||88.5||||||", tx = "|146.10000|||||||", none = "||||||||";
    using Reason = PasteRefusal::Reason;
    struct Case {
        const char* name;
        CellRange range;
        std::string text;
        std::vector<Reason> refused;
        std::string rows; // rows 1 to 3
    } cases[] = {
        {"half rows in place",
         CellRange::rows(1, 2),
         copyCells(decoded, CellRange::rows(1, 2)),
         {},
         rx + tx + none},
        {"an attribute of a half channel", {1, 5, 1, 5}, "Narrow\n", {Reason::NotInUse}, rx + tx + none},
        {"Tx completes a channel",
         {1, 2, 1, 2},
         "145.6",
         {},
         "145.50000|145.60000|88.5|None|Wide|Yes|Off|High|" + tx + none},
        {"a block with an empty lower row",
         {2, 1, 4, 1},
         "146.1\n\n",
         {},
         rx + "146.10000|146.10000|None|None|Wide|Yes|Off|High|" + none},
        {"a tone its word cannot hold", {1, 4, 1, 4}, "1030.0", {Reason::NotInList}, rx + tx + none},
    };
    for (const Case& c : cases) {
        ChannelTable table = decoded;
        std::vector<Reason> refused;
        for (const PasteRefusal& refusal : pasteIntoRange(table, c.range, c.text, kVhf).refused) {
            refused.push_back(refusal.reason);
        }
        const ChannelTable reopened(table.image(), Language::English);
        EXPECT_EQ(refused, c.refused) << c.name;
        EXPECT_EQ(rowTexts(table, 1) + rowTexts(table, 2) + rowTexts(table, 3), c.rows) << c.name;
        EXPECT_EQ(rowTexts(reopened, 1) + rowTexts(reopened, 2) + rowTexts(reopened, 3), c.rows) << c.name;
    }
}

TEST(ChannelPaste, TheAcceptedPartIsTakenOnlyWhenAsked) {
    ChannelTable table = threeChannels();
    const std::string text = "150\n150.0031\n151\n";
    const ChannelTable before = table;
    PasteResult result = pasteCells(table, 4, 1, text, kVhf);
    EXPECT_FALSE(result.applied);
    EXPECT_EQ(rowTexts(table, 4), rowTexts(before, 4));
    result = pasteCells(table, 4, 1, text, kVhf, PasteMode::AcceptedPart);
    EXPECT_TRUE(result.applied);
    ASSERT_EQ(result.refused.size(), 1u);
    EXPECT_EQ(result.refused[0].row, 5);
    EXPECT_EQ(table.text(4, 1), "150.00000");
    EXPECT_EQ(table.text(5, 1), "");
    EXPECT_EQ(table.text(6, 1), "151.00000");
}

TEST(ChannelPaste, CopiedRangesAreTheirCellsOnly) {
    const ChannelTable table = threeChannels();
    EXPECT_EQ(copyCells(table, {1, 3, 2, 5}), "88.5\t88.5\tNarrow\nNone\tNone\tWide\n");
    EXPECT_EQ(copyCells(table, {3, 8, 3, 8}), "High\n");
    EXPECT_EQ(copyCells(table, {16, 1, 20, 2}), "\t\n") << "clipped to the grid";
}

TEST(ChannelPaste, ChannelListsAreRecognisedByTheirHeader) {
    struct Case {
        const char* text;
        bool list;
    } cases[] = {
        {"Location,Name,Frequency,Duplex\n1,,145.5,\n", true},
        {"\xEF\xBB\xBF\"location\",\"FREQUENCY\"\r\n", true},
        {"Location\tFrequency\n", false},
        {"145.5\t145.5\n", false},
        {"Frequency,Offset\n", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isChannelList(c.text), c.list) << c.text;
    }
}

TEST(ChannelPaste, AChannelListLandsFromTheGivenChannelAndLeavesTheRestAlone) {
    MemoryImage source = MemoryImage::newDocument();
    ChannelTable table(kNew, Language::English);
    pasteCells(table, 3, 1, "145.5\t146.1\tD754I\t103.5\tNarrow\tNo\tQT/DQT\tLow\n\n147.5\n", kVhf);
    source = table.image();
    source.setByte(image::offset::kPriority, 3);
    const std::string list = channelcsv::exportCsv(source, 3, 5);

    MemoryImage target = MemoryImage::newDocument();
    target.setByte(image::offset::kPriority, 1);
    MemoryImage expected = target;
    copyChannel(source, 3, expected, 10);
    copyChannel(source, 5, expected, 12);
    const ListPasteResult result = pasteChannelList(target, 10, list, kVhf);
    EXPECT_TRUE(result.problems.empty());
    EXPECT_EQ(result.channels, 2);
    EXPECT_EQ(target, expected) << "channel 11 and the priority channel stay as they were";

    MemoryImage full = MemoryImage::newDocument();
    const MemoryImage untouched = full;
    const ListPasteResult past = pasteChannelList(full, 15, list, kVhf);
    ASSERT_EQ(past.problems.size(), 1u);
    EXPECT_EQ(past.problems[0].line, 3);
    EXPECT_EQ(full, untouched);

    const ListPasteResult bad = pasteChannelList(full, 1, "Location,Frequency\n1,145.500009\n", kVhf);
    ASSERT_EQ(bad.problems.size(), 1u);
    EXPECT_EQ(bad.problems[0].line, 2);
    EXPECT_EQ(full, untouched);
}

} // namespace

// Typing, paste, fill down, CSV import and radioprog's parse take a tone text only when it is on
// the tone list; none of them lets 67.1 or D024N reach the image.
TEST(ChannelPaste, EveryPathAcceptsExactlyTheTonesOfTheList) {
    const struct {
        const char* text;
        const char* csv; // Tone,cToneFreq,DtcsCode of the same tone in a channel list
        bool accepted;
    } cases[] = {
        {"67.1", "TSQL,67.1,023", false}, {"300.0", "TSQL,300.0,023", false},
        {"66.9", "TSQL,66.9,023", false}, {"D024N", "DTCS,88.5,024", false},
        {"D023N", "DTCS,88.5,023", true}, {"88.5", "TSQL,88.5,023", true},
        {"None", ",88.5,023", true},
    };
    const ChannelFieldInfo& rxTone = *channelFieldAt(col::kRxTone);
    for (const auto& c : cases) {
        ChannelTable table(kNew, Language::English);
        pasteCells(table, 1, 1, "145.5\n146.5\n", kVhf);
        ChannelTable typed = table;
        EXPECT_EQ(typed.commitList(1, col::kRxTone, c.text, true).accepted, c.accepted) << c.text;
        ChannelTable pasted = table;
        EXPECT_EQ(pasteCells(pasted, 1, col::kRxTone, std::string(c.text) + "\n", kVhf).applied, c.accepted)
            << c.text;
        MemoryImage withTone = table.image();
        withTone.setRxTone(1, parseToneText(c.text)); // as a radio may hold it
        ChannelTable filled(withTone, Language::English);
        EXPECT_EQ(fillDown(filled, {1, col::kRxTone, 2, col::kRxTone}, kVhf).applied, c.accepted) << c.text;
        const std::string csv =
            std::string("Location,Frequency,Tone,cToneFreq,DtcsCode\n1,145.5,") + c.csv + "\n";
        EXPECT_EQ(channelcsv::importCsv(csv, MemoryImage::newDocument(), kVhf).ok(), c.accepted) << c.text;
        EXPECT_EQ(fieldItemFromWord(rxTone, c.text).has_value(), c.accepted) << c.text;
    }
}

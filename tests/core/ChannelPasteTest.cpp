#include "channels/ChannelPaste.h"

#include <gtest/gtest.h>

namespace {

const BandLimits kVhf{13600000, 17400000};

std::string rowTexts(const ChannelTable& table, int row) {
    std::string texts;
    for (int c = 1; c < kGridCols; ++c) {
        texts += table.text(row, c) + "|";
    }
    return texts;
}

TEST(ChannelPaste, ASpreadsheetsRowsFillChannelsThroughTheTypingRules) {
    ChannelTable table(false);
    const PasteResult result = pasteCells(table, 2, 1,
                                          "145.5\t145.5\t88.5\t88.5\tNarrow\tNo\tCarrier\tLow\r\n"
                                          "146,52\t\tNone\tD023N\n"
                                          "147 MHz\t147.6\n",
                                          kVhf);
    ASSERT_TRUE(result.applied());
    EXPECT_EQ(result.rows, 3);
    EXPECT_EQ(rowTexts(table, 2), "145.50000|145.50000|88.5|88.5|Narrow|No|Carrier|Low|");
    EXPECT_EQ(rowTexts(table, 3), "146.52000|146.52000|None|D023N|Wide|Yes|Off|High|")
        << "an empty transmit cell takes the receive frequency; untouched cells keep the defaults";
    EXPECT_EQ(rowTexts(table, 4), "147.00000|147.60000|None|None|Wide|Yes|Off|High|");
    EXPECT_EQ(rowTexts(table, 1), "||||||||");
}

TEST(ChannelPaste, OneRefusedCellAppliesNothingAndListsEveryRefusal) {
    ChannelTable table(false);
    const PasteResult result = pasteCells(table, 1, 1,
                                          "145.5\t145.5\n"
                                          "145.5.5\t145.5\n"
                                          "145.5\t145.5\t88.5\t88.5\tMedium\n"
                                          "145.503\n",
                                          kVhf);
    EXPECT_FALSE(result.applied());
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
    ChannelTable table(false);
    std::string headings;
    for (int c = 1; c < kGridCols; ++c) {
        headings += std::string(ChannelTable::heading(c, true)) + (c + 1 < kGridCols ? "\t" : "\n");
    }
    const PasteResult result =
        pasteCells(table, 16, 1, headings + "150\t150\t无\t无\t窄\t否\t载波\t低\n", kVhf);
    ASSERT_TRUE(result.applied());
    EXPECT_EQ(rowTexts(table, 16), "150.00000|150.00000|None|None|Narrow|No|Carrier|Low|");
}

TEST(ChannelPaste, NothingPastsTheLastRowOrColumn) {
    ChannelTable table(false);
    const PasteResult result = pasteCells(table, 16, 6, "Yes\tCarrier\tHigh\textra\t\n\t\tLow\n", kVhf);
    EXPECT_FALSE(result.applied());
    ASSERT_EQ(result.refused.size(), 2u) << "empty cells beyond the grid are no refusal";
    EXPECT_EQ(result.refused[0].reason, PasteRefusal::Reason::PastTheGrid);
    EXPECT_EQ(result.refused[0].text, "extra");
    EXPECT_EQ(result.refused[1].row, 17);
    EXPECT_EQ(result.refused[1].text, "Low");
}

TEST(ChannelPaste, CopiedRowsPasteBackAsTheyWere) {
    ChannelTable source(false);
    ASSERT_TRUE(
        pasteCells(source, 1, 1, "145.5\t146.1\tD754I\t100.5\tNarrow\tNo\tQT/DQT\tLow\n", kVhf).applied());
    ChannelTable target(true);
    ASSERT_TRUE(pasteCells(target, 5, 1, copyCells(source, 1, 1), kVhf).applied());
    EXPECT_EQ(rowTexts(target, 5), "145.50000|146.10000|D754I|100.5|窄|否|QT/DQT|低|");
}

} // namespace

#include "plans/ChannelPlans.h"
#include "channels/ChannelCodec.h"
#include "channels/Formats.h"
#include "settings/IniFile.h"
#include "settings/ProgramIni.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::string kResDir = RADIO_RES_DIR;

const ChannelPlan& planNamed(const PlanLoad& load, const std::string& name) {
    const auto found = std::find_if(load.plans.begin(), load.plans.end(),
                                    [&](const ChannelPlan& p) { return p.name == name; });
    EXPECT_NE(found, load.plans.end()) << name;
    return *found;
}

TEST(ChannelPlans, BuiltInPlansLoadWithTheirDescriptions) {
    const PlanLoad load = channelplans::loadFolder(kResDir + "/plans", true, Language::English);
    ASSERT_TRUE(load.problems.empty()) << load.problems.front().path << ": " << load.problems.front().reason;
    const struct {
        const char* name;
        size_t rows;
        bool licence;
    } expected[] = {{"FRS", 22, false}, {"GMRS", 30, true}, {"MURS", 5, false}, {"PMR446", 16, false}};
    ASSERT_EQ(load.plans.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const ChannelPlan& plan = load.plans[i];
        EXPECT_EQ(plan.name, expected[i].name);
        EXPECT_EQ(plan.channels.size(), expected[i].rows) << plan.name;
        EXPECT_EQ(plan.licenceNeeded, expected[i].licence) << plan.name;
        EXPECT_FALSE(plan.source.empty()) << plan.name;
    }
}

// Every plan against every band of every type the shipped Program.ini lists.
TEST(ChannelPlans, AppliesOnlyToBandsHoldingEveryFrequency) {
    const PlanLoad load = channelplans::loadFolder(kResDir + "/plans", true, Language::English);
    IniFile file;
    ASSERT_TRUE(file.load(kResDir + "/Program.ini", false, true));
    const ProgramIni ini(file);
    const struct {
        const char* band;
        const char* applicable; // the plans that fit, in load order's initials
    } expected[] = {
        {"136 - 174MHz", "M"}, {"400 - 470MHz", "FGP"}, {"450 - 520MHz", "FG"}, {"144 - 148MHz", ""}};
    int checked = 0;
    for (unsigned type = 0; !ini.typeName(type).empty(); ++type) {
        const std::string bands = ini.bandList(type);
        for (unsigned b = 0; b == 0 || bandTextFromList(bands, b) != bandTextFromList(bands, b - 1); ++b) {
            const std::string bandText = bandTextFromList(bands, b);
            const auto row = std::find_if(std::begin(expected), std::end(expected),
                                          [&](const auto& e) { return bandText == e.band; });
            ASSERT_NE(row, std::end(expected)) << bandText;
            const BandLimits band = bandLimitsFromText(bandText);
            for (const ChannelPlan& plan : load.plans) {
                const channelplans::Applicability a =
                    channelplans::applicability(plan, band, Language::English);
                const bool fits = std::string(row->applicable).find(plan.name[0]) != std::string::npos;
                EXPECT_EQ(a.applicable, fits) << plan.name << " on " << bandText;
                EXPECT_EQ(a.reason.find(formatFrequency(static_cast<uint32_t>(band.min10Hz))) !=
                              std::string::npos,
                          !fits)
                    << a.reason;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 6 * 4);
}

TEST(ChannelPlans, Pmr446ReplacesAllSixteenWithNarrowChannels) {
    const PlanLoad load = channelplans::loadFolder(kResDir + "/plans", true, Language::English);
    const MemoryImage before = MemoryImage::newDocument();
    const channelplans::ApplyResult result = channelplans::apply(
        planNamed(load, "PMR446"), before, {40000000, 47000000}, {1, 0, 1, true}, Language::English);
    EXPECT_TRUE(result.refused.empty());
    EXPECT_EQ(result.channels.size(), 16u);
    for (int n = 1; n <= 16; ++n) {
        const Channel c = ChannelCodec::decode(result.image, n);
        EXPECT_EQ(c.rx10Hz, 44600625u + 1250u * static_cast<uint32_t>(n - 1)) << n;
        EXPECT_EQ(c.tx10Hz, c.rx10Hz) << n;
        EXPECT_FALSE(c.wide) << n;
        EXPECT_FALSE(c.highPower) << n;
    }
    EXPECT_TRUE(std::equal(before.data(), before.data() + image::kSize, MemoryImage::newDocument().data()));
}

TEST(ChannelPlans, RowsPastChannelSixteenOrOutsideTheBandAreRefused) {
    const PlanLoad load = channelplans::loadFolder(kResDir + "/plans", true, Language::English);
    const struct {
        const char* plan;
        channelplans::ApplyRequest request;
        BandLimits band;
        size_t filled;
        size_t refused;
        uint32_t rx1, tx1; // channel `from` afterwards
    } cases[] = {
        {"GMRS", {23, 30, 1, false}, {40000000, 47000000}, 8, 0, 46255000, 46755000},
        {"FRS", {1, 22, 1, false}, {40000000, 47000000}, 16, 1, 46256250, 46256250}, // rows 17-22 as one
        {"PMR446", {1, 0, 1, false}, {13600000, 17400000}, 0, 16, 0, 0},
        {"MURS", {2, 9, 1, false}, {13600000, 17400000}, 0, 1, 0, 0},
    };
    const MemoryImage blank;
    for (const auto& c : cases) {
        const channelplans::ApplyResult result =
            channelplans::apply(planNamed(load, c.plan), blank, c.band, c.request, Language::English);
        EXPECT_EQ(result.channels.size(), c.filled) << c.plan;
        EXPECT_EQ(result.refused.size(), c.refused) << c.plan;
        const Channel first = ChannelCodec::decode(result.image, c.request.fromChannel);
        EXPECT_EQ(first.rx10Hz.value_or(0), c.rx1) << c.plan;
        EXPECT_EQ(first.tx10Hz.value_or(0), c.tx1) << c.plan;
    }
}

TEST(ChannelPlans, UserListWithoutDescriptionIsAPlainList) {
    std::string problem;
    const auto plan = channelplans::parsePlan("Club", "Location,Name,Frequency,Mode\n1,CALL,145.500000,FM\n",
                                              "", Language::English, &problem);
    ASSERT_TRUE(plan) << problem;
    EXPECT_FALSE(plan->hasDescription);
    EXPECT_FALSE(plan->licenceNeeded);
    EXPECT_EQ(plan->channels.at(0).name, "CALL");
    EXPECT_FALSE(
        channelplans::parsePlan("Bad", "Location,Frequency\n1,abc\n", "", Language::English, &problem));
    EXPECT_NE(problem.find("row 1"), std::string::npos) << problem;
}

} // namespace

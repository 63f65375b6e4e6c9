// radioprog's channel plans and channel check, run against the built-in plans beside the program
// and a user's plans under XDG_DATA_HOME.

#include "CliTestSupport.h"
#include "MiniJson.h"

#include <gtest/gtest.h>

namespace clitest {
namespace {

minijson::Value parseJson(const std::string& text) {
    minijson::Reader reader(text);
    const std::optional<minijson::Value> v = reader.parse();
    EXPECT_TRUE(v.has_value()) << reader.error() << "\n" << text;
    return v.value_or(minijson::Value{});
}

using CliPlan = CliTest;

TEST_F(CliPlan, AppliedPmr446IsSixteenNarrowChannelsAndCheckNamesOneMadeWide) {
    ASSERT_EQ(run({"new", "x.dat", "--type", "0", "--band", "1"}).exitStatus, 0); // 400 - 470MHz
    const RunResult applied = run({"plan", "apply", "x.dat", "pmr446", "--replace-all"});
    ASSERT_EQ(applied.exitStatus, 0) << applied.err;
    EXPECT_CONTAINS(applied.out, "channels 1-16 filled with PMR446 rows 1-16");

    const minijson::Value shown = parseJson(run({"show", "x.dat", "--json"}).out);
    ASSERT_EQ(shown["channels"].items.size(), 16u);
    for (size_t i = 0; i < 16; ++i) {
        const minijson::Value& ch = shown["channels"][i];
        EXPECT_EQ(ch["rx_10hz"].number, 44600625 + 1250 * static_cast<int64_t>(i)) << i;
        EXPECT_EQ(ch["tx_10hz"].number, ch["rx_10hz"].number) << i;
        EXPECT_FALSE(ch["wide"].boolean) << i;
    }

    // The image as applied, then with channel 7 made wide.
    const RunResult clean = run({"check", "x.dat"});
    EXPECT_EQ(clean.exitStatus, 0) << clean.err;
    EXPECT_EQ(clean.out, "no findings\n");
    ASSERT_EQ(run({"channel", "x.dat", "7", "width=wide"}).exitStatus, 0);
    const RunResult found = run({"check", "x.dat"});
    EXPECT_EQ(found.exitStatus, 1);
    EXPECT_CONTAINS(found.out, "CH 7, W/N: 446.08125 MHz is a PMR446 frequency");
    const minijson::Value findings = parseJson(run({"check", "x.dat", "--json"}).out);
    ASSERT_EQ(findings.items.size(), 1u);
    EXPECT_EQ(findings[0]["kind"].text, "too_wide");
    EXPECT_EQ(findings[0]["channel"].number, 7);
    EXPECT_EQ(findings[0]["field"].text, "width");
    EXPECT_EQ(findings[0]["service"].text, "PMR446");
}

TEST_F(CliPlan, AUsersPlanIsListedAndAnUnreadableOneNamed) {
    const std::string plans = "data/" + std::string(kTestAppName) + "/plans/";
    writeFile(plans + "Club.csv", "Location,Name,Frequency\n1,Club 1,145.500\n2,Club 2,145.525\n");
    writeFile(plans + "broken.csv", "Location,Frequency\n1,abc\n");
    const RunResult r = run({"plan", "list"});
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_CONTAINS(r.out, "\nPMR446  EU      PMR446   16        no       built-in\n");
    EXPECT_CONTAINS(r.out, "\nClub    -       Club     2         unknown  user\n");
    EXPECT_CONTAINS(r.err, "broken.csv is left out: row 1:");

    // In Chinese, with the labels lined up by the width they take on a terminal.
    EXPECT_CONTAINS(run({"plan", "list", "--lang", "Chinese"}).out,
                    "\nClub    -     Club    2       未知      用户\n");
    const RunResult shown = run({"plan", "show", "pmr446", "--lang", "Chinese"});
    EXPECT_CONTAINS(shown.out, "名称：      PMR446\n");
    EXPECT_CONTAINS(shown.out, "未经核实：  ");
    EXPECT_CONTAINS(shown.out, " 窄  ");
}

} // namespace
} // namespace clitest

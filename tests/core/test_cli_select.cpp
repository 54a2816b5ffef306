// quorlin-cli select: the recommendation lines of the four selection windows, their back-test
// tables, the window defaults and the refusals.
#include "cli_commands.h"
#include "cli_fixture.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quorlin;

namespace {

struct CliSelectFixture : test::CliFixture<> {
    CliSelectFixture()
    {
        prefix = {"select", kShippedLottery};
        // All drawn on Wednesday 2020-01-01, a 癸卯 day.
        test::insertDraws(
            program.databasePath(), kShippedLottery,
            {{2020001, 1, 2, 3, 4, 5, 1, 2}, {2020002, 3, 9, 17, 25, 33, 4, 11}, {2020003, 3, 9, 20, 30, 35, 1, 12}});
    }
};

using Lines = std::vector<std::string>;

} // namespace

TEST_F(CliSelectFixture, RecommendationLinesForTheComingDraw)
{
    // Reference 3 9 20 30 35: 3 came out in draws 1 and 0, followed by draws 2 and 1; 9 in draw 1.
    // Counts 3 and 9: 3, 20 30 35: 2, 17 25 33: 1.
    EXPECT_EQ(runLines({"intimacy", "--take", "5"}), (Lines{"2020004期前区推荐投注号码：3 9 20 30 35 "}));
    EXPECT_EQ(runLines({"intimacy", "--take", "1", "--limit", "1"}), (Lines{"2020004期前区推荐投注号码：1 "}));
    // Back zone: each position by default, two places each; reference 1 12, 1 came out in draw 0
    // followed by 4 11.
    EXPECT_EQ(runLines({"intimacy", "--back"}), (Lines{"2020004期后区推荐投注号码：1 2 4 11 "}));
    // Q = 1: the last draw's numbers in number order.
    EXPECT_EQ(runLines({"interval", "--interval", "1", "--take", "3"}),
              (Lines{"2020004期前区推荐投注号码：03 09 20 "}));
    // The coming draw after a Wednesday falls on Saturday 2020-01-04, a 丙午 day: digits 0 2 4 5 7 9.
    EXPECT_EQ(runLines({"stembranch"}),
              (Lines{"2020004期推荐投注号码：2 4 5 7 9 10 12 14 15 17 19 20 22 24 25 27 29 30 32 34 35 "}));
    EXPECT_EQ(runLines({"stembranch", "--additional", "--back"}), (Lines{"2020004期推荐投注号码：2 4 7 9 12 "}));
    // Target 1 is the second draw, 2020002, on 癸卯: 1 3 6 8 and their tens.
    EXPECT_EQ(runLines({"stembranch", "--target", "1"}),
              (Lines{"2020002期推荐投注号码：1 3 6 8 11 13 16 18 21 23 26 28 31 33 "}));
    EXPECT_EQ(runLines({"interval", "--target", "1", "--take", "2"}), (Lines{"2020002期前区推荐投注号码：06 07 "}));
}

TEST_F(CliSelectFixture, BacktestTablesKeepTheGridsCells)
{
    const Lines intimacy = runLines({"intimacy", "--backtest"});
    ASSERT_EQ(intimacy.size(), 5u);
    EXPECT_EQ(intimacy[0], "记录期号\t开奖号码\t投注号码\t中奖个数");
    EXPECT_EQ(intimacy[1], "2020001\t01 02 03 04 05 \t\t");
    // Target 1: nothing counted, so the first 17 numbers; draw 2020002 holds 03 09 17 of them.
    EXPECT_EQ(intimacy[2], "2020002\t03 09 17 25 33 \t1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 \t3");
    // Target 2: 03 09 17 25 33 (followers of 3 in draw 0) count 1; the exchange sort fills the
    // places after them with 6 7 8 2 10 … 16 1, so 4 and 5 fall out.
    EXPECT_EQ(intimacy[3], "2020003\t03 09 20 30 35 \t1 2 3 6 7 8 9 10 11 12 13 14 15 16 17 25 33 \t2");
    EXPECT_EQ(intimacy[4], "最大中奖号码数为3个，最小中奖号码数为2个");

    const Lines interval = runLines({"interval", "--backtest", "--back"});
    ASSERT_EQ(interval.size(), 5u);
    EXPECT_EQ(interval[1], "2020001\t01 02 \t\t0");
    EXPECT_EQ(interval[4].substr(interval[4].size() - std::string("最小中奖号码数为0个").size()),
              "最小中奖号码数为0个");

    const Lines stems = runLines({"stembranch", "--backtest"});
    ASSERT_EQ(stems.size(), 5u);
    EXPECT_EQ(stems[1], "2020001\t1 2 3 4 5 \t1 3 6 8 11 13 16 18 21 23 26 28 31 33 \t2");
    EXPECT_EQ(stems[4], "最大中奖号码数为2个，最小中奖号码数为1个");

    // Three draws are too few for the four steps: nothing is back-tested.
    EXPECT_EQ(runLines({"fourstep", "--backtest"}),
              (Lines{"记录期号\t开奖号码\t投注号码\t中奖个数", "最大中奖个数：0 最小中奖个数：1000"}));
}

TEST_F(CliSelectFixture, Refusals)
{
    EXPECT_EQ(run({"intimacy", "--target", "0"}), 1);
    EXPECT_EQ(err.str(), "第一期之前没有开奖号码可以统计，请选择以后的投注期！\n");
    EXPECT_EQ(run({"interval", "--target", "0"}), 1);
    // L1 defaults to the 3 draws there are; step 4 (L4 = 10) needs 11 draws before the target.
    EXPECT_EQ(run({"fourstep"}), 1);
    EXPECT_NE(err.str().find("至少要有11期"), std::string::npos);
    EXPECT_EQ(run({"fourstep", "--steps", "1,1,1,1", "--target", "2"}), 1);
    EXPECT_NE(err.str().find("至少要有3期"), std::string::npos);
    struct Case {
        const char* name;
        std::vector<std::string> args;
    };
    for (const Case& c :
         {Case{"front zone only", {"fourstep", "--back"}}, Case{"flag of another method", {"interval", "--limit", "3"}},
          Case{"back zone has no overall mode", {"intimacy", "--back", "--mode", "overall"}},
          Case{"take beyond the zone", {"intimacy", "--back", "--take", "13"}},
          Case{"target beyond the coming draw", {"stembranch", "--target", "4"}},
          Case{"interval beyond 20", {"interval", "--interval", "21"}},
          Case{"three steps", {"fourstep", "--steps", "3,1,10"}}, Case{"unknown method", {"lucky"}}})
        EXPECT_EQ(run(c.args), 2) << c.name;
}

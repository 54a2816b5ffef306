// quorlin-cli plan and invest: the stake-plan tables and the investment-mode replay and search.
#include "cli_commands.h"
#include "cli_fixture.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace quorlin;

namespace {

using CliInvestFixture = test::CliFixture<>;

} // namespace

TEST_F(CliInvestFixture, PlanPrintsTheTableAndTheAverage)
{
    ASSERT_EQ(run({"plan", "fixed"}), 0) << err.str();
    auto table = outLines();
    ASSERT_EQ(table.size(), 82u);
    EXPECT_EQ(table[0], "投注期号\t投注倍数\t当期投注\t当期总投入\t当期中奖\t当期净利润\t当期利润率(%)");
    EXPECT_EQ(table[62], "62\t2\t32\t1008\t2000\t992\t98");
    EXPECT_EQ(table[81], "平均每期净利润为:551");

    ASSERT_EQ(run({"plan", "staged", "--draws", "85", "--stages", "10", "--prize", "500"}), 0) << err.str();
    EXPECT_EQ(outLines().size(), 87u);

    ASSERT_EQ(run({"plan", "variable", "--loss", "100", "--bets", "8 10"}), 0) << err.str();
    EXPECT_EQ(outLines(),
              (std::vector<std::string>{
                  "投注期号\t投注倍数\t当期注数\t当期投注\t当期总投入\t当期中奖\t当期净利润\t当期利润率(%)",
                  "1\t1\t8\t16\t116\t1000\t884\t762", "2\t1\t10\t20\t136\t1000\t864\t635", "平均每期净利润为:874"}));
}

TEST_F(CliInvestFixture, PlanRefusalsSayWhy)
{
    EXPECT_EQ(run({"plan", "fixed", "--prize", "16"}), 1);
    EXPECT_EQ(err.str(), "所需倍数太大，无法投注！\n");
    EXPECT_EQ(run({"plan", "variable", "--draws", "1", "--bets", "8 8"}), 1);
    EXPECT_EQ(err.str(), "投资期限已满1天!\n");
    EXPECT_EQ(run({"plan", "weekly"}), 2);
    EXPECT_EQ(run({"plan", "fixed", "--profit", "ten"}), 2);
}

TEST_F(CliInvestFixture, InvestReplaysTheCodesOverTheHistory)
{
    // Draws 2, 3 and 5 open with 1 2 3: hits of the group code 12399.
    test::insertDraws(program.databasePath(), kShippedLottery,
                      {{2020001, 4, 5, 6, 20, 30, 1, 2},
                       {2020002, 1, 2, 3, 20, 30, 1, 2},
                       {2020003, 1, 2, 3, 21, 31, 1, 2},
                       {2020004, 7, 8, 9, 22, 32, 1, 2},
                       {2020005, 1, 2, 3, 23, 33, 1, 2},
                       {2020006, 4, 8, 9, 24, 34, 1, 2}});
    const std::string codes = write("号码.txt", "1\r\n1\r\n12399\r\n");
    // One bet: the win at draw 3 nets 998; the loss at draw 6 is carried and left out.
    ASSERT_EQ(run({"invest", kShippedLottery, "--codes", codes}), 0) << err.str();
    EXPECT_EQ(outLines(), (std::vector<std::string>{
                              "投注时间\t投注倍数\t当期投注\t当期总投入\t当期中奖\t当期净利润\t当期利润率(%)",
                              "1\t1\t2\t2\t1000\t998\t49900", "1\t1\t2\t2\t1000\t-2\t49900", "总体赢余：998"}));

    const std::string settings =
        write("设置.txt", "1\r\n0\r\n0\r\n0\r\n0\r\n1000000\r\n1000000\r\n1\r\n1000\r\n10\r\n0\r\n1\r\n1\r\n");
    ASSERT_EQ(run({"invest", kShippedLottery, "--codes", codes, "--settings", settings}), 0) << err.str();
    EXPECT_EQ(outLines().back(), "总体赢余：996") << "without 预计亏损 the loss counts";

    ASSERT_EQ(run({"invest", kShippedLottery, "--codes", codes, "--search"}), 0) << err.str();
    const auto best = outLines();
    ASSERT_EQ(best.size(), 2u);
    EXPECT_EQ(best[0], "观察间隔连续次数：1\t中出后间隔期数：0\t连续投入期数：1");
    EXPECT_EQ(best[1], "总体赢余：998");

    EXPECT_EQ(run({"invest", kShippedLottery}), 2);
    EXPECT_EQ(run({"invest", kShippedLottery, "--codes", write("坏.txt", "9\r\n")}), 1);
    EXPECT_NE(err.str().find("第1行"), std::string::npos) << err.str();
}

// quorlin-cli summary, zones and omission: the views' texts, one TAB between fields.
#include "cli_commands.h"
#include "cli_fixture.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quorlin;

namespace {

struct CliAnalysisFixture : test::CliFixture<> {
    CliAnalysisFixture()
    {
        test::insertDraws(
            program.databasePath(), kShippedLottery,
            {{2020001, 1, 2, 3, 4, 5, 1, 2}, {2020002, 3, 9, 17, 25, 33, 4, 11}, {2020003, 3, 9, 20, 30, 35, 1, 12}});
    }
};

} // namespace

TEST_F(CliAnalysisFixture, SummaryZonesAndOmission)
{
    // Sums 15, 87, 97: mean 66.3; the last two total 184 against 132.7.
    EXPECT_EQ(runLines({"summary", kShippedLottery, "sum", "2"}),
              (std::vector<std::string>{"理论最大和值：165.0", "理论最小和值：15.0", "理论平均和值：66.3",
                                        "最近2期和值总和：184.0", "最近2期理论和值总和：132.7"}));
    EXPECT_EQ(runLines({"summary", kShippedLottery, "repeat", "all"}).size(), 6u);

    const auto zones = runLines({"zones", kShippedLottery, "2"});
    ASSERT_EQ(zones.size(), 4u);
    EXPECT_EQ(zones[0], "记录期号\t开奖号码\t01-18号码总数\t19-35号码总数");
    EXPECT_EQ(zones[2], "2020002\t03 09 17 25 33 \t3\t2");

    const auto omission = runLines({"omission", kShippedLottery, "--back", "--rule", "current"});
    ASSERT_EQ(omission.size(), 13u);
    EXPECT_EQ(omission[0],
              "待选号码\t理论周期\t理论中奖总次数\t实际总奖总次数\t历史最大遗漏\t目前遗漏\t目前冷态倍数\t追号价值");
    // Back number 04: drawn once, one draw ago, in 3 draws: chase (1×100×4×3) div (144×1) = 8.
    EXPECT_EQ(omission[4], "04\t6.0\t0.5\t1\t1\t1\t0.2\t8%");
}

TEST_F(CliAnalysisFixture, WrongWordsAreRefused)
{
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"summary", kShippedLottery, "median", "3"},
                                               {"summary", kShippedLottery, "sum", "0"},
                                               {"zones", kShippedLottery, "8"},
                                               {"omission", kShippedLottery, "--sort", "size"}}) {
        SCOPED_TRACE(args[2]);
        out.str({});
        err.str({});
        EXPECT_EQ(cli::run(args, program.path().string(), out, err), 2);
        EXPECT_TRUE(out.str().empty());
    }
}

// quorlin-cli prizes-import and prizes-export over a program folder of their own.
#include "cli_fixture.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace quorlin;

namespace {

using CliPrizes = test::CliFixture<>;

const std::string kPrizes = "issue,date,level,winners,amount_per_bet\n"
                            "2007001,2007-05-30,一等奖,2,5000000\n"
                            "2007001,2007-05-30,三等奖派奖,99,\n"
                            "2007002,2007-06-02,一等奖,0,0\n"
                            "2007002,2007-06-02,七等奖派奖,5,7.5\n";
const std::string kPoolSales = "issue,date,sales,pool_after\n"
                               "2007001,2007-05-30,17086781,802145380.54\n"
                               "2007002,2007-06-02,,\n";

} // namespace

TEST_F(CliPrizes, ImportSaysWhatItAddedAndExportWritesTheSameFilesBack)
{
    test::insertDraws(program.databasePath(), kShippedLottery, {{2007001, 1, 2, 3, 4, 5, 1, 2}}, "2007-05-30");
    test::insertDraws(program.databasePath(), kShippedLottery, {{2007002, 1, 2, 3, 4, 5, 1, 2}}, "2007-06-02");
    const std::string prizes = write("p.csv", kPrizes);
    const std::string poolSales = write("s.csv", kPoolSales);
    EXPECT_EQ(runLines({"prizes-import", kShippedLottery, prizes, poolSales}),
              std::vector<std::string>{"新增 4 行奖级结果、1 期销售额与奖池，跳过 1 行已存的相同结果"});
    EXPECT_EQ(runLines({"prizes-import", kShippedLottery, prizes}),
              std::vector<std::string>{"新增 0 行奖级结果、0 期销售额与奖池，跳过 4 行已存的相同结果"});

    EXPECT_EQ(runLines({"prizes-export", kShippedLottery, file("p2.csv"), file("s2.csv")}),
              std::vector<std::string>{"写出 2 期的 4 行奖级结果"});
    EXPECT_EQ(read("p2.csv"), kPrizes);
    EXPECT_EQ(read("s2.csv"), kPoolSales);
}

TEST_F(CliPrizes, ARefusedFileSaysWhyWithStatusOneAndWrongWordsAreUsageErrors)
{
    ASSERT_EQ(run({"prizes-import", kShippedLottery, write("p.csv", kPrizes)}), 0) << err.str();
    const std::string other = write("q.csv", "issue,date,level,winners,amount_per_bet\n"
                                             "2007001,2007-05-30,一等奖,3,5000000\n");
    EXPECT_EQ(run({"prizes-import", kShippedLottery, other}), 1);
    EXPECT_NE(err.str().find(other + " 第 2 行：期号 2007001 的奖级结果已存为"), std::string::npos) << err.str();
    EXPECT_EQ(out.str(), "");

    EXPECT_EQ(run({"prizes-export", kShippedLottery, program.databasePath()}), 1);
    EXPECT_NE(err.str().find("数据库文件夹"), std::string::npos) << err.str();
    EXPECT_EQ(run({"prizes-import", kShippedLottery}), 2);
    EXPECT_EQ(run({"prizes-export", kShippedLottery, "a", "b", "c"}), 2);
    EXPECT_EQ(run({"prizes-import", "没有的彩票", file("p.csv")}), 1);
    EXPECT_NE(err.str().find("没有的彩票"), std::string::npos) << err.str();
}

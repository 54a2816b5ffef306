// The money of quorlin-cli check, ticket and replay at the published amounts of the stored draws.
#include "cli_fixture.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quorlin;

namespace {

struct CliMoney : test::CliFixture<> {
    CliMoney()
    {
        // The first open stores the results of these draws from the copies beside the program.
        std::filesystem::create_directories(program.path() / "附属");
        for (const char* name : {"dlt_prizes.csv", "dlt_pool_sales.csv"})
            std::filesystem::copy_file(std::string(test::dataDir()) + "/" + name, program.path() / "附属" / name);
        std::filesystem::copy_file(std::string(test::distFilesDir()) + "/附属/大乐透奖级.txt",
                                   program.path() / "附属" / "大乐透奖级.txt");
        test::insertDraws(program.databasePath(), kShippedLottery, {{2026086, 10, 11, 18, 22, 35, 6, 12}},
                          "2026-08-01");
        test::insertDraws(program.databasePath(), kShippedLottery, {{2026087, 5, 10, 16, 24, 27, 4, 10}}, "2026-08-03");
        // A draw without published results: its fixed levels by the pool after 2026087 (under 8亿).
        test::insertDraws(program.databasePath(), kShippedLottery, {{2026116, 5, 10, 16, 24, 28, 4, 10}}, "2026-10-12");
    }
};

} // namespace

TEST_F(CliMoney, TheDrawnNumbersWinThePublishedFirstPrizeAndItsExtra)
{
    const std::string bets = write("bets.txt", "05 10 16 24 27+04 10\n");
    EXPECT_EQ(runLines({"check", kShippedLottery, bets, "--issue", "2026087", "--extra"}),
              (std::vector<std::string>{"奖级\t七个奖级\t一等奖(浮动)\t二等奖(浮动)\t三等奖(5000/6666)\t四等奖(300/380)"
                                        "\t五等奖(150/200)\t六等奖(15/18)\t七等奖(5/7)\t奖金",
                                        "2026087\t1\t0\t0\t0\t0\t0\t0\t11784623",
                                        "合计\t1期\t1注\t投入3\t奖金11784623\t盈亏11784620"}));
    // Without 追加 the basic amount; in 2026116 the same bet is a 三等奖 (4+2) of 5000, the lower amount
    // since 768,406,558.52 元 were carried in.
    EXPECT_EQ(runLines({"check", kShippedLottery, bets, "--last", "2"}),
              (std::vector<std::string>{"奖级\t七个奖级\t一等奖(浮动)\t二等奖(浮动)\t三等奖(5000/6666)\t四等奖(300/380)"
                                        "\t五等奖(150/200)\t六等奖(15/18)\t七等奖(5/7)\t奖金",
                                        "2026087\t1\t0\t0\t0\t0\t0\t0\t6547013", "2026116\t0\t0\t1\t0\t0\t0\t0\t5000",
                                        "合计\t2期\t2注\t投入4\t奖金6552013\t盈亏6552009"}));
    // The ticket command against the stored draw: a 复式 of six fronts holds the 一等奖 and five 四等奖.
    EXPECT_EQ(runLines({"ticket", "05 10 16 24 27 33+04 10", "--issue", "2026087"}),
              (std::vector<std::string>{"05 10 16 24 27 33+04 10\t1\t0\t5\t0\t0\t0\t0\t6580343",
                                        "合计\t1\t0\t5\t0\t0\t0\t0\t6580343"}));
    EXPECT_EQ(run({"ticket", "05 10 16 24 27+04 10", "--issue", "2026099"}), 1);
    EXPECT_EQ(err.str(), "没有第 2026099 期的开奖号码\n");
    EXPECT_EQ(run({"ticket", "05 10 16 24 27+04 10", "--issue", "2026087", "--draw", "05 10 16 24 27+04 10"}), 2);
}

TEST_F(CliMoney, TheRandomBaselineTakesThePublishedAmountsFloatingLevelsIncluded)
{
    // Sum 15 keeps 01 02 03 04 05 alone; with every back pair, 66 bets a draw. At 2026087's amounts
    // 66 random bets are worth Σ P(level) × amount = 74.4 元 (94.7 with 追加), floating levels
    // included; 2026116 adds its lower fixed amounts (36.7 元) and leaves its floating levels unknown.
    EXPECT_EQ(runLines({"replay", kShippedLottery, "--last", "2", "--sum", "15"}).back(),
              "随机基准\t期望奖金111.1+浮动\t回报率42.1%");
    EXPECT_EQ(runLines({"replay", kShippedLottery, "--last", "2", "--sum", "15", "--extra"}).back(),
              "随机基准\t期望奖金131.3+浮动\t回报率33.2%");
}

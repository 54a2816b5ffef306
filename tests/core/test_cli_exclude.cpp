// quorlin-cli exclude: one run of an exclusion window from the command line.
#include "cli_commands.h"
#include "cli_fixture.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace quorlin;

namespace {

struct CliExcludeFixture : test::CliFixture<> {
    CliExcludeFixture()
    {
        EXPECT_EQ(run({"import", kShippedLottery, test::historyCsvPath()}), 0) << err.str();
        prefix = {"exclude", kShippedLottery};
    }
};

} // namespace

TEST_F(CliExcludeFixture, TheSameSeedRepeatsTheRunExactly)
{
    for (const std::string kind : {"sum", "repeat", "bias", "follow"}) {
        ASSERT_EQ(run({kind, "--iterations", "2", "--seed", "17", "--out", file("a.txt")}), 0) << err.str();
        const std::string kept = out.str();
        ASSERT_EQ(run({kind, "--iterations", "2", "--seed", "17", "--out", file("b.txt")}), 0) << err.str();
        EXPECT_EQ(out.str(), kept) << kind;
        EXPECT_EQ(read("a.txt"), read("b.txt")) << kind;
        EXPECT_EQ(read("a.txt").size(), std::stoul(kept) * 16) << kind; // "01 02 03 04 05" CR LF
    }
}

TEST_F(CliExcludeFixture, CountModeStopsAtTheTargetAndALoadedListIsNarrowed)
{
    ASSERT_EQ(run({"sum", "--target", "5000", "--seed", "3", "--out", file("a.txt")}), 0) << err.str();
    EXPECT_EQ(out.str(), "5000\n");
    ASSERT_EQ(run({"repeat", "--repeat-min", "2", "--in", file("a.txt"), "--target", "4000", "--seed", "3"}), 0)
        << err.str();
    EXPECT_EQ(out.str(), "4000\n");
    // 常规 is one deterministic pass.
    ASSERT_EQ(run({"follow", "--mode", "plain", "--follow-low", "1", "--in", file("a.txt")}), 0) << err.str();
    const std::string once = out.str();
    ASSERT_EQ(run({"follow", "--mode", "plain", "--follow-low", "1", "--in", file("a.txt"), "--iterations", "3"}), 0)
        << err.str();
    EXPECT_EQ(out.str(), once);
    EXPECT_LT(std::stoul(once), 5000u);
}

TEST_F(CliExcludeFixture, ATicketInTheLoadedListStandsForItsFronts)
{
    std::ofstream(file("ticket.txt")) << "01 02 03#04 05 06 07 08 09 10 11 12\n";
    std::ofstream(file("fronts.txt")) << [] {
        std::string text;
        for (int a = 4; a <= 12; ++a)
            for (int b = a + 1; b <= 12; ++b)
                text += "01 02 03 " + std::string(a < 10 ? "0" : "") + std::to_string(a) + " " + (b < 10 ? "0" : "") +
                        std::to_string(b) + "\n";
        return text;
    }();
    ASSERT_EQ(run({"sum", "--iterations", "1", "--seed", "5", "--in", file("fronts.txt"), "--out", file("a.txt")}), 0)
        << err.str();
    const std::string expected = out.str();
    ASSERT_EQ(run({"sum", "--iterations", "1", "--seed", "5", "--in", file("ticket.txt"), "--out", file("b.txt")}), 0)
        << err.str();
    EXPECT_EQ(out.str(), expected);
    EXPECT_EQ(read("a.txt"), read("b.txt"));
}

TEST_F(CliExcludeFixture, ARunThatCanExcludeNothingGivesUp)
{
    EXPECT_EQ(run({"bias", "--no-high", "--no-low", "--max-iterations", "30"}), 1);
    EXPECT_NE(err.str().find("30 次过滤后仍剩 324632 注"), std::string::npos) << err.str();
    EXPECT_EQ(run({"sum", "--sum-high", "166", "--sum-low", "14", "--max-iterations", "5"}), 1);
}

TEST_F(CliExcludeFixture, RefusalsAndWrongWords)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const std::vector<Case> cases{
        {{"sum", "--current", "2007001"}, 1, "目前投注期之前没有开奖号码"},
        {{"follow", "--current", "2007002"}, 1, "至少要有 2 期"},
        {{"follow", "--group", "4"}, 1, "对比号码数只能是 1、2 或 3！"},
        {{"repeat", "--current", "2007005", "--repeat-draws", "5"}, 1, "重码期数不能多于目前投注期之前的期数（4）"},
        {{"bias", "--current", "2007002", "--run", "2"}, 1, "延续期数不能多于"},
        {{"repeat", "--sum-high", "3"}, 2, "repeat 没有选项 --sum-high"},
        {{"max"}, 2, "排除方式只能是"},
        {{"sum", "--iterations", "1", "--target", "5"}, 2, "只能给一个"},
        {{"sum", "--iterations", "0"}, 1, "过滤次数应为1到1000000"},
        {{"sum", "--iterations", "-3"}, 1, "过滤次数应为1到1000000"},
        {{"sum", "--iterations", "1000001"}, 1, "过滤次数应为1到1000000"},
        {{"sum", "--target", "0"}, 1, "过滤到的注数应大于0"},
        {{"sum", "--target", "-5"}, 1, "过滤到的注数应大于0"},
        {{"sum", "--max-iterations", "0"}, 2, "--max-iterations 应为1到1000000"},
        {{"sum", "--max-iterations", "-1"}, 2, "--max-iterations 应为1到1000000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.args), c.status) << c.args[0] << " " << err.str();
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
    }
}

// quorlin-cli filter: one total-filter run from the command line.
#include "cli_commands.h"
#include "filter/combination_table.h"
#include "filter/total_filter.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace quorlin;

namespace {

struct CliFilterFixture : ::testing::Test {
    test::ShippedProgram program;
    std::ostringstream out;
    std::ostringstream err;

    CliFilterFixture()
    {
        test::insertDraws(program.databasePath(), kShippedLottery,
                          {{2020001, 1, 2, 3, 4, 5, 1, 2}, {2020002, 3, 9, 17, 25, 33, 4, 11}});
    }
    int run(std::vector<std::string> args)
    {
        out.str({});
        err.str({});
        args.insert(args.begin(), {"filter", kShippedLottery});
        return cli::run(args, program.path().string(), out, err);
    }
    std::string file(const std::string& name) { return program.apppath() + name; }
};

std::vector<std::string> linesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

TEST_F(CliFilterFixture, CountsBetsAndWritesTheSavedForm)
{
    // Every front number chosen with five hits keeps all fronts; three back numbers give 3 pairs.
    std::string all;
    for (int n = 1; n <= 35; ++n)
        all += std::to_string(n) + " ";
    ASSERT_EQ(run({"--front", all, "--back", "01,02 03"}), 0) << err.str();
    EXPECT_EQ(out.str(), "973896\n");

    ASSERT_EQ(run({"--sum", "15", "--back", "6 7", "--out", file("one.txt")}), 0) << err.str();
    EXPECT_EQ(out.str(), "1\n");
    EXPECT_EQ(linesOf(file("one.txt")), (std::vector<std::string>{"01 02 03 04 05+06 07\r"}));

    // A later run on the saved list narrows it further, like a second pass in the window.
    ASSERT_EQ(run({"--sum", "60-100", "--back", "1 2", "--out", file("a.txt")}), 0) << err.str();
    ASSERT_EQ(run({"--in", file("a.txt"), "--sum", "80-120"}), 0) << err.str();
    const std::string narrowed = out.str();
    ASSERT_EQ(run({"--sum", "80-100", "--back", "1 2"}), 0) << err.str();
    EXPECT_EQ(narrowed, out.str());
}

TEST_F(CliFilterFixture, TicketLinesInTheListStandForTheirBets)
{
    // 7 front numbers 复式 and a 胆拖: 21 + 4 front combinations, as if written out one by one.
    std::ofstream(file("tickets.txt")) << "1 2 3 4 5 6 7+1 2\n20 21#22 23 24 25+1#2\n";
    std::string expanded;
    const auto add = [&](const std::vector<int>& n) {
        for (std::size_t i = 0; i < n.size(); ++i)
            expanded += (n[i] < 10 ? "0" : "") + std::to_string(n[i]) + (i + 1 < n.size() ? " " : "+01 02\n");
    };
    for (int a = 1; a <= 7; ++a)
        for (int b = a + 1; b <= 7; ++b)
            for (int c = b + 1; c <= 7; ++c)
                for (int d = c + 1; d <= 7; ++d)
                    for (int e = d + 1; e <= 7; ++e)
                        add({a, b, c, d, e});
    for (const auto& rest : std::vector<std::vector<int>>{{22, 23, 24}, {22, 23, 25}, {22, 24, 25}, {23, 24, 25}})
        add({20, 21, rest[0], rest[1], rest[2]});
    std::ofstream(file("expanded.txt")) << expanded;
    ASSERT_EQ(run({"--in", file("expanded.txt"), "--sum", "15-100", "--back", "1 2"}), 0) << err.str();
    const std::string expected = out.str();
    ASSERT_EQ(run({"--in", file("tickets.txt"), "--sum", "15-100", "--back", "1 2"}), 0) << err.str();
    EXPECT_EQ(out.str(), expected);
    EXPECT_EQ(out.str(), "21\n") << "the 胆拖 sums exceed 100";

    // The whole game as one ticket stands for more bets than a list may hold.
    std::string all;
    for (int n = 1; n <= 35; ++n)
        all += std::to_string(n) + (n < 35 ? " " : "+");
    std::ofstream(file("all.txt")) << "01 02 03 04 05+01 02\n" << all << "1 2 3 4 5 6 7 8 9 10 11 12\n";
    EXPECT_EQ(run({"--in", file("all.txt"), "--odd", "1-3"}), 1);
    EXPECT_NE(err.str().find("第 2 行：复式票面展开后超过 1200000 注"), std::string::npos) << err.str();
}

TEST_F(CliFilterFixture, SecondPageConditionsAndToleranceReachTheRun)
{
    // The same settings through the core: the history is 01 02 03 04 05, then 03 09 17 25 33.
    TotalFilterSettings s;
    s.extraRange(ExtraCondition::Consecutive) = FilterRange{1, 1};
    s.extraRange(ExtraCondition::Mod3Zero) = FilterRange{1, 2};
    s.extraRange(ExtraCondition::Hot) = FilterRange{1, 3};
    s.extraRange(ExtraCondition::Neighbours) = FilterRange{0, 1};
    FilterSpace space;
    space.latestDraw = {3, 9, 17, 25, 33};
    space.omission.assign(36, 2);
    for (const int n : {1, 2, 4, 5})
        space.omission[static_cast<std::size_t>(n)] = 1;
    for (const int n : {3, 9, 17, 25, 33})
        space.omission[static_cast<std::size_t>(n)] = 0;
    const auto fronts = [&](int tolerance) {
        s.tolerance = tolerance;
        CombinationTable table;
        table.buildAll(35, 5);
        return std::to_string(*runTotalFilter(table, s, space) * 66) + "\n";
    };
    const std::vector<std::string> flags{"--consecutive", "1",   "--mod3-0",     "1-2",
                                         "--hot",         "1-3", "--neighbours", "0-1"};
    ASSERT_EQ(run(flags), 0) << err.str();
    EXPECT_EQ(out.str(), fronts(0));
    std::vector<std::string> tolerant = flags;
    tolerant.insert(tolerant.end(), {"--tolerance", "1"});
    ASSERT_EQ(run(tolerant), 0) << err.str();
    EXPECT_EQ(out.str(), fronts(1));
    EXPECT_NE(fronts(0), fronts(1));
    EXPECT_EQ(run({"--hot", "3-1"}), 1);
    EXPECT_EQ(err.str(), "热号前面的数值应该小于等于后面的数值！\n");
    EXPECT_EQ(run({"--tails", "x"}), 2);
}

TEST_F(CliFilterFixture, SchemesGiveTheirConditionsAndLaterFlagsWin)
{
    std::ofstream(file("s.txt")) << "# 测试方案\nsum = 15-15\nback = 06 07\n";
    ASSERT_EQ(run({"--scheme", file("s.txt"), "--out", file("one.txt")}), 0) << err.str();
    EXPECT_EQ(out.str(), "1\n");
    EXPECT_EQ(linesOf(file("one.txt")), (std::vector<std::string>{"01 02 03 04 05+06 07\r"}));
    // After the scheme a flag overrides it; before it, the scheme's value stands.
    ASSERT_EQ(run({"--scheme", file("s.txt"), "--sum", "15-16"}), 0) << err.str();
    EXPECT_EQ(out.str(), "2\n");
    ASSERT_EQ(run({"--sum", "15-16", "--scheme", file("s.txt")}), 0) << err.str();
    EXPECT_EQ(out.str(), "1\n");
    ASSERT_EQ(run({"--back", "1 2 3", "--scheme", file("s.txt"), "--odd", "3"}), 0) << err.str();
    EXPECT_EQ(out.str(), "1\n") << "the scheme's back numbers stand";
    ASSERT_EQ(run({"--scheme", file("s.txt"), "--back", "1 2 3"}), 0) << err.str();
    EXPECT_EQ(out.str(), "3\n");

    std::ofstream(file("bad.txt")) << "sum = 15-15\nsums = 1\n";
    EXPECT_EQ(run({"--scheme", file("bad.txt")}), 1);
    EXPECT_EQ(err.str(), file("bad.txt") + "：第 2 行：不认识的条件“sums”\n");
}

TEST_F(CliFilterFixture, RefusalsSayWhy)
{
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"no condition", {}, 1, "请选择过滤条件！"},
        {"reversed range", {"--sum", "100-60"}, 1, "请前面组合框中的数值应该小于等于后面组合框中的数值！"},
        {"one back number", {"--odd", "2-3", "--back", "5"}, 1, "请至少选择2个后区号！"},
        {"banker items joined by a comma", {"--banker", "1,2"}, 1, "胆码“1,2”不是整数"},
        {"range that is not a number", {"--sum", "6O-100"}, 2, "不是非负整数"},
        {"back number out of range", {"--odd", "1", "--back", "1 13"}, 2, "1-12"},
        {"hits without their numbers", {"--odd", "1", "--front-hits", "1-2"}, 2, "--front"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(run(c.args), c.status);
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
        EXPECT_TRUE(out.str().empty());
    }
    std::ofstream(file("bad.txt")) << "01 02 03 04 36\n";
    EXPECT_EQ(run({"--in", file("bad.txt"), "--odd", "1-3"}), 1);
    EXPECT_NE(err.str().find("第 1 行"), std::string::npos) << err.str();
}

// quorlin-cli filter: one total-filter run from the command line.
#include "cli_commands.h"
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

// quorlin-cli wheel, wheel-check, wheel-make, wheel-holes, wheel-repair and intersect: the bet-set
// tools from the command line.
#include "cli_commands.h"
#include "cli_fixture.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace quorlin;

namespace {

struct CliBetSetFixture : test::CliFixture<test::TempProgramDir> {
    CliBetSetFixture()
    {
        std::filesystem::copy(std::filesystem::path(quorlin::test::distFilesDir()) / "旋转矩阵",
                              program.path() / "旋转矩阵");
    }
};

} // namespace

TEST_F(CliBetSetFixture, WheelPrintsTheSortedBetsOfTheShippedWheel)
{
    ASSERT_EQ(run({"wheel", "--type", "选六型", "--basic", "10", "--ok", "6", "--guarantee", "5", "33", "02", "03",
                   "04", "05", "06", "07", "08", "09", "10"}),
              0)
        << err.str();
    const auto bets = outLines();
    ASSERT_EQ(bets.size(), 14u);
    EXPECT_EQ(bets[0], "02 03 04 05 06 33"); // wheel line 1 2 3 4 5 6, 33 sorted last

    // Without options: 选五型, 中5保4, five numbers a bet as this game's front.
    ASSERT_EQ(run({"wheel", "33", "02", "03", "04", "05", "06", "07", "08", "09", "10"}), 0) << err.str();
    ASSERT_EQ(outLines().size(), 14u);
    EXPECT_EQ(outLines()[0], "02 03 04 08 33"); // wheel line 1 2 3 4 8

    // Banker and drag: the 选五型 wheel of 9 numbers, the banker on every bet.
    const std::vector<std::string> six{"wheel", "--type", "选六型", "--ok", "6", "--guarantee", "5", "--bankers"};
    auto withBankers = [&six](std::initializer_list<std::string> rest) {
        std::vector<std::string> args = six;
        args.insert(args.end(), rest);
        return args;
    };
    ASSERT_EQ(run(withBankers({"01", "02", "03", "04", "05", "06", "07", "08", "09", "10"})), 0) << err.str();
    const auto drag = outLines();
    ASSERT_EQ(drag.size(), 9u);
    for (const std::string& bet : drag)
        EXPECT_TRUE(bet.starts_with("01 ")) << bet;
    // A banker text longer than a short string's inline buffer reads the same.
    ASSERT_EQ(run(withBankers({"      01,      ", "02", "03", "04", "05", "06", "07", "08", "09", "10"})), 0)
        << err.str();
    EXPECT_EQ(outLines(), drag);
}

TEST_F(CliBetSetFixture, WheelRefusalsSayWhy)
{
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"wheel", "--ok", "7", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, "没有该类型的矩阵！"},
        {{"wheel", "--type", "选二型", "--bankers", "1 2", "3", "4"}, "胆码个数必须小于彩票类型的选号个数！"},
        {{"wheel", "1", "2", "3", "4", "5", "6", "7", "8", "9", "1"}, "请不要输入重复的号码数字！"},
        {{"wheel", "1", "2", "3", "4", "5", "6", "7", "8", "9", "x"}, "请在下面号码框中输入正确的号码数字！"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.args), 1) << c.message;
        EXPECT_TRUE(err.str().starts_with(c.message)) << err.str();
    }
}

TEST_F(CliBetSetFixture, WheelCheckPrintsOkOrTheHoles)
{
    const std::string wheel = program.apppath() + "旋转矩阵/选五型08码中5保4.txt";
    ASSERT_EQ(run({"wheel-check", wheel, "--basic", "8", "--ok", "5", "--guarantee", "4"}), 0) << err.str();
    EXPECT_EQ(out.str(), "ok\n");
    const std::string halves = write("halves.txt", "1 2 3 4 5\r\n6 7 8 9 10\r\n");
    EXPECT_EQ(run({"wheel-check", halves, "--basic", "10", "--ok", "5", "--guarantee", "4"}), 1);
    EXPECT_EQ(outLines().front(), "漏洞：1 2 3 6 7");
    EXPECT_EQ(outLines().back(), "共200种开奖（全部252种）没有一注中4个号码");
}

TEST_F(CliBetSetFixture, IntersectPrintsTheNumberedLinesOrTheRefusal)
{
    const auto a = write("a.txt", "01 02 03 04 05+06 07\r\n01 02 03 04 06+06 07\r\n");
    const auto b = write("b.txt", "01 02 03 04 05+01 02\r\n");
    ASSERT_EQ(run({"intersect", a, b, "--back", "none"}), 0) << err.str();
    EXPECT_EQ(out.str(), "0000001    01 02 03 04 05 \n");
    ASSERT_EQ(run({"intersect", a, b, "--tolerance", "0-1", "--back", "06 08"}), 0) << err.str();
    EXPECT_EQ(outLines(),
              (std::vector<std::string>{"0000001    01 02 03 04 05+06 08", "0000002    01 02 03 04 06+06 08"}));
    EXPECT_EQ(run({"intersect", a, write("n.txt", "0000001    01 02 03 04 05 \r\n")}), 0) << err.str();
    EXPECT_EQ(out.str(), "0000001    01 02 03 04 05 \n");
    EXPECT_EQ(run({"intersect", a, write("bad.txt", "01 02 03 04 05\r\n01 02 03 04 36\r\n")}), 1);
    EXPECT_EQ(err.str(), "bad.txt：第 2 行：前区号码“36”不在 01-35 之内\n");
    EXPECT_EQ(run({"intersect", a, "--tolerance", "x"}), 2);
}

TEST_F(CliBetSetFixture, WheelMakePrintsTheVerifiedWheel)
{
    const auto lines = runLines({"wheel-make", "--pool", "03 05 07 11 13 17 19", "--guarantee", "3-3", "--seconds", "1",
                                 "--seed", "4", "--threads", "1"});
    ASSERT_GE(lines.size(), 7u);
    const std::size_t bets = lines.size() - 2;
    EXPECT_EQ(lines[bets], "合计\t" + std::to_string(bets) + "注\t" + std::to_string(2 * bets) + "元");
    EXPECT_EQ(lines[bets + 1], "保证\t中3保3\t已验证");
    EXPECT_EQ(lines[0].size(), 14u);
    const auto banked = runLines({"wheel-make", "--pool", "12 03 05 07 11 13", "--bankers", "12 03", "--guarantee",
                                  "2-2", "--seconds", "1", "--threads", "2"});
    EXPECT_EQ(banked.back(), "保证\t胆码 03 12\t中2保2\t已验证");
    for (std::size_t i = 0; i + 2 < banked.size(); ++i)
        EXPECT_NE(banked[i].find("03 "), std::string::npos) << banked[i];
}

TEST_F(CliBetSetFixture, WheelMakeRefusesBadPoolsAndGuarantees)
{
    const struct {
        std::vector<std::string> words;
        const char* message;
    } cases[] = {
        {{"--pool", "01 02 03 04", "--guarantee", "3-3"}, "至少要有5个"},
        {{"--pool", "01 02 03 04 04 06", "--guarantee", "3-3"}, "04"},
        {{"--pool", "01 02 03 04 05 36", "--guarantee", "3-3"}, "36"},
        {{"--pool", "01 02 03 04 0x", "--guarantee", "3-3"}, "0x"},
        {{"--pool", "01 02 03 04 05 06", "--guarantee", "6-3"}, "M 应为"},
        {{"--pool", "01 02 03 04 05 06", "--guarantee", "3-4"}, "T 应为"},
        {{"--pool", "01 02 03 04 05 06", "--guarantee", "33"}, "M-T"},
        {{"--pool", "01 02 03 04 05 06", "--guarantee", "2-2", "--bankers", "07"}, "不在号码池"},
        {{"--pool", "01 02 03 04 05 06 07", "--guarantee", "1-1", "--bankers", "01 02 03 04"}, "最多3个"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> words = {"wheel-make"};
        words.insert(words.end(), c.words.begin(), c.words.end());
        EXPECT_EQ(run(words), 1) << c.message;
        EXPECT_NE(err.str().find(c.message), std::string::npos) << c.message << ": " << err.str();
        EXPECT_EQ(out.str(), "");
    }
}

TEST_F(CliBetSetFixture, WheelHolesListsTheCoverageAndHolesAndRepairCoversThem)
{
    const std::string path = (program.path() / "bets.txt").string();
    std::ofstream(path) << "01 02 03 04 05\n01 02 03 06 07\n";
    const auto holes = runLines({"wheel-holes", path, "--pool", "01 02 03 04 05 06 07", "--guarantee", "3-3"});
    ASSERT_EQ(holes.size(), 1u + 35u - 19u);
    EXPECT_EQ(holes[0], "覆盖\t19/35\t54.3%");
    EXPECT_EQ(holes[1], "01 04 06");
    EXPECT_EQ(holes.back(), "05 06 07");
    const auto repaired = runLines({"wheel-repair", path, "--pool", "01 02 03 04 05 06 07", "--guarantee", "3-3"});
    EXPECT_EQ(repaired.back(), "保证\t中3保3\t已验证");
    std::ofstream(path) << "01 02 03 04 09\n";
    EXPECT_EQ(run({"wheel-holes", path, "--pool", "01 02 03 04 05 06 07", "--guarantee", "3-3"}), 1);
    EXPECT_NE(err.str().find("第1注的号码 09 不在号码池中"), std::string::npos) << err.str();
}

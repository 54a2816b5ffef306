// Wheels: the file names, reading and refusing wheel files, the bets, the guarantee check, the
// covering search, and every shipped wheel checked against every draw.
#include "test_support.h"
#include "wheel/wheel_bets.h"
#include "wheel/wheel_check.h"
#include "wheel/wheel_file.h"
#include "wheel/wheel_names.h"
#include "wheel/wheel_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace quorlin;

namespace {

struct WheelFixture : ::testing::Test {
    test::TempProgramDir dir;
    std::string write(const std::string& text)
    {
        const std::string path = dir.apppath() + "wheel.txt";
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
};

Wheel wheelOf(int width, std::vector<std::uint8_t> positions)
{
    Wheel wheel;
    wheel.width = width;
    wheel.positions = std::move(positions);
    return wheel;
}

} // namespace

TEST(WheelNames, DefaultsAndBankerAndDragNameTheWheelAndTheSavedBets)
{
    WheelSettings balanced; // 选5型, 10 basic, 中5保4: five numbers a bet, as this game's front
    EXPECT_EQ(wheelFileName(balanced), "选五型10码中5保4.txt");
    EXPECT_EQ(betFileName(balanced), "选五型10码中5保4投注号码.txt");

    WheelSettings drag;
    drag.selection = 6;
    drag.ok = 6;
    drag.guarantee = 5;
    drag.bankerAndDrag = true;
    drag.basic = 9;
    drag.bankers = 1;
    EXPECT_EQ(wheelFileName(drag), "选五型09码中5保4.txt");
    EXPECT_EQ(betFileName(drag), "选六型1胆9拖中6保5投注号码.txt");

    drag.selection = 2;
    drag.bankers = 2; // no drag part left
    EXPECT_FALSE(wheelFileName(drag).has_value());
    drag.bankerAndDrag = false; // the banker count is ignored in balanced mode
    EXPECT_EQ(wheelFileName(drag), "选二型09码中6保5.txt");
}

TEST_F(WheelFixture, ReadingStopsAtTheFirstLineThatIsNoNumber)
{
    const LoadedWheel loaded =
        readWheel(write("1 2 3 4 5 6\r\n, 1,3 5 7 9 10\r\n注：以下不是矩阵\r\n1 2 3 4 5 6\r\n"), 6, 10);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    EXPECT_EQ(loaded.wheel.lines(), 2u);
    EXPECT_EQ(loaded.wheel.line(1)[5], 10);
    // Empty lines at the very end are no gap.
    EXPECT_TRUE(readWheel(write("1 2 3 4 5 6\r\n\r\n\r\n"), 6, 10).ok);
}

TEST_F(WheelFixture, LinesTheBetsCannotComeFromAreRefusedNamingTheLine)
{
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"1 2 3 4 5 6\n1 2 3 4 5 11\n", "矩阵文件第2行的位置11超出1到10的范围"},
        {"1 2 3 4 5 6\n1 1 2 3 4 5\n", "矩阵文件第2行的位置1重复"},
        {"1 2 3 " + std::string(100'000, 'x') + " 5 6\n", "矩阵文件第1行的“" + std::string(80, 'x') + "…”不是位置数字"},
        {"1 2 3 4 5 6\n0 2 3 4 5 6\n", "矩阵文件第2行的位置0超出1到10的范围"},
        {"1 2 3 4 5\n", "矩阵文件第1行有5个位置，应为6个"},
        {"1 2 3 4 5 6 7\n", "矩阵文件第1行有7个位置，应为6个"},
        {"1 2 3 4 5 6\n\n1 2 3 4 5 7\n", "矩阵文件第2行是空行，矩阵文件中间不能有空行"},
        {"1 2 3 x 5 6\n", "矩阵文件第1行的“x”不是位置数字"},
    };
    for (const auto& c : cases) {
        const LoadedWheel loaded = readWheel(write(c.text), 6, 10);
        EXPECT_FALSE(loaded.ok) << c.text;
        EXPECT_EQ(loaded.error, c.message) << c.text;
    }
    EXPECT_FALSE(readWheel(dir.apppath() + "没有.txt", 6, 10).ok);
}

TEST_F(WheelFixture, WrittenWheelReadsBackWithItsNote)
{
    const Wheel wheel = wheelOf(3, {3, 1, 2, 2, 4, 5});
    std::string error;
    ASSERT_TRUE(writeWheel(write(""), wheel, "中3保2", error)) << error;
    const LoadedWheel loaded = readWheel(dir.apppath() + "wheel.txt", 0, 5);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    EXPECT_EQ(loaded.wheel.width, 3);
    EXPECT_EQ(loaded.wheel.positions, (std::vector<std::uint8_t>{1, 2, 3, 2, 4, 5}));
}

TEST_F(WheelFixture, MadeWheelFileReadsBackIntoTheSameBetsUnderTheWindowsName)
{
    // 03 and 12 banked; the other numbers 01 05 07 20 are positions 1..4.
    const WheelGuarantee g{{1, 3, 5, 7, 12, 20}, {3, 12}, 2, 2};
    const std::vector<WheelBet> bets{{1, 3, 5, 7, 12}, {1, 3, 12, 20, 5}, {3, 7, 12, 20, 1}, {3, 5, 7, 12, 20}};
    const MadeWheelFile file = madeWheelFile(g, bets);
    EXPECT_EQ(file.name, "选三型04码中2保2.txt");
    EXPECT_TRUE(file.readable);
    EXPECT_EQ(file.note, "以上4注已对全部6种开奖逐一验证：中2保2");
    std::string error;
    ASSERT_TRUE(writeWheel(write(""), file.wheel, file.note, error)) << error;
    // As 旋转矩阵组号缩水 reads it: 选5型 with 2 bankers, the drag part's width and count.
    const LoadedWheel loaded = readWheel(dir.apppath() + "wheel.txt", 3, 4);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    std::vector<std::vector<int>> sorted = bets;
    for (auto& bet : sorted)
        std::sort(bet.begin(), bet.end());
    EXPECT_EQ(wheelBets(loaded.wheel, g.freeNumbers(), g.bankers), sorted);

    std::vector<int> big;
    for (int n = 1; n <= 22; ++n)
        big.push_back(n);
    EXPECT_EQ(madeWheelFile({big, {}, 5, 4}, {}).name, "选五型22码中5保4.txt");
    EXPECT_FALSE(madeWheelFile({big, {}, 5, 4}, {}).readable);
    EXPECT_TRUE(madeWheelFile({big, {1}, 4, 4}, {}).readable);
    EXPECT_FALSE(madeWheelFile({big, {1, 2, 3}, 2, 2}, {}).readable);
}

TEST(WheelBets, PositionsMapOntoTheBoxesAndEachBetIsSorted)
{
    std::vector<int> basic{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const Wheel wheel = wheelOf(6, {1, 3, 5, 7, 9, 10});
    EXPECT_EQ(wheelBets(wheel, basic, {})[0], (std::vector<int>{1, 3, 5, 7, 9, 10}));
    basic[0] = 33;
    EXPECT_EQ(wheelBets(wheel, basic, {})[0], (std::vector<int>{3, 5, 7, 9, 10, 33}));
    // Bankers join every bet of the drag wheel.
    const Wheel drag = wheelOf(2, {1, 2, 2, 3});
    const auto bets = wheelBets(drag, {20, 4, 9}, {1});
    EXPECT_EQ(bets[0], (std::vector<int>{1, 4, 20}));
    EXPECT_EQ(bets[1], (std::vector<int>{1, 4, 9}));
}

TEST(WheelBets, BoxesAreCheckedForNumbersFirstThenRepeats)
{
    std::vector<int> numbers;
    EXPECT_EQ(checkWheelNumbers({" 7", "8 ", "09"}, numbers), "");
    EXPECT_EQ(numbers, (std::vector<int>{7, 8, 9}));
    EXPECT_EQ(checkWheelNumbers({"7", "", "7"}, numbers), kBadNumberBox);
    EXPECT_EQ(checkWheelNumbers({"7", "3a"}, numbers), kBadNumberBox);
    EXPECT_EQ(checkWheelNumbers({"7", "8", " 7 "}, numbers), kRepeatedNumberBox);
    EXPECT_EQ(checkWheelNumbers({"5", "05"}, numbers), ""); // the comparison is textual
}

TEST(WheelCheck, FindsEveryHoleOfAWheelThatDoesNotHoldItsGuarantee)
{
    // Two disjoint lines of 5 out of 10: every draw of 5 has 3 on one line, but not always 4.
    const Wheel halves = wheelOf(5, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_TRUE(checkWheel(halves, 10, 5, 3).holds());
    const WheelCheck check = checkWheel(halves, 10, 5, 4, 3);
    EXPECT_FALSE(check.holds());
    EXPECT_EQ(check.draws, 252u);
    // Draws with at most 3 on each side: 3 + 2 either way.
    EXPECT_EQ(check.holeCount, 2u * 10u * 10u);
    ASSERT_EQ(check.holes.size(), 3u);
    EXPECT_EQ(check.holes[0], (std::vector<int>{1, 2, 3, 6, 7}));
    EXPECT_FALSE(checkWheel(halves, 10, 5, 6).error.empty());
    // 601,080,390 draws of 16 out of 32 against 7 lines: refused before the work starts.
    const Wheel seven = wheelOf(5, std::vector<std::uint8_t>(35, 1));
    const WheelCheck huge = checkWheel(seven, 32, 16, 1);
    EXPECT_EQ(huge.draws, 0u);
    EXPECT_NE(huge.error.find("计算量太大（601080390种开奖 × 7注）"), std::string::npos) << huge.error;
}

TEST(WheelSearch, SmallWheelsHoldTheirGuaranteeAtTheKnownSizes)
{
    const struct {
        int basic, width, ok, guarantee;
        std::size_t lines;
    } cases[] = {{8, 5, 5, 4, 5}, {10, 5, 5, 4, 14}, {10, 6, 6, 5, 14}, {7, 6, 5, 5, 6}, {10, 5, 5, 3, 2}};
    for (const auto& c : cases) {
        const Wheel wheel = searchWheel(c.basic, c.width, c.ok, c.guarantee);
        EXPECT_TRUE(checkWheel(wheel, c.basic, c.ok, c.guarantee).holds());
        EXPECT_EQ(wheel.lines(), c.lines) << c.basic << " 码中" << c.ok << "保" << c.guarantee;
    }
}

// Every wheel the program ships, read as the window reads it and tried against every draw.
TEST(ShippedWheels, EveryShippedWheelHoldsItsGuarantee)
{
    const std::filesystem::path folder = std::filesystem::path(quorlin::test::distFilesDir()) / kWheelFolder;
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        // 选{digit}型{BB}码中{K}保{G}.txt
        const std::string file = entry.path().filename().string();
        int width = 0, basic = 0, ok = 0, guarantee = 0;
        std::string rest;
        for (int s = 1; s <= 7; ++s) {
            const std::string head = std::string("选") + chineseDigit(s) + "型";
            if (file.rfind(head, 0) == 0) {
                width = s;
                rest = file.substr(head.size());
            }
        }
        ASSERT_GT(width, 0) << file;
        char tail[8] = {};
        ASSERT_EQ(std::sscanf(rest.c_str(), "%2d码中%1d保%1d%7s", &basic, &ok, &guarantee, tail), 4) << file;
        ASSERT_STREQ(tail, ".txt") << file;
        const LoadedWheel loaded = readWheel(entry.path().string(), width, basic);
        ASSERT_TRUE(loaded.ok) << file << ": " << loaded.error;
        ASSERT_GT(loaded.wheel.lines(), 0u) << file;
        const WheelCheck check = checkWheel(loaded.wheel, basic, ok, guarantee);
        EXPECT_TRUE(check.holds()) << file << ": " << check.holeCount << " holes " << check.error;
        ++checked;
    }
    EXPECT_GE(checked, 54);
}

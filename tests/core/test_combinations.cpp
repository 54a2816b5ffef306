// Combination counts, the combination order, combrank and the desktop folder lookup.
#include "common/shell_folder.h"
#include "store/combinations.h"
#include "store/lottery_state.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <vector>

using namespace quorlin;

TEST(Combin, CountsForLottoAndDigitType)
{
    LotteryState lotto;
    EXPECT_EQ(combin(lotto, 35, 5), 324632);
    EXPECT_EQ(combin(lotto, 5, 0), 1);
    EXPECT_EQ(combin(lotto, 12, 2), 66);
    LotteryState digits;
    digits.caitype = 1;
    EXPECT_EQ(combin(digits, 12, 2), 144);
    EXPECT_EQ(combin(digits, 35, 5), 52521875);
}

TEST(Choose, BinomialEdgeCases)
{
    EXPECT_EQ(choose(35, 5), 324632);
    EXPECT_EQ(choose(3, 5), 0);
    EXPECT_EQ(choose(0, 1), 0);
    EXPECT_EQ(choose(7, 0), 1);
    EXPECT_EQ(choose(7, -1), 1);
    EXPECT_EQ(choose(34, 4), 46376);
}

TEST(CombinationOrder, RanksMatchRowIndexThroughoutTheSpace)
{
    LotteryState state;
    std::int32_t row = 0;
    std::vector<std::int32_t> previous;
    std::map<std::int32_t, std::vector<std::int32_t>> spots;
    forEachCombination(35, 5, [&](std::span<const std::int32_t> comb) {
        ASSERT_EQ(combrank(state, comb), row + 1) << "row " << row;
        std::vector<std::int32_t> current(comb.begin(), comb.end());
        if (!previous.empty()) {
            ASSERT_LT(previous, current) << "row " << row << " is out of lexicographic order";
        }
        if (row == 0 || row == 100000 || row == 324631)
            spots[row] = current;
        previous = std::move(current);
        ++row;
    });
    EXPECT_EQ(row, 324632);
    EXPECT_EQ(spots[0], (std::vector<std::int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(spots[324631], (std::vector<std::int32_t>{31, 32, 33, 34, 35}));
    EXPECT_EQ(combrank(state, spots[100000]), 100001);
}

TEST(CombinationOrder, SixAndSevenNumberSpacesHaveTheBinomialSize)
{
    for (int count : {6, 7}) {
        std::int64_t rows = 0;
        std::vector<std::int32_t> last;
        forEachCombination(12, count, [&](std::span<const std::int32_t> comb) {
            ++rows;
            last.assign(comb.begin(), comb.end());
        });
        EXPECT_EQ(rows, choose(12, count));
        EXPECT_EQ(last.front(), 12 - count + 1);
        EXPECT_EQ(last.back(), 12);
    }
}

TEST(GetShellFolder, ReadsTheXdgDesktopAndFallsBackToEmpty)
{
    test::TempProgramDir home;
    const auto desktop = home.path() / "Schreibtisch";
    std::filesystem::create_directories(desktop);
    std::filesystem::create_directories(home.path() / ".config");
    std::ofstream(home.path() / ".config" / "user-dirs.dirs") << "# written by xdg-user-dirs\n"
                                                              << "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n";
    const std::map<std::string, std::string> vars{{"HOME", home.path().string()}};
    auto env = [&](const std::string& name) -> std::optional<std::string> {
        auto it = vars.find(name);
        return it == vars.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    EXPECT_EQ(getshellfolder("Desktop", env), desktop.string());
    EXPECT_EQ(getshellfolder("Personal", env), "");

    // Without a user-dirs file the XDG default ~/Desktop counts only when it exists.
    std::filesystem::remove(home.path() / ".config" / "user-dirs.dirs");
    EXPECT_EQ(getshellfolder("Desktop", env), "");
    std::filesystem::create_directories(home.path() / "Desktop");
    EXPECT_EQ(getshellfolder("Desktop", env), (home.path() / "Desktop").string());
}

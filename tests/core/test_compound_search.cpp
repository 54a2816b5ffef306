// The compound search: the longest-absent transformed number and the steps that exclude the real
// numbers behind it.
#include "analysis/compound_search.h"
#include "store/lottery_state.h"

#include <gtest/gtest.h>

using namespace quorlin;

namespace {

/// Three draws in the display rows: 11..15, then 6..10, then (newest) 1..5; 16..35 never drawn.
/// No transformed build has been made, so the mapping of the coming draw is the identity.
LotteryState threeDraws()
{
    LotteryState state;
    state.recnum = 3;
    state.histext.resize(3, state.caisum, state.housum);
    for (int r = 0; r < 3; ++r)
        for (int n = 11 - 5 * r; n < 16 - 5 * r; ++n)
            state.histext.markFront(static_cast<std::size_t>(r), n);
    return state;
}

} // namespace

TEST(CompoundSearch, LongestAbsentIsTheLastOfTheExchangeOrder)
{
    LotteryState state = threeDraws();
    // 16..35 are all absent 3 (= recnum) draws; the exchange leaves the last of them last.
    EXPECT_EQ(CompoundSearch::longestAbsent(state), std::make_pair(35, 3));
    // 35 one draw ago: the exchanges that bring it forward carry 16 to the end, not 34.
    state.histext.markFront(1, 35);
    EXPECT_EQ(CompoundSearch::longestAbsent(state), std::make_pair(16, 3));
    LotteryState drawnNewest = threeDraws();
    for (int n = 16; n <= 35; ++n)
        drawnNewest.histext.markFront(2, n);
    // Now 11..15 are the longest absent, two draws.
    EXPECT_EQ(CompoundSearch::longestAbsent(drawnNewest).second, 2);
}

TEST(CompoundSearch, StepsExcludeUntilTheCountIsReached)
{
    const LotteryState state = threeDraws();
    // A limit at or above caisum: the first passing step ends with 34 numbers.
    CompoundSearch wide(35, true, 3, 35);
    EXPECT_TRUE(wide.step(state));
    EXPECT_EQ(wide.remaining(), 34);
    EXPECT_EQ(wide.result().substr(0, 9), "01 02 03 ");
    EXPECT_EQ(wide.result().size(), 34u * 3u);
    EXPECT_EQ(wide.result().find("35"), std::string::npos);

    // A threshold above recnum never excludes anything.
    CompoundSearch strict(35, true, 4, 30);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(strict.step(state));
    EXPECT_EQ(strict.remaining(), 35);
    EXPECT_EQ(strict.steps(), 5);

    // Excluding 35 again changes nothing.
    CompoundSearch again(35, false, 0, 33);
    EXPECT_FALSE(again.step(state));
    EXPECT_FALSE(again.step(state));
    EXPECT_EQ(again.remaining(), 34);
}

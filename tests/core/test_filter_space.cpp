// The number space a total-filter run gets from the open lottery.
#include "store/filter_space.h"
#include "store/lottery_state.h"

#include <gtest/gtest.h>

using namespace quorlin;

namespace {

// Two draws, the latest 03 09 17 25 33 + 04 11; a transformed mapping of the coming draw in which
// code k has rank 36 − k, over the identity permutation.
LotteryState twoDraws()
{
    LotteryState state;
    state.recnum = 2;
    state.hisfull.resize(2, 8);
    const int draws[2][8] = {{2020001, 1, 2, 3, 4, 5, 1, 2}, {2020002, 3, 9, 17, 25, 33, 4, 11}};
    for (std::size_t r = 0; r < 2; ++r)
        for (std::size_t c = 0; c < 8; ++c)
            state.hisfull.at(r, c) = draws[r][c];
    state.bianperm.assign(36, 0);
    state.bianrank.assign(36, 0);
    for (int k = 1; k <= 35; ++k) {
        state.bianperm[static_cast<std::size_t>(k)] = k;
        state.bianrank[static_cast<std::size_t>(k)] = 36 - k;
    }
    return state;
}

} // namespace

TEST(FilterSpace, RealNumbersAgainstTheLatestDraw)
{
    const FilterSpace space = filterspace(twoDraws());
    EXPECT_EQ(space.total, 35);
    EXPECT_EQ(space.width, 5);
    EXPECT_EQ(space.backTotal, 12);
    EXPECT_EQ(space.backWidth, 2);
    EXPECT_EQ(space.latestDraw, (std::vector<int>{3, 9, 17, 25, 33}));
    EXPECT_TRUE(space.mapping.empty());
}

TEST(FilterSpace, TransformedNumbersOfTheComingDraw)
{
    LotteryState state = twoDraws();
    state.bianhuan = true;
    const FilterSpace space = filterspace(state);
    ASSERT_EQ(space.mapping.size(), 36u);
    // Real n has code (n + 2) mod 35 + 1 in the coming draw, and that code rank 36 − code.
    EXPECT_EQ(space.mapping[1], 32);
    EXPECT_EQ(space.mapping[33], 35);
    EXPECT_EQ(space.mapping[35], 33);
    // The skew still looks at the latest draw's real numbers.
    EXPECT_EQ(space.latestDraw, (std::vector<int>{3, 9, 17, 25, 33}));
}

TEST(FilterSpace, NoDrawsNoLatestDraw)
{
    EXPECT_TRUE(filterspace(LotteryState{}).latestDraw.empty());
}

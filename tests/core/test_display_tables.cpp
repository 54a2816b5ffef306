// The standard and transformed history tables and the coming draw's mapping.
#include "scripted_random.h"
#include "store/display_tables.h"
#include "store/lottery_open.h"
#include "store/lottery_state.h"
#include "store/schema.h"
#include "store/u_datamod.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <set>

using namespace quorlin;

namespace {

/// W from `window`, then the identity permutation of 1..35.
test::ScriptedRandom identityMapping(int window)
{
    return test::ScriptedRandom(test::identityMappingScript(window));
}

struct DisplayFixture : ::testing::Test {
    test::ShippedProgram program;
    LotteryState state;
    Tdatamod datamod;

    void openWith(const std::vector<std::vector<int>>& draws, const std::string& date = "2020-01-01")
    {
        state.apppath = program.apppath();
        test::insertDraws(program.databasePath(), kShippedLottery, draws, date);
        openlottery(state, datamod, shippedLotteryDefinition());
    }

    std::vector<int> transformedFront(std::size_t row) const
    {
        auto r = state.hisbian.row(row);
        return {r.begin() + 1, r.end()};
    }
};

} // namespace

TEST_F(DisplayFixture, StandardRowHoldsTextAndHitMarks)
{
    openWith({{2020001, 3, 9, 17, 25, 33, 4, 11}});
    ASSERT_EQ(state.histext.rows(), 1u);
    EXPECT_EQ(state.histext.cell(0, 0), "2020001");
    EXPECT_EQ(state.histext.cell(0, 1), "03 09 17 25 33 + 04 11");
    EXPECT_EQ(state.histext.cellCount(), 51);
    const std::set<int> ones{5, 11, 19, 27, 35, 42, 49};
    for (int cell = 2; cell <= 50; ++cell)
        EXPECT_EQ(state.histext.cell(0, cell), ones.count(cell) ? "1" : "0") << "cell " << cell;
    EXPECT_EQ(state.hisdate[0], "2020-01-01");
}

TEST_F(DisplayFixture, DateThatIsNotADateLeavesHisdateEmpty)
{
    openWith({{2020001, 1, 2, 3, 4, 5, 1, 2}}, "2020-02-30");
    EXPECT_EQ(state.hisdate[0], "");
    EXPECT_EQ(state.hisfull.at(0, 0), 2020001);
}

TEST_F(DisplayFixture, WorkedTransformedHistory)
{
    openWith({{2020001, 1, 2, 3, 4, 5, 1, 2}, {2020002, 6, 7, 8, 9, 10, 3, 4}, {2020003, 1, 2, 3, 4, 5, 5, 6}});
    EXPECT_FALSE(state.histext.transformed());
    // A script one value short fails the build instead of reading past its end.
    test::ScriptedRandom shortScript({99, 0, 1, 2});
    EXPECT_THROW(buildtransformed(state, shortScript), std::logic_error);
    auto rng = identityMapping(100);
    buildtransformed(state, rng);
    EXPECT_EQ(rng.reseeds, 1);
    EXPECT_TRUE(state.histext.transformed());
    EXPECT_EQ(transformedFront(0), (std::vector<int>{2, 3, 4, 5, 6}));
    EXPECT_EQ(transformedFront(1), (std::vector<int>{8, 9, 10, 11, 12}));
    EXPECT_EQ(transformedFront(2), (std::vector<int>{3, 4, 5, 6, 11}));
    const std::vector<int> coming{8, 9, 7, 11, 3};
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(mapcoming(state, n), coming[static_cast<std::size_t>(n - 1)]) << "number " << n;

    // The display rows follow the transformed fronts, with the real back numbers and issues.
    EXPECT_EQ(state.histext.cell(2, 0), "2020003");
    EXPECT_EQ(state.histext.cell(2, 1), "03 04 05 06 11 + 05 06");
    EXPECT_TRUE(state.histext.marked(2, 11 + 2));
    EXPECT_FALSE(state.histext.marked(2, 1 + 2));
    EXPECT_TRUE(state.histext.marked(2, 35 + 3 + 6));
    // The standard history stays as loaded.
    EXPECT_EQ(state.hisfull.at(2, 1), 1);
    // The rows say which space they show; a standard rebuild takes them back to the real numbers.
    buildstandard(state, datamod);
    EXPECT_FALSE(state.histext.transformed());
}

TEST_F(DisplayFixture, WindowLengthDecidesTheTieOrderByCount)
{
    // The same numbers twice give codes 2..6 in draw 0 and 3..7 in draw 1. For the third draw,
    // W = 1 counts draw 1 only (codes 3..7 tie), W = 100 counts both (code 7 is rarer and moves up).
    openWith({{2020001, 1, 2, 3, 4, 5, 1, 2}, {2020002, 1, 2, 3, 4, 5, 1, 2}, {2020003, 1, 2, 3, 4, 5, 1, 2}});
    auto narrow = identityMapping(1);
    buildtransformed(state, narrow);
    EXPECT_EQ(transformedFront(2), (std::vector<int>{3, 4, 5, 6, 8}));
    auto wide = identityMapping(100);
    buildtransformed(state, wide);
    EXPECT_EQ(transformedFront(2), (std::vector<int>{2, 3, 4, 5, 8}));
}

namespace {

/// The transformed build written out step by step, the gap found by looking back draw by draw:
/// a slow but plain reference for the program's build. Returns the transformed fronts per draw
/// and the ranks for the coming draw.
std::pair<std::vector<std::vector<int>>, std::vector<int>> referenceTransform(const LotteryState& state, int window,
                                                                              const std::vector<int>& perm)
{
    const int total = state.caisum;
    const int c = state.caisel;
    const int recnum = state.recnum;
    auto code = [&](int n, int d) { return (perm[static_cast<std::size_t>(n)] + d) % total + 1; };
    auto front = [&](int d, int j) {
        return state.hisfull.at(static_cast<std::size_t>(d), static_cast<std::size_t>(j));
    };
    std::vector<int> count(36, 0), gap(36, 0);
    std::vector<std::vector<int>> fronts;
    std::vector<int> rank(36, 0);
    for (int i = 0; i <= recnum; ++i) {
        for (int j = 1; j <= c; ++j) {
            if (i >= 1)
                ++count[static_cast<std::size_t>(code(front(i - 1, j), i - 1))];
            if (i >= window + 1)
                --count[static_cast<std::size_t>(code(front(i - window - 1, j), i - window - 1))];
        }
        for (int k = 1; k <= total; ++k) {
            bool found = false;
            for (int d = i - 1; d >= 0 && !found; --d) {
                for (int j = 1; j <= c && !found; ++j) {
                    if (code(front(d, j), d) == k) {
                        gap[static_cast<std::size_t>(k)] = i - d;
                        found = true;
                    }
                }
            }
        }
        std::vector<int> order(36);
        std::iota(order.begin(), order.end(), 0);
        for (int a = 1; a < total; ++a) {
            for (int b = a + 1; b <= total; ++b) {
                const auto ka = static_cast<std::size_t>(order[static_cast<std::size_t>(a)]);
                const auto kb = static_cast<std::size_t>(order[static_cast<std::size_t>(b)]);
                if (gap[ka] < gap[kb] || (gap[ka] == gap[kb] && count[ka] > count[kb]))
                    std::swap(order[static_cast<std::size_t>(a)], order[static_cast<std::size_t>(b)]);
            }
        }
        for (int pos = 1; pos <= total; ++pos)
            rank[static_cast<std::size_t>(order[static_cast<std::size_t>(pos)])] = pos;
        if (i < recnum) {
            std::vector<int> row;
            for (int j = 1; j <= c; ++j)
                row.push_back(rank[static_cast<std::size_t>(code(front(i, j), i))]);
            std::sort(row.begin(), row.end());
            fronts.push_back(row);
        }
    }
    return {fronts, rank};
}

} // namespace

TEST_F(DisplayFixture, BuildAgreesWithTheStepByStepReference)
{
    std::mt19937 gen(20261210);
    std::vector<std::vector<int>> draws;
    for (int i = 0; i < 150; ++i) {
        std::vector<int> numbers(35);
        std::iota(numbers.begin(), numbers.end(), 1);
        std::shuffle(numbers.begin(), numbers.end(), gen);
        draws.push_back({2020001 + i, numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], 1, 2});
    }
    openWith(draws);
    for (int window : {1, 7, 100}) {
        SCOPED_TRACE("W = " + std::to_string(window));
        std::vector<int> shuffled(35);
        std::iota(shuffled.begin(), shuffled.end(), 0);
        std::shuffle(shuffled.begin(), shuffled.end(), gen);
        std::vector<int> script{window - 1};
        script.insert(script.end(), shuffled.begin(), shuffled.end());
        test::ScriptedRandom rng(script);
        buildtransformed(state, rng);

        const auto [fronts, rank] = referenceTransform(state, window, state.bianperm);
        for (std::size_t i = 0; i < draws.size(); ++i)
            ASSERT_EQ(transformedFront(i), fronts[i]) << "draw " << i;
        EXPECT_EQ(std::vector<int>(state.bianrank.begin() + 1, state.bianrank.end()),
                  std::vector<int>(rank.begin() + 1, rank.end()));
    }
}

TEST_F(DisplayFixture, MappingOfTheComingDrawIsABijection)
{
    openWith({{2020001, 5, 11, 19, 26, 33, 2, 9},
              {2020002, 1, 8, 15, 22, 35, 1, 12},
              {2020003, 3, 4, 20, 29, 30, 6, 7},
              {2020004, 12, 13, 14, 27, 31, 3, 5}});
    ClockRandomSource rng;
    buildtransformed(state, rng);
    std::set<int> images;
    for (int n = 1; n <= 35; ++n) {
        const int t = mapcoming(state, n);
        EXPECT_GE(t, 1);
        EXPECT_LE(t, 35);
        images.insert(t);
        EXPECT_EQ(unmapcoming(state, t), n);
    }
    EXPECT_EQ(images.size(), 35u);
}

TEST_F(DisplayFixture, IndependentBuildsKeepBackNumbersAndIssues)
{
    std::vector<std::vector<int>> draws;
    for (int i = 0; i < 40; ++i)
        draws.push_back(
            {2020001 + i, 1 + i % 31, 2 + i % 31, 3 + i % 31, 4 + i % 31, 5 + i % 31, 1 + i % 12, 1 + (i + 5) % 12});
    openWith(draws);
    ClockRandomSource rng;
    buildtransformed(state, rng);
    const LotteryState first = state;
    buildtransformed(state, rng);
    bool frontDiffers = false;
    for (std::size_t i = 0; i < draws.size(); ++i) {
        EXPECT_EQ(state.histext.cell(i, 0), first.histext.cell(i, 0));
        for (int b = 1; b <= 12; ++b)
            EXPECT_EQ(state.histext.marked(i, 35 + 3 + b), first.histext.marked(i, 35 + 3 + b));
        frontDiffers |= state.histext.drawText(i) != first.histext.drawText(i);
    }
    EXPECT_TRUE(frontDiffers) << "two builds drew the same mapping";
}

TEST_F(DisplayFixture, EmptyHistoryBuildsEmptyTablesAndAFullMapping)
{
    openWith({});
    auto rng = identityMapping(50);
    buildtransformed(state, rng);
    EXPECT_EQ(state.hisbian.rows(), 0u);
    EXPECT_EQ(state.histext.rows(), 0u);
    for (int n = 1; n <= 35; ++n)
        EXPECT_EQ(unmapcoming(state, mapcoming(state, n)), n);
}

TEST_F(DisplayFixture, MappingIsTheIdentityUntilATransformedBuildOfTheLoadedHistory)
{
    const std::vector<std::vector<int>> draws{
        {2020001, 1, 2, 3, 4, 5, 1, 2}, {2020002, 6, 7, 8, 9, 10, 3, 4}, {2020003, 1, 2, 3, 4, 5, 5, 6}};
    openWith(draws);
    for (int n = 1; n <= 35; ++n) {
        EXPECT_EQ(mapcoming(state, n), n);
        EXPECT_EQ(unmapcoming(state, n), n);
    }

    auto rng = identityMapping(100);
    buildtransformed(state, rng);
    ASSERT_EQ(mapcoming(state, 1), 8);
    ASSERT_EQ(unmapcoming(state, 8), 1);

    // A new load belongs to another history: the old mapping is forgotten.
    openlottery(state, datamod, shippedLotteryDefinition());
    EXPECT_EQ(state.hisbian.rows(), 0u);
    for (int n = 1; n <= 35; ++n) {
        EXPECT_EQ(mapcoming(state, n), n);
        EXPECT_EQ(unmapcoming(state, n), n);
    }
}

TEST_F(DisplayFixture, NumbersOutsideTheFrontRangeAreRefusedByTheMapping)
{
    openWith({{2020001, 1, 2, 3, 4, 5, 1, 2}});
    auto rng = identityMapping(10);
    for (bool built : {false, true}) {
        SCOPED_TRACE(built ? "after a transformed build" : "before any transformed build");
        if (built)
            buildtransformed(state, rng);
        for (int bad : {0, 36, -1}) {
            EXPECT_THROW(mapcoming(state, bad), std::out_of_range) << bad;
            EXPECT_THROW(unmapcoming(state, bad), std::out_of_range) << bad;
        }
    }
}

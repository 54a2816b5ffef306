// The condition back-test: per draw, would the conditions have kept the winner, and at what size.
#include "check/condition_backtest.h"
#include "filter/combination_table.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace quorlin;

namespace {

struct BacktestFixture : ::testing::Test {
    Grid<std::int32_t> his = test::shippedHistory();
    BacktestHistory history{&his, 35, 5};
};

// The plain way: one full filter run per draw, the latest draw being the one before.
std::size_t keptByFullRun(const Grid<std::int32_t>& his, std::size_t row, const TotalFilterSettings& s)
{
    CombinationTable table;
    table.buildAll(35, 5);
    FilterSpace space;
    for (std::size_t k = 1; row > 0 && k <= 5; ++k)
        space.latestDraw.push_back(his.at(row - 1, k));
    return *runTotalFilter(table, s, space);
}

bool winnerKept(const Grid<std::int32_t>& his, std::size_t row, const TotalFilterSettings& s)
{
    std::vector<std::uint8_t> numbers;
    for (std::size_t k = 1; k <= 5; ++k)
        numbers.push_back(static_cast<std::uint8_t>(his.at(row, k)));
    CombinationTable table;
    table.assign(35, 5, numbers);
    FilterSpace space;
    for (std::size_t k = 1; row > 0 && k <= 5; ++k)
        space.latestDraw.push_back(his.at(row - 1, k));
    return *runTotalFilter(table, s, space) == 1;
}

} // namespace

TEST_F(BacktestFixture, AConditionThatAlwaysHoldsKeepsEveryWinnerAndEveryCombination)
{
    TotalFilterSettings s;
    s.sum = FilterRange{0, 999};
    const auto result = runBacktest(history, s, 100);
    ASSERT_TRUE(result);
    ASSERT_EQ(result->rows.size(), 100u);
    EXPECT_EQ(result->rows.back().issue, std::to_string(his.at(his.rows() - 1, 0)));
    for (const ConditionBacktestRow& row : result->rows) {
        EXPECT_TRUE(row.keptAll);
        EXPECT_EQ(row.keptCount, 324'632u);
    }
    ASSERT_EQ(result->summaries.size(), 2u);
    for (const BacktestSummary& summary : result->summaries) {
        EXPECT_EQ(summary.hitRate, 1.0) << summary.name;
        EXPECT_EQ(summary.meanKept, 324'632.0) << summary.name;
    }
}

TEST_F(BacktestFixture, AConditionThatNeverHoldsKeepsNothing)
{
    TotalFilterSettings s;
    s.sum = FilterRange{200, 300}; // the largest sum of five numbers is 165
    s.odd = FilterRange{0, 5};
    const auto result = runBacktest(history, s, 50);
    ASSERT_TRUE(result);
    ASSERT_EQ(result->conditions, (std::vector<std::string>{"奇数", "和值"}));
    for (const ConditionBacktestRow& row : result->rows) {
        EXPECT_EQ(row.kept, (std::vector<bool>{true, false}));
        EXPECT_FALSE(row.keptAll);
        EXPECT_EQ(row.keptCount, 0u);
    }
    EXPECT_EQ(result->summaries[0].hits, 50u);
    EXPECT_EQ(result->summaries[1].hits, 0u);
    EXPECT_EQ(result->summaries[2].hits, 0u);
    EXPECT_EQ(result->summaries[2].meanKept, 0.0);
}

TEST_F(BacktestFixture, EveryDrawMatchesAFullFilterRunAgainstItsPrecedingDraw)
{
    // Table of settings: the skew alone (closed form), the skew among others, others alone.
    std::vector<TotalFilterSettings> cases(3);
    cases[0].skew = FilterRange{1, 3};
    cases[1].skew = FilterRange{0, 4};
    cases[1].sum = FilterRange{70, 110};
    cases[1].odd = FilterRange{2, 3};
    cases[1].bankersOn = true;
    cases[1].bankers = {7, 18, 29};
    cases[1].bankerHits = FilterRange{0, 1};
    cases[2].ac = FilterRange{4, 6};
    cases[2].frontOn = true;
    for (int n = 1; n <= 30; ++n)
        cases[2].front.push_back(n);
    cases[2].frontHits = FilterRange{5, 5};
    for (const TotalFilterSettings& s : cases) {
        const std::size_t n = 25;
        const auto result = runBacktest(history, s, n);
        ASSERT_TRUE(result);
        const std::vector<SingleCondition> singles = activeConditions(s, 35);
        std::vector<double> keptSums(singles.size(), 0);
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t row = his.rows() - n + i;
            const ConditionBacktestRow& got = result->rows[i];
            EXPECT_EQ(got.keptCount, keptByFullRun(his, row, s)) << got.issue;
            EXPECT_EQ(got.keptAll, winnerKept(his, row, s)) << got.issue;
            for (std::size_t k = 0; k < singles.size(); ++k) {
                EXPECT_EQ(got.kept[k], winnerKept(his, row, singles[k].settings)) << got.issue << singles[k].name;
                keptSums[k] += static_cast<double>(keptByFullRun(his, row, singles[k].settings));
            }
        }
        for (std::size_t k = 0; k < singles.size(); ++k)
            EXPECT_DOUBLE_EQ(result->summaries[k].meanKept, keptSums[k] / n) << singles[k].name;
    }
}

TEST_F(BacktestFixture, TheOldestDrawHasNoPrecedingDrawForTheSkew)
{
    TotalFilterSettings s;
    s.skew = FilterRange{1, 5};
    const auto result = runBacktest(history, s, his.rows() + 10);
    ASSERT_TRUE(result);
    ASSERT_EQ(result->rows.size(), his.rows());
    EXPECT_EQ(result->rows.front().keptCount, keptByFullRun(his, 0, s));
    EXPECT_EQ(result->rows.front().keptCount, 0u);
}

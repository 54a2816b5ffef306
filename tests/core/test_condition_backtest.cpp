// The condition back-test: per draw, would the conditions have kept the winner, and at what size.
#include "analysis/indicators.h"
#include "check/condition_backtest.h"
#include "common/poisson_binomial.h"
#include "filter/combination_table.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

using namespace quorlin;

namespace {

struct BacktestFixture : ::testing::Test {
    Grid<std::int32_t> his = test::shippedHistory();
    BacktestHistory history{&his, 35, 5};
};

// The space of draw `row`: the draw before it and the omissions up to it.
FilterSpace spaceBefore(const Grid<std::int32_t>& his, std::size_t row)
{
    FilterSpace space;
    for (std::size_t k = 1; row > 0 && k <= 5; ++k)
        space.latestDraw.push_back(his.at(row - 1, k));
    space.omission = frontOmissions(his, row, 5, 35);
    return space;
}

// The plain way: one full filter run per draw against the rows before it.
std::size_t keptByFullRun(const Grid<std::int32_t>& his, std::size_t row, const TotalFilterSettings& s)
{
    CombinationTable table;
    table.buildAll(35, 5);
    return *runTotalFilter(table, s, spaceBefore(his, row));
}

bool winnerKept(const Grid<std::int32_t>& his, std::size_t row, const TotalFilterSettings& s)
{
    std::vector<std::uint8_t> numbers;
    for (std::size_t k = 1; k <= 5; ++k)
        numbers.push_back(static_cast<std::uint8_t>(his.at(row, k)));
    std::sort(numbers.begin(), numbers.end());
    CombinationTable table;
    table.assign(35, 5, numbers);
    return *runTotalFilter(table, s, spaceBefore(his, row)) == 1;
}

// Compares every draw of the back-test with full filter runs: the kept count, the winner kept
// by all and by each condition alone, the value against the range, each condition's mean size;
// and the chance figures with the draws' kept shares by those runs.
void expectMatchesFullRuns(const Grid<std::int32_t>& his, const TotalFilterSettings& s, std::size_t n)
{
    const auto result = runBacktest(BacktestHistory{&his, 35, 5}, s, n);
    ASSERT_TRUE(result);
    ASSERT_EQ(result->rows.size(), n);
    const std::vector<SingleCondition> singles = activeConditions(s, 35);
    ASSERT_EQ(result->conditions.size(), singles.size());
    std::vector<double> keptSums(singles.size(), 0);
    std::vector<std::vector<double>> chances(singles.size() + 1); // per condition, then all
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t row = his.rows() - n + i;
        const ConditionBacktestRow& got = result->rows[i];
        ASSERT_EQ(got.values.size(), singles.size());
        const std::size_t keptAll = keptByFullRun(his, row, s);
        EXPECT_EQ(got.keptCount, keptAll) << got.issue;
        chances.back().push_back(static_cast<double>(keptAll) / 324'632.0);
        EXPECT_EQ(got.keptAll, winnerKept(his, row, s)) << got.issue;
        for (std::size_t k = 0; k < singles.size(); ++k) {
            EXPECT_EQ(got.kept[k], winnerKept(his, row, singles[k].settings)) << got.issue << singles[k].name;
            EXPECT_EQ(got.kept[k], result->ranges[k].contains(got.values[k]))
                << got.issue << singles[k].name << " value " << got.values[k];
            const auto kept = static_cast<double>(keptByFullRun(his, row, singles[k].settings));
            keptSums[k] += kept;
            chances[k].push_back(kept / 324'632.0);
        }
    }
    for (std::size_t k = 0; k < singles.size(); ++k)
        EXPECT_DOUBLE_EQ(result->summaries[k].meanKept, keptSums[k] / static_cast<double>(n)) << singles[k].name;
    for (std::size_t k = 0; k <= singles.size(); ++k) {
        const BacktestSummary& summary = result->summaries[k];
        double mean = 0;
        for (const double chance : chances[k])
            mean += chance / static_cast<double>(n);
        EXPECT_NEAR(summary.chance, mean, 1e-12) << summary.name;
        EXPECT_NEAR(summary.pValue, poissonBinomialTwoSided(chances[k], summary.hits), 1e-12) << summary.name;
    }
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
        // Chance keeps every draw too: nothing to tell apart.
        EXPECT_EQ(summary.chance, 1.0) << summary.name;
        EXPECT_EQ(summary.pValue, 1.0) << summary.name;
        EXPECT_EQ(chanceText(summary), "100.0%");
        EXPECT_EQ(chancePValueText(summary), "1");
        EXPECT_EQ(chanceVerdictText(summary), "命中率与随机选号无显著差异");
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
    EXPECT_EQ(result->summaries[2].chance, 0.0);
    EXPECT_EQ(result->summaries[2].pValue, 1.0);
}

TEST(BacktestChance, TheVerdictSaysWhichWayAHitRateDiffersAtFivePercent)
{
    struct Case {
        double hitRate, chance, pValue;
        const char* verdict;
    };
    for (const Case& c : {Case{0.6, 0.5, 0.0123, "命中率高于随机选号（p=0.0123）"},
                          Case{0.4, 0.5, 1.02e-8, "命中率低于随机选号（p=1.02e-08）"},
                          Case{0.6, 0.5, 0.05, "命中率与随机选号无显著差异"},
                          Case{0.6, 0.5, 0.0499, "命中率高于随机选号（p=0.0499）"}}) {
        BacktestSummary summary;
        summary.hitRate = c.hitRate;
        summary.chance = c.chance;
        summary.pValue = c.pValue;
        EXPECT_EQ(chanceVerdictText(summary), c.verdict) << c.pValue;
    }
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
    for (const TotalFilterSettings& s : cases)
        expectMatchesFullRuns(his, s, 25);
}

TEST_F(BacktestFixture, RandomSettingsOfBothPagesAndToleranceMatchFullFilterRuns)
{
    // Tolerance 0 is the plain run; above it a combination may fail that many conditions.
    std::mt19937 random(21);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const auto subrange = [&](int lo, int hi) {
        const int a = pick(lo, hi);
        return FilterRange{a, std::min(hi, a + pick(0, (hi - lo) / 2))};
    };
    for (int round = 0; round < 6; ++round) {
        TotalFilterSettings s;
        const auto maybe = [&] { return pick(0, 9) < 3; };
        if (maybe())
            s.big = subrange(0, 5);
        if (maybe())
            s.sum = subrange(40, 140);
        if (maybe())
            s.dispersion = subrange(3, 12);
        if (round % 2 == 0)
            s.skew = subrange(0, 8);
        if (maybe()) {
            s.bankersOn = true;
            s.bankers = {pick(1, 12), pick(13, 24), pick(25, 35)};
            s.bankerHits = subrange(0, 2);
        }
        for (const ExtraConditionInfo& info : extraConditions())
            if (maybe() || (info.againstHistory && round % 3 == 0))
                s.extraRange(info.id) = subrange(info.low, info.high);
        s.tolerance = round < 2 ? 0 : pick(1, 3);
        SCOPED_TRACE("round " + std::to_string(round));
        expectMatchesFullRuns(his, s, 6);
    }
}

TEST_F(BacktestFixture, ToleranceOfEveryActiveConditionKeepsEverything)
{
    // Every condition here fails every combination: a tolerance of all of them keeps all, one
    // less keeps nothing.
    TotalFilterSettings s;
    s.sum = FilterRange{200, 300};
    s.skew = FilterRange{40, 50};
    s.extraRange(ExtraCondition::Repeat) = FilterRange{6, 9};
    s.extraRange(ExtraCondition::Tails) = FilterRange{6, 9};
    for (const int tolerance : {4, 3}) {
        s.tolerance = tolerance;
        const auto result = runBacktest(history, s, 20);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->tolerance, tolerance);
        for (const ConditionBacktestRow& row : result->rows) {
            EXPECT_EQ(row.keptAll, tolerance == 4) << row.issue;
            EXPECT_EQ(row.keptCount, tolerance == 4 ? 324'632u : 0u) << row.issue;
        }
        EXPECT_EQ(result->summaries.back().hits, tolerance == 4 ? 20u : 0u);
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

// Twelve draws of 01–20 only: 21–35 never drawn. The last three are back-tested; their values
// are worked out by hand below.
Grid<std::int32_t> smallHistory()
{
    const std::vector<std::array<int, 5>> fronts{
        {1, 2, 3, 4, 5},      {3, 6, 9, 12, 15},   {2, 4, 8, 16, 20},   {5, 10, 11, 12, 13},
        {1, 7, 14, 17, 19},   {6, 7, 8, 18, 20},   {9, 10, 11, 15, 16}, {1, 3, 5, 7, 9},
        {12, 13, 14, 15, 16}, {2, 11, 17, 18, 19}, {4, 6, 10, 13, 20},  {1, 2, 21, 30, 35},
    };
    Grid<std::int32_t> his(fronts.size(), 8);
    for (std::size_t r = 0; r < fronts.size(); ++r) {
        his.at(r, 0) = 2024001 + static_cast<int>(r);
        for (std::size_t k = 0; k < 5; ++k)
            his.at(r, k + 1) = fronts[r][k];
        his.at(r, 6) = 1;
        his.at(r, 7) = 2;
    }
    return his;
}

TEST(BacktestHistoryRelative, TheNewConditionsAgainstTheDrawsBeforeByHandAndByAPlainCount)
{
    const Grid<std::int32_t> his = smallHistory();
    using C = ExtraCondition;
    TotalFilterSettings s;
    s.skew = FilterRange{0, 10};
    s.extraRange(C::Consecutive) = FilterRange{1, 4};
    s.extraRange(C::Repeat) = FilterRange{0, 0};
    s.extraRange(C::Neighbours) = FilterRange{1, 2};
    s.extraRange(C::Hot) = FilterRange{2, 5};
    s.extraRange(C::Cold) = FilterRange{0, 0};
    // 2024010 (02 11 17 18 19) after 12 13 14 15 16: skew 10 (02), two pairs, neighbours 11 and
    // 17, hot all but 02 (omission 6). 2024011 (04 06 10 13 20) after 02 11 17 18 19: no pair.
    // 2024012 (01 02 21 30 35): 21, 30 and 35 never drawn in 11 draws are cold; skew 15.
    const std::vector<std::vector<int>> values{{10, 2, 0, 2, 4, 0}, {4, 0, 0, 2, 4, 0}, {15, 1, 0, 1, 2, 3}};
    const std::vector<std::vector<bool>> kept{{true, true, true, true, true, true},
                                              {true, false, true, true, true, true},
                                              {false, true, true, true, true, false}};
    struct Case {
        int tolerance;
        std::vector<bool> keptAll;
    };
    for (const Case& c : {Case{0, {true, false, false}}, Case{1, {true, true, false}}}) {
        s.tolerance = c.tolerance;
        const auto result = runBacktest(BacktestHistory{&his, 35, 5}, s, 3);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->conditions, (std::vector<std::string>{"偏度", "连号对数", "重号", "邻号", "热号", "冷号"}));
        ASSERT_EQ(result->rows.size(), 3u);
        // The kept counts by a plain loop over every combination and the plain definitions.
        std::vector<std::uint64_t> expectedCount(3, 0);
        std::vector<std::vector<double>> expectedSingle(3, std::vector<double>(6, 0));
        std::vector<ConditionHistory> before(3);
        for (std::size_t i = 0; i < 3; ++i) {
            const std::size_t row = 9 + i;
            for (std::size_t k = 1; k <= 5; ++k)
                before[i].latestDraw.push_back(his.at(row - 1, k));
            before[i].omission = frontOmissions(his, row, 5, 35);
        }
        const std::array<C, 5> extras{C::Consecutive, C::Repeat, C::Neighbours, C::Hot, C::Cold};
        std::array<int, 5> f{};
        for (f[0] = 1; f[0] <= 31; ++f[0])
            for (f[1] = f[0] + 1; f[1] <= 32; ++f[1])
                for (f[2] = f[1] + 1; f[2] <= 33; ++f[2])
                    for (f[3] = f[2] + 1; f[3] <= 34; ++f[3])
                        for (f[4] = f[3] + 1; f[4] <= 35; ++f[4])
                            for (std::size_t i = 0; i < 3; ++i) {
                                std::array<bool, 6> pass{};
                                pass[0] = s.skew->contains(skewvalue(f, before[i].latestDraw));
                                for (std::size_t k = 0; k < extras.size(); ++k)
                                    pass[k + 1] =
                                        s.extraRange(extras[k])->contains(extraConditionValue(extras[k], f, before[i]));
                                for (std::size_t k = 0; k < 6; ++k)
                                    expectedSingle[i][k] += pass[k] ? 1 : 0;
                                const auto failed = std::count(pass.begin(), pass.end(), false);
                                expectedCount[i] += failed <= c.tolerance ? 1 : 0;
                            }
        for (std::size_t i = 0; i < 3; ++i) {
            const ConditionBacktestRow& row = result->rows[i];
            EXPECT_EQ(row.issue, std::to_string(2024010 + i));
            EXPECT_EQ(row.values, values[i]) << row.issue;
            EXPECT_EQ(row.kept, kept[i]) << row.issue;
            EXPECT_EQ(row.keptAll, c.keptAll[i]) << row.issue;
            EXPECT_EQ(row.keptCount, expectedCount[i]) << row.issue;
        }
        for (std::size_t k = 0; k < 6; ++k)
            EXPECT_DOUBLE_EQ(result->summaries[k].meanKept,
                             (expectedSingle[0][k] + expectedSingle[1][k] + expectedSingle[2][k]) / 3)
                << result->conditions[k];
    }
}

// 最优间隔回补选号: the interval tally, the rarest-first ranking, taking by omission, the back-test.
#include "select/interval_backfill.h"
#include "select/zone_draws.h"
#include "select_draws.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace quorlin;
using test::zoneDrawsOf;

namespace {

std::vector<int> intervals(const IntervalSelection& s)
{
    std::vector<int> out;
    for (const TallyEntry& e : s.ranked)
        out.push_back(e.key);
    return out;
}

} // namespace

TEST(Backfill, OneDrawIntervalsTakeTheLastDrawInNumberOrder)
{
    const ZoneDraws draws = zoneDrawsOf({{1, 2, 3, 4, 5}, {30, 9, 21, 2, 14}, {6, 7, 8, 10, 11}, {33, 12, 5, 27, 19}});
    EXPECT_EQ(selectBackfill(draws, 4, {1, 10}).numbers, (std::vector<int>{5, 12, 19, 27, 33}));
    EXPECT_EQ(selectBackfill(draws, 4, {1, 3}).numbers, (std::vector<int>{5, 12, 19}));
}

TEST(Backfill, OnlyNumbersOfTheLastQDrawsQualify)
{
    const ZoneDraws draws = test::scrambledDraws(60, 35, 5, 11);
    for (std::size_t t = 3; t <= draws.size(); t += 7) {
        const IntervalSelection s = selectBackfill(draws, t, {2, 35});
        EXPECT_LE(s.numbers.size(), 10u);
        for (const int n : s.numbers)
            EXPECT_TRUE(draws.holds(t - 1, n) || draws.holds(t - 2, n)) << "target " << t << " number " << n;
    }
}

TEST(Backfill, TheFirstTargetLooksAtTheFirstDrawOnly)
{
    // Its five numbers end an interval 1 from "before the first draw", so interval 1 ranks last and
    // interval 2 (every other number, omission 2) first.
    const ZoneDraws draws = zoneDrawsOf({{1, 3, 4, 6, 9}, {2, 5, 7, 8, 10}});
    const IntervalSelection s = selectBackfill(draws, 1, {5, 4});
    EXPECT_EQ(s.ranked.back(), (TallyEntry{1, 5}));
    EXPECT_EQ(intervals(s).front(), 2);
    EXPECT_EQ(s.omission[1], 1);
    EXPECT_EQ(s.omission[2], 2);
    EXPECT_EQ(s.numbers, (std::vector<int>{2, 5, 7, 8}));
}

TEST(Backfill, TheBetKeepsTheTakenOrder)
{
    // Target 4, Q = 3, draws 3..0 looked at. Interval 1: the five of draw 0 (from before the first
    // draw); interval 2: 06 (1→3), 01 (0→2), the five of draw 1; interval 3: 02 (0→3), 11..14.
    // Counts 5, 7, 5 rank as 1, 3, 2. Omissions: draw 3's numbers 1, draw 1's 07..10 3, draw 2's 2.
    const ZoneDraws draws = zoneDrawsOf({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {1, 11, 12, 13, 14}, {6, 2, 15, 16, 17}});
    EXPECT_EQ(intervals(selectBackfill(draws, 4, {3, 8})), (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(selectBackfill(draws, 4, {3, 8}).numbers, (std::vector<int>{2, 6, 15, 16, 17, 7, 8, 9}));
    EXPECT_EQ(selectBackfill(draws, 4, {3, 12}).numbers, (std::vector<int>{2, 6, 15, 16, 17, 7, 8, 9, 10, 1, 11, 12}));
    EXPECT_EQ(backfillRecommendation("2020005", false, selectBackfill(draws, 4, {3, 8}).numbers),
              "2020005期前区推荐投注号码：02 06 15 16 17 07 08 09 ");
    EXPECT_EQ(backfillRecommendation("2020005", true, {12}), "2020005期后区推荐投注号码：12 ");
}

TEST(Backfill, BacktestCountsTheFirstDrawInTheSummaryOnly)
{
    const ZoneDraws draws = test::scrambledDraws(50, 35, 5, 3);
    const BacktestReport report = backfillBacktest(draws, {});
    ASSERT_EQ(report.rows.size(), 50u);
    EXPECT_EQ(report.rows[0].bet, "");
    EXPECT_EQ(report.rows[0].hits, "0");
    EXPECT_EQ(std::accumulate(report.frequency.begin(), report.frequency.end(), 0), 49);
    EXPECT_EQ(report.history.size(), 50u);
    EXPECT_NE(report.summary.find("最小中奖号码数为0个"), std::string::npos);
    for (std::size_t t = 1; t < draws.size(); t += 9) {
        const IntervalSelection s = selectBackfill(draws, t, {});
        EXPECT_EQ(report.rows[t].bet, twoDigitText(s.numbers));
        EXPECT_EQ(report.rows[t].hits, std::to_string(draws.hits(t, s.numbers)));
    }
}

// 最优四步综合选号: the four steps worked by hand, the targets that would read before the first draw,
// the back-test with its running tally and its table from draw L1 + 20.
#include "select/four_step.h"
#include "select/zone_draws.h"
#include "select_draws.h"

#include <gtest/gtest.h>

using namespace quorlin;
using test::zoneDrawsOf;

TEST(FourStep, TiesFollowTheExchangeSortInStepsOneAndFour)
{
    // L1 = L2 = L3 = L4 = 1, target 3. Step 1 counts draw 2 (10 14 24 31 33): the exchange sort
    // swaps 1..5 out to the places of those five, so places 1..17 are 10 14 24 31 33 6 7 8 9 1 11
    // 12 13 2 15 16 17, and 3, 4, 5 end at places 24, 31 and 33. Step 4 counts draw 1
    // (4 5 26 27 28): its first eight places 4 5 26 27 28 6 7 8; of them 4 5 26 27 28 stand at
    // places 26..35 of step 1.
    const ZoneDraws draws = zoneDrawsOf({{1, 2, 3, 4, 5}, {4, 5, 26, 27, 28}, {10, 14, 24, 31, 33}});
    const FourStepSelection s = selectFourStep(draws, 3, {1, 1, 1, 1});
    EXPECT_EQ(s.step1, (std::vector<int>{1, 2, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 24, 31, 33}));
    EXPECT_EQ(s.step2, (std::vector<int>{1, 2, 6, 7, 8, 9, 11, 12, 13, 15, 16, 17}));
    EXPECT_TRUE(s.step3.empty());
    EXPECT_EQ(s.step4, (std::vector<int>{4, 5, 26, 27, 28}));
    EXPECT_EQ(s.numbers, (std::vector<int>{1, 2, 4, 5, 6, 7, 8, 9, 11, 12, 13, 15, 16, 17, 26, 27, 28}));
    EXPECT_EQ(fourStepRecommendation("2020004", {1, 26}), "2020004期推荐投注号码：01 26 ");
}

TEST(FourStep, StepThreeAddsThreeInARowOnlyWhenAbsentLately)
{
    const ZoneDraws draws = zoneDrawsOf(
        {{1, 2, 3, 4, 5}, {1, 6, 7, 8, 9}, {1, 10, 11, 12, 13}, {14, 15, 16, 17, 18}, {19, 20, 21, 22, 23}});
    // 01 came out in draws 0, 1, 2: within the last L1 = 3 draws' triples, absent from draw 4.
    EXPECT_EQ(selectFourStep(draws, 5, {3, 1, 1, 1}).step3, (std::vector<int>{1}));
    EXPECT_TRUE(selectFourStep(draws, 5, {3, 1, 3, 1}).step3.empty());
    // Three in a row right before the target is never added: it came out in the last draw.
    EXPECT_TRUE(selectFourStep(draws, 3, {1, 1, 1, 1}).step3.empty());
    EXPECT_EQ(selectFourStep(draws, 5, {3, 1, 1, 1}).numbers.front(), 1);
}

TEST(FourStep, StepTwoDropsTheLastDrawsNumbers)
{
    const ZoneDraws draws = test::scrambledDraws(120, 35, 5, 5);
    for (std::size_t t = 60; t <= draws.size(); t += 15) {
        const FourStepSelection s = selectFourStep(draws, t, {});
        std::vector<int> expected;
        for (const int n : s.step1)
            if (!draws.holds(t - 1, n))
                expected.push_back(n);
        EXPECT_EQ(s.step2, expected) << t;
        EXPECT_LE(s.step4.size(), 8u);
    }
}

TEST(FourStep, TargetsThatWouldReadBeforeTheFirstDrawAreRefused)
{
    const FourStepSettings defaults;
    EXPECT_EQ(fourStepFirstTarget(defaults), 42u);       // T - L1 - 2 >= 0
    EXPECT_EQ(fourStepFirstTarget({1, 5, 10, 10}), 11u); // T - L4 - 1 >= 0
    EXPECT_EQ(fourStepFirstTarget({1, 5, 10, 8}), 10u);  // T - L3 >= 0
    EXPECT_FALSE(fourStepTargetRefusal(41, defaults).empty());
    EXPECT_TRUE(fourStepTargetRefusal(42, defaults).empty());
    EXPECT_EQ(defaultRecent(2933), 40);
    EXPECT_EQ(defaultRecent(25), 25);
}

TEST(FourStep, BacktestRunsItsTallyAlongAndShowsDrawsFromL1Plus20)
{
    const ZoneDraws draws = test::scrambledDraws(200, 35, 5, 9);
    const FourStepSettings settings{30, 2, 6, 4};
    const BacktestReport report = fourStepBacktest(draws, settings);
    ASSERT_EQ(report.rows.size(), 200u - 50u);
    EXPECT_EQ(report.rows.front().issue, std::to_string(draws.issues[50]));
    EXPECT_EQ(report.history.size(), 150u);
    EXPECT_TRUE(report.frequency.empty());
    int largest = 0, smallest = 1000;
    for (std::size_t i = 50; i < draws.size(); ++i) {
        const FourStepSelection fresh = selectFourStep(draws, i, settings);
        const BacktestRow& row = report.rows[i - 50];
        EXPECT_EQ(row.draw, twoDigitText(draws.draw(i)));
        EXPECT_EQ(row.bet, twoDigitText(fresh.numbers)) << i;
        EXPECT_EQ(row.hits, std::to_string(draws.hits(i, fresh.numbers)));
    }
    // The summary covers the draws from L1 + 11, also those the table leaves out.
    for (std::size_t i = 41; i < draws.size(); ++i) {
        const int hits = draws.hits(i, selectFourStep(draws, i, settings).numbers);
        largest = std::max(largest, hits);
        smallest = std::min(smallest, hits);
    }
    EXPECT_EQ(report.summary,
              "最大中奖个数：" + std::to_string(largest) + " 最小中奖个数：" + std::to_string(smallest));

    const BacktestReport few = fourStepBacktest(test::scrambledDraws(51, 35, 5, 1), {});
    EXPECT_TRUE(few.rows.empty());
    EXPECT_EQ(few.summary, "最大中奖个数：0 最小中奖个数：1000");
}

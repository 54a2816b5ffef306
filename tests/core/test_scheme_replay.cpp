// The scheme replay: the list of each draw judged by the history before it, priced without listing
// it, beside the random baseline.
#include "check/prize_check.h"
#include "check/scheme_replay.h"
#include "common/progress.h"
#include "filter/bet_list.h"
#include "filter/combination_table.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quorlin;

namespace {

struct ReplayFixture : ::testing::Test {
    std::vector<std::string> dates;
    Grid<std::int32_t> his = test::shippedHistory(&dates);
    PrizeRules rules = [] {
        std::string error;
        auto r = readPrizeRules(std::string(quorlin::test::distFilesDir()) + "/附属/大乐透奖级.txt", error);
        EXPECT_TRUE(r.has_value()) << error;
        return r.value_or(PrizeRules{});
    }();
    ReplayHistory history() const { return ReplayHistory{&his, &dates, 35, 5, 12, 2}; }

    // The list of draw `row` the slow way: a run over every combination with the space of the
    // draws before it, paired with the back numbers.
    BetList listBefore(std::size_t row, const TotalFilterSettings& s) const
    {
        FilterSpace space;
        for (int k = 1; k <= 5; ++k)
            space.latestDraw.push_back(his.at(row - 1, static_cast<std::size_t>(k)));
        space.omission = frontOmissions(his, row, 5, 35);
        CombinationTable table;
        table.buildAll(35, 5);
        runTotalFilter(table, s, space);
        return BetList::paired(5, survivingFronts(table), 2, backPairs(s.back, 12));
    }
};

TotalFilterSettings mixedSettings()
{
    TotalFilterSettings s;
    s.sum = FilterRange{60, 120};
    s.odd = FilterRange{1, 4};
    s.skew = FilterRange{0, 6};
    s.extraRange(ExtraCondition::Repeat) = FilterRange{0, 1};
    s.extraRange(ExtraCondition::Hot) = FilterRange{1, 3};
    s.extraRange(ExtraCondition::Consecutive) = FilterRange{0, 1};
    s.tolerance = 1;
    s.back = {1, 2, 5, 8};
    return s;
}

} // namespace

TEST_F(ReplayFixture, EachDrawIsPricedAsThePrizeCheckOfItsExpandedList)
{
    const TotalFilterSettings s = mixedSettings();
    const auto replay = runReplay(history(), s, 6, rules, false);
    ASSERT_TRUE(replay);
    ASSERT_EQ(replay->rows.size(), 6u);
    for (std::size_t i = 0; i < replay->rows.size(); ++i) {
        const std::size_t row = his.rows() - 6 + i;
        const ReplayRow& got = replay->rows[i];
        const BetList list = listBefore(row, s);
        const auto expected = PrizeChecker(list).check(got.check.draw, rules);
        ASSERT_TRUE(expected);
        EXPECT_EQ(got.check.draw.issue, std::to_string(his.at(row, 0)));
        EXPECT_EQ(got.keptFronts, list.frontCount()) << got.check.draw.issue;
        EXPECT_EQ(got.bets, list.size());
        EXPECT_EQ(got.check.hits, expected->hits) << got.check.draw.issue;
        EXPECT_EQ(got.check.levelCounts, expected->levelCounts) << got.check.draw.issue;
        EXPECT_EQ(got.check.money, expected->money);
        EXPECT_EQ(got.stake, static_cast<std::int64_t>(2 * list.size()));
    }
}

TEST_F(ReplayFixture, TheRandomBaselineIsTheMeanOfEveryBet)
{
    // Every bet of the game against one draw, through the prize check: its mean is the chance of a bet.
    CombinationTable table;
    table.buildAll(35, 5);
    std::vector<int> backs;
    for (int b = 1; b <= 12; ++b)
        backs.push_back(b);
    const BetList every = BetList::paired(5, survivingFronts(table), 2, backPairs(backs, 12));
    for (const PrizeRuleSetRef& ref : rules.sets) {
        const PrizeRuleSet& set = *ref;
        const CheckDraw draw{"1", set.from, {3, 9, 17, 25, 33}, {4, 11}};
        const auto all = PrizeChecker(every).check(draw, rules);
        ASSERT_TRUE(all);
        const double mean = static_cast<double>(all->money) / static_cast<double>(every.size());
        EXPECT_NEAR(expectedFixedMoney(set, 1), mean, 1e-9) << set.title;
        EXPECT_NEAR(expectedFixedMoney(set, 1000), 1000 * mean, 1e-6) << set.title;
    }
}

TEST_F(ReplayFixture, ConditionsFreeOfTheDrawKeepOneListAndTheBalanceAddsUp)
{
    TotalFilterSettings s;
    s.sum = FilterRange{70, 110};
    s.odd = FilterRange{2, 3};
    s.back = {1, 2, 3, 4};
    const auto replay = runReplay(history(), s, 40, rules, true);
    ASSERT_TRUE(replay);
    ASSERT_EQ(replay->rows.size(), 40u);
    std::int64_t balance = 0;
    double expected = 0;
    std::int64_t stake = 0;
    for (const ReplayRow& row : replay->rows) {
        EXPECT_EQ(row.keptFronts, replay->rows.front().keptFronts);
        EXPECT_EQ(row.bets, row.keptFronts * 6);
        EXPECT_EQ(row.stake, static_cast<std::int64_t>(row.bets * 3)) << "追加: 3 元 a bet";
        balance += row.check.money - row.stake;
        stake += row.stake;
        expected += row.expectedMoney;
        EXPECT_EQ(row.balance, balance);
        EXPECT_NEAR(row.expectedBalance, expected - static_cast<double>(stake), 1e-3);
    }
    const CheckTotals& totals = replay->totals;
    EXPECT_EQ(totals.balance, balance);
    EXPECT_EQ(totals.stake, stake);
    EXPECT_EQ(totals.money - totals.stake, totals.balance);
    EXPECT_EQ(totals.draws, 40u);
    std::uint64_t levelBets = 0;
    for (const RuleSetTotals& set : replay->levelTotals)
        for (const std::uint64_t bets : set.bets)
            levelBets += bets;
    std::uint64_t rowBets = 0;
    for (const ReplayRow& row : replay->rows)
        for (const std::uint64_t n : row.check.levelCounts)
            rowBets += n;
    EXPECT_EQ(levelBets, rowBets);
    EXPECT_EQ(returnText(1043, 1000), "104.3%");
    EXPECT_EQ(returnText(5, 0), "-");
}

TEST_F(ReplayFixture, DrawsBeforeEveryRuleSetAreListedButNotPricedAndAStopGivesNothing)
{
    TotalFilterSettings s;
    s.sum = FilterRange{90, 90};
    // The whole history: the oldest draw has none before it, the draws before 2020 no rule set.
    const auto replay = runReplay(history(), s, his.rows() + 5, rules, false);
    ASSERT_TRUE(replay);
    EXPECT_EQ(replay->rows.size(), his.rows() - 1);
    EXPECT_GT(replay->totals.unpriced, 0u);
    EXPECT_EQ(replay->totals.draws + replay->totals.unpriced, replay->rows.size());
    EXPECT_EQ(replay->rows.front().stake, 0);
    EXPECT_EQ(replay->rows.front().check.rules, nullptr);

    Progress stopped;
    stopped.cancel();
    EXPECT_FALSE(runReplay(history(), s, 10, rules, false, &stopped));
}

TEST_F(ReplayFixture, TheReplayAndThePrizeCheckCountTheSameList)
{
    // Sum 15 keeps 01 02 03 04 05 alone: with 01 02 behind it the replay plays one bet a draw, the
    // list the prize check is given. Over the whole history, draws before every table included,
    // both total alike.
    TotalFilterSettings s;
    s.sum = FilterRange{15, 15};
    s.back = {1, 2};
    const auto replay = runReplay(history(), s, his.rows(), rules, true);
    ASSERT_TRUE(replay);
    ASSERT_GT(replay->totals.unpriced, 0u);
    const BetList list = BetList::paired(5, {1, 2, 3, 4, 5}, 2, {1, 2});
    const PrizeChecker checker(list);
    std::vector<DrawCheck> checks;
    for (const ReplayRow& row : replay->rows)
        checks.push_back(*checker.check(row.check.draw, rules));
    const CheckTotals checked = totalOf(checks, list.size(), true);
    const CheckTotals& replayed = replay->totals;
    EXPECT_EQ(checked.draws, replayed.draws);
    EXPECT_EQ(checked.unpriced, replayed.unpriced);
    EXPECT_EQ(checked.bets, replayed.bets);
    EXPECT_EQ(checked.stake, replayed.stake);
    EXPECT_EQ(checked.stake, static_cast<std::int64_t>(3 * replayed.draws));
    EXPECT_EQ(checked.money, replayed.money);
    EXPECT_EQ(checked.balance, replayed.balance);
}

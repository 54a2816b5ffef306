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
    ASSERT_EQ(every.size(), 21'425'712u);
    // Each era at its tables' amounts (the floating levels unknown), and 2026087 at its published
    // amounts, floating levels and 追加 included.
    PrizeBook book(rules);
    auto results = std::make_shared<PrizeResults>();
    DrawResults& published = results->draws[2026087];
    for (const auto& [level, amount] : std::vector<std::pair<std::string, std::int64_t>>{{"一等奖", 6547013},
                                                                                         {"一等奖(追加)", 5237610},
                                                                                         {"二等奖", 82652},
                                                                                         {"二等奖(追加)", 66122},
                                                                                         {"三等奖", 6666},
                                                                                         {"四等奖", 380},
                                                                                         {"五等奖", 200},
                                                                                         {"六等奖", 18},
                                                                                         {"七等奖", 7}})
        published.prizes.push_back({level, 1, amount * 100});
    book.results = results;
    std::vector<CheckDraw> draws;
    for (const PrizeRuleSetRef& set : rules.sets)
        draws.push_back(CheckDraw{"1", set->from, {3, 9, 17, 25, 33}, {4, 11}});
    draws.push_back(CheckDraw{"2026087", 20260803, {5, 10, 16, 24, 27}, {4, 10}, 2026086});
    for (const CheckDraw& draw : draws)
        for (const bool extra : {false, true}) {
            const auto all = PrizeChecker(every).check(draw, book, extra);
            ASSERT_TRUE(all);
            const double mean = static_cast<double>(all->money) / static_cast<double>(every.size());
            const ExpectedMoney one = expectedMoney(*all, 1);
            EXPECT_NEAR(one.money, mean, 1e-9) << draw.issue << ' ' << draw.date << ' ' << extra;
            EXPECT_NEAR(expectedMoney(*all, 1000).money, 1000 * mean, 1e-6) << draw.issue << ' ' << draw.date;
            // Only the published draw knows every level's money.
            EXPECT_EQ(one.unknown, draw.issue == "1") << draw.date << ' ' << extra;
            EXPECT_EQ(all->unknownWon, one.unknown) << draw.date << ' ' << extra;
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
    // The whole history under the tables from 2019019 on: the oldest draw has none before it, the
    // draws before 2019019 no rule set.
    PrizeRules late = rules;
    late.sets.erase(late.sets.begin(), late.sets.end() - 2);
    const auto replay = runReplay(history(), s, his.rows() + 5, late, false);
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
    // list the prize check is given. Over the whole history, draws before every table included
    // (the tables from 2019019 on), and every third draw with published amounts of its own, both
    // total alike.
    TotalFilterSettings s;
    s.sum = FilterRange{15, 15};
    s.back = {1, 2};
    PrizeBook book(rules);
    book.rules.sets.erase(book.rules.sets.begin(), book.rules.sets.end() - 2);
    auto results = std::make_shared<PrizeResults>();
    for (std::size_t row = 0; row < his.rows(); row += 3) {
        DrawResults& published = results->draws[his.at(row, 0)];
        for (const std::string level :
             {"一等奖", "一等奖(追加)", "二等奖", "三等奖", "四等奖", "五等奖", "六等奖", "七等奖", "八等奖", "九等奖"})
            published.prizes.push_back({level, 3, static_cast<std::int64_t>(100 * (row + level.size()))});
    }
    book.results = results;
    const auto replay = runReplay(history(), s, his.rows(), book, true);
    ASSERT_TRUE(replay);
    ASSERT_GT(replay->totals.unpriced, 0u);
    const BetList list = BetList::paired(5, {1, 2, 3, 4, 5}, 2, {1, 2});
    const PrizeChecker checker(list);
    std::vector<DrawCheck> checks;
    std::size_t published = 0;
    for (const ReplayRow& row : replay->rows) {
        checks.push_back(*checker.check(row.check.draw, book, true));
        EXPECT_EQ(row.check.money, checks.back().money) << row.check.draw.issue;
        published += row.check.prices.published && row.check.money != 0 ? 1 : 0;
    }
    EXPECT_GT(published, 0u) << "some winning draws are priced at published amounts";
    const CheckTotals checked = totalOf(checks, list.size(), true);
    const CheckTotals& replayed = replay->totals;
    EXPECT_EQ(checked.draws, replayed.draws);
    EXPECT_EQ(checked.unpriced, replayed.unpriced);
    EXPECT_EQ(checked.bets, replayed.bets);
    EXPECT_EQ(checked.stake, replayed.stake);
    EXPECT_EQ(checked.stake, static_cast<std::int64_t>(3 * replayed.draws));
    EXPECT_EQ(checked.money, replayed.money);
    EXPECT_EQ(checked.unknownWon, replayed.unknownWon);
    EXPECT_EQ(checked.balance, replayed.balance);
}

// 最优亲密数字选号: the walk over earlier occurrences, the exchange-sort ranking, both modes, the
// back-test frame it defines.
#include "select/intimacy.h"
#include "select/ranked_tally.h"
#include "select/zone_draws.h"
#include "select_draws.h"

#include <gtest/gtest.h>

#include <numeric>
#include <set>

using namespace quorlin;
using test::zoneDrawsOf;

namespace {

std::vector<int> keys(const std::vector<TallyEntry>& ranked)
{
    std::vector<int> out;
    for (const TallyEntry& e : ranked)
        out.push_back(e.key);
    return out;
}

// Back zone shaped: number 1 at draws 0, 2, 4 and in the reference draw 6; its followers are
// draws 1 (3 4), 3 (6 7) and 5 (9 10), most recent first.
ZoneDraws followerHistory()
{
    return zoneDrawsOf({{1, 2}, {3, 4}, {1, 5}, {6, 7}, {1, 8}, {9, 10}, {1, 11}}, 12);
}

IntimacySettings overall(int take, int limit)
{
    return {take, IntimacyMode::Overall, limit};
}

} // namespace

TEST(ExchangeSort, EqualCountsEndWhereTheProcedureLeavesThem)
{
    std::vector<TallyEntry> most{{1, 1}, {2, 1}, {3, 2}};
    rankMostFirst(most);
    EXPECT_EQ(keys(most), (std::vector<int>{3, 2, 1}));

    std::vector<TallyEntry> fewest{{1, 3}, {2, 0}, {3, 2}, {4, 0}, {5, 1}};
    rankFewestFirst(fewest);
    EXPECT_EQ(keys(fewest), (std::vector<int>{2, 4, 5, 3, 1}));
}

TEST(Intimacy, TheLimitCountsTheFollowersOfOneOccurrenceFewer)
{
    const ZoneDraws draws = followerHistory();
    struct Case {
        int limit;
        std::set<int> counted; // numbers with count 1, all others 0
    };
    for (const Case& c : {Case{1, {}}, Case{2, {9, 10}}, Case{3, {6, 7, 9, 10}}, Case{4, {3, 4, 6, 7, 9, 10}},
                          Case{9, {3, 4, 6, 7, 9, 10}}, Case{0, {3, 4, 6, 7, 9, 10}}}) {
        const IntimacySelection s = selectIntimate(draws, 7, overall(3, c.limit));
        EXPECT_EQ(s.references, (std::vector<int>{1, 11}));
        for (const TallyEntry& e : s.overall)
            EXPECT_EQ(e.count, c.counted.count(e.key) ? 1 : 0) << "L=" << c.limit << " number " << e.key;
        // Number 11 never came out before: its position counts nothing.
        for (const TallyEntry& e : s.positions[1])
            EXPECT_EQ(e.count, 0);
    }
}

TEST(Intimacy, NothingCountedRecommendsTheFirstNumbers)
{
    const ZoneDraws draws = followerHistory();
    // L = 1 stops at the first earlier occurrence; target 1 has no draw before its reference.
    EXPECT_EQ(selectIntimate(draws, 7, overall(3, 1)).numbers, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(selectIntimate(draws, 1, overall(3, 7)).numbers, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(keys(selectIntimate(draws, 7, overall(3, 1)).overall), keys(freshTally(1, 12)));
}

TEST(Intimacy, TiesAtTheCutFollowTheExchangeSort)
{
    // One-number draws: 3 came out at 0, 2, 4, 5 before the reference draw 6, followed by 1, 2, 3, 3.
    const ZoneDraws draws = zoneDrawsOf({{3}, {1}, {3}, {2}, {3}, {3}, {3}}, 3);
    const IntimacySelection s = selectIntimate(draws, 7, overall(2, 0));
    EXPECT_EQ(keys(s.overall), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(s.numbers, (std::vector<int>{2, 3}));
}

TEST(Intimacy, EachPositionTakesTheUnionOfThePositionRankings)
{
    const ZoneDraws draws = test::scrambledDraws(400, 35, 5, 7);
    std::size_t fewest = 99, most = 0;
    for (std::size_t t = 1; t <= draws.size(); t += 13) {
        const IntimacySelection s = selectIntimate(draws, t, {3, IntimacyMode::EachPosition, 7});
        std::set<int> expected;
        for (const auto& position : s.positions)
            for (std::size_t place = 0; place < 3; ++place)
                expected.insert(position[place].key);
        EXPECT_EQ(s.numbers, std::vector<int>(expected.begin(), expected.end()));
        fewest = std::min(fewest, s.numbers.size());
        most = std::max(most, s.numbers.size());
    }
    EXPECT_GE(fewest, 3u);
    EXPECT_LE(most, 15u);
    EXPECT_GT(most, fewest);
}

TEST(Intimacy, BacktestFrame)
{
    const ZoneDraws draws = followerHistory();
    const BacktestReport report = intimacyBacktest(draws, overall(2, 3));
    ASSERT_EQ(report.rows.size(), draws.size());
    EXPECT_EQ(report.rows[0], (BacktestRow{"2020001", "01 02 ", "", ""}));
    // Target 1: nothing counted, bet 1 2 against draw 3 4.
    EXPECT_EQ(report.rows[1], (BacktestRow{"2020002", "03 04 ", "1 2 ", "0"}));
    // Target 5 (reference 1 8): 1 came out at 2 and 0, L = 3 counts the followers of draw 2 (6 7)
    // and draw 0 (3 4); of the tie 3 4 6 7 the exchange sort puts 3 4 first.
    EXPECT_EQ(report.rows[5].bet, "3 4 ");
    EXPECT_EQ(report.frequency.size(), 3u);
    EXPECT_EQ(std::accumulate(report.frequency.begin(), report.frequency.end(), 0), 6);
    // Bars from draw L + 1 on.
    ASSERT_EQ(report.history.size(), 3u);
    EXPECT_EQ(report.history.front(), (ChartBar{"2020005", std::stoi(report.rows[4].hits)}));
    int largest = 0, smallest = 1000;
    for (std::size_t t = 1; t < report.rows.size(); ++t) {
        largest = std::max(largest, std::stoi(report.rows[t].hits));
        smallest = std::min(smallest, std::stoi(report.rows[t].hits));
    }
    EXPECT_EQ(report.summary,
              "最大中奖号码数为" + std::to_string(largest) + "个，最小中奖号码数为" + std::to_string(smallest) + "个");

    const BacktestReport single = intimacyBacktest(zoneDrawsOf({{1, 2, 3, 4, 5}}), {});
    EXPECT_EQ(single.summary, "最大中奖号码数为0个，最小中奖号码数为1000个");
    EXPECT_EQ(single.frequency, (std::vector<int>{0, 0, 0, 0, 0, 0}));
}

TEST(Intimacy, RecommendationLineAndTheFirstDraw)
{
    EXPECT_EQ(intimacyRecommendation("2020008", false, {3, 11, 19}), "2020008期前区推荐投注号码：3 11 19 ");
    EXPECT_EQ(intimacyRecommendation("2020008", true, {2, 7}), "2020008期后区推荐投注号码：2 7 ");
    EXPECT_FALSE(firstDrawRefusal(0).empty());
    EXPECT_TRUE(firstDrawRefusal(1).empty());
}

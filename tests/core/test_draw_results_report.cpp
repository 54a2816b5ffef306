// The published results of a draw as 开奖公告 and `prizes` show them.
#include "check/draw_results_report.h"
#include "store/lottery_state.h"

#include <gtest/gtest.h>

using namespace quorlin;

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Two draws: 2021039 with 派奖 lines (one amount not published) and no known sales, 2021040
// without stored results.
LotteryState twoDraws()
{
    LotteryState state;
    state.hisfull.resize(2, 8);
    const int draws[2][8] = {{2021039, 3, 9, 17, 25, 33, 4, 11}, {2021040, 1, 2, 3, 4, 5, 6, 7}};
    for (std::size_t r = 0; r < 2; ++r)
        for (std::size_t c = 0; c < 8; ++c)
            state.hisfull.at(r, c) = draws[r][c];
    state.hisdate = {"2021-04-10", "2021-04-12"};
    PrizeResults results;
    DrawResults& d = results.draws[2021039];
    d.issue = "2021039";
    d.date = "2021-04-10";
    d.prizes = {{"一等奖", 4, 1000000000},
                {"一等奖基本派奖", 4, 277777700},
                {"二等奖", 52, 12345650},
                {"三等奖派奖", 107, std::nullopt},
                {"八等奖", 0, 0}};
    d.pool = 81799654538;
    state.prizeResults = std::make_shared<const PrizeResults>(std::move(results));
    return state;
}

} // namespace

TEST(DrawResultsReport, RowsListEveryPublishedLineThenSalesAndPool)
{
    const LotteryState state = twoDraws();
    const struct {
        std::size_t row;
        Rows rows;
    } cases[] = {
        {0,
         {{"2021039", "2021-04-10", "一等奖", "4", "10000000"},
          {"2021039", "2021-04-10", "一等奖基本派奖", "4", "2777777"},
          {"2021039", "2021-04-10", "二等奖", "52", "123456.5"},
          {"2021039", "2021-04-10", "三等奖派奖", "107", "-"},
          {"2021039", "2021-04-10", "八等奖", "0", "0"},
          {"2021039", "2021-04-10", "销售额", "-"},
          {"2021039", "2021-04-10", "奖池", "817996545.38"}}},
        // No stored results: sales and pool only, both unknown.
        {1, {{"2021040", "2021-04-12", "销售额", "-"}, {"2021040", "2021-04-12", "奖池", "-"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(drawResultsRows(state, c.row), c.rows) << "row " << c.row;
}

TEST(DrawResultsReport, WindowLinesMarkTheBonusLinesAndGroupTheMoney)
{
    const LotteryState state = twoDraws();
    ASSERT_EQ(storedResults(state, 1), nullptr);
    const DrawResults* results = storedResults(state, 0);
    ASSERT_NE(results, nullptr);
    const std::vector<NoticeLine> lines = noticeLines(*results);
    ASSERT_EQ(lines.size(), 5u);
    const struct {
        const char* level;
        const char* winners;
        const char* amount;
        const char* plainAmount;
        bool bonus;
    } expected[] = {{"一等奖", "4", "10,000,000", "10000000", false},
                    {"一等奖基本派奖", "4", "2,777,777", "2777777", true},
                    {"二等奖", "52", "123,456.50", "123456.5", false},
                    {"三等奖派奖", "107", "未公布", "未公布", true},
                    {"八等奖", "0", "0", "0", false}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].level, expected[i].level);
        EXPECT_EQ(lines[i].winners, expected[i].winners) << i;
        EXPECT_EQ(lines[i].amount, expected[i].amount) << i;
        EXPECT_EQ(lines[i].plainAmount, expected[i].plainAmount) << i;
        EXPECT_EQ(lines[i].plainWinners, expected[i].winners) << i;
        EXPECT_EQ(lines[i].bonus, expected[i].bonus) << i;
        EXPECT_EQ(lines[i].note, expected[i].bonus ? kBonusNote : "") << i;
    }
    EXPECT_EQ(moneyLine("奖池", results->pool), "奖池：817,996,545.38元");
    EXPECT_EQ(moneyLine("销售额", results->sales), "销售额：未公布");
}

TEST(DrawResultsReport, NewestPrizeLineNamesTheFirstPrizeAndThePool)
{
    const auto withNewest = [](std::vector<PublishedPrize> prizes, std::optional<std::int64_t> pool) {
        LotteryState state = twoDraws();
        PrizeResults results = *state.prizeResults;
        results.draws[2021040] = DrawResults{"2021040", "2021-04-12", std::move(prizes), std::nullopt, pool};
        state.prizeResults = std::make_shared<const PrizeResults>(std::move(results));
        return state;
    };
    const struct {
        LotteryState state;
        const char* line;
    } cases[] = {
        {withNewest({{"一等奖", 3, 1000000000}, {"二等奖", 40, 20000000}}, 76832809076),
         "第2021040期：一等奖 3注，每注 1,000.00万元；奖池 7.68亿元"},
        {withNewest({{"一等奖", 0, 0}}, 5), "第2021040期：一等奖 0注；奖池 0.05元"},
        {withNewest({{"一等奖", 2, std::nullopt}}, std::nullopt), "第2021040期：一等奖 2注，每注 未公布；奖池 未公布"},
        // A 派奖 line is not the level itself.
        {withNewest({{"一等奖基本派奖", 2, 100}}, std::nullopt), "第2021040期：一等奖 未公布；奖池 未公布"},
        {twoDraws(), "第2021040期：一等奖 未公布；奖池 未公布"},
        {LotteryState(), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(newestPrizeLine(c.state), c.line);
}

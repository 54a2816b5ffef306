// The prize check: the shipped rule sets, the draws of a range, a bet list scored against draws,
// totals over a range and the texts reporting them.
#include "check/check_range.h"
#include "check/check_report.h"
#include "check/prize_check.h"
#include "check/prize_rules.h"
#include "common/grid.h"
#include "filter/bet_list.h"
#include "filter/bet_list_reader.h"
#include "invest/money.h"
#include "store/lottery_state.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

using namespace quorlin;

namespace {

PrizeRules shippedRules()
{
    std::string error;
    const auto rules = readPrizeRules(std::string(quorlin::test::distFilesDir()) + "/" + kPrizeRulesFile, error);
    EXPECT_TRUE(rules) << error;
    return rules.value_or(PrizeRules{});
}

// The draw history the project ships, as the open lottery holds it.
LotteryState historyState()
{
    LotteryState state;
    state.hisfull = test::shippedHistory(&state.hisdate);
    return state;
}

CheckDraw draw(const std::string& date, std::vector<int> front, std::vector<int> back)
{
    return CheckDraw{"x", drawDateNumber(date), std::move(front), std::move(back)};
}

// One line per bet of the list, as loaded from a file: front entries and back tuples.
BetList linesOf(const std::vector<std::vector<int>>& bets)
{
    std::vector<std::uint8_t> fronts, backs;
    std::vector<std::uint32_t> lineFront;
    std::vector<std::uint16_t> lineBack;
    for (const auto& bet : bets) {
        lineFront.push_back(static_cast<std::uint32_t>(fronts.size() / 5));
        for (std::size_t k = 0; k < 5; ++k)
            fronts.push_back(static_cast<std::uint8_t>(bet[k]));
        if (bet.size() == 7) {
            lineBack.push_back(static_cast<std::uint16_t>(backs.size() / 2));
            backs.push_back(static_cast<std::uint8_t>(bet[5]));
            backs.push_back(static_cast<std::uint8_t>(bet[6]));
        } else {
            lineBack.push_back(BetList::kNoBack);
        }
    }
    return BetList::lines(5, fronts, 2, backs, lineFront, lineBack);
}

std::vector<std::size_t> lineNumbers(const std::vector<WinningLine>& lines)
{
    std::vector<std::size_t> numbers;
    for (const WinningLine& w : lines)
        numbers.push_back(w.line);
    return numbers;
}

int hitsOf(const std::vector<int>& a, const std::vector<int>& b)
{
    return static_cast<int>(
        std::count_if(a.begin(), a.end(), [&](int x) { return std::find(b.begin(), b.end(), x) != b.end(); }));
}

} // namespace

TEST(PrizeRules, EveryEraGivesEveryHitPatternItsLevelAndAmount)
{
    const PrizeRules rules = shippedRules();
    struct Era {
        int fromIssue;
        int from;
        const char* title;
        int levels[6][3]; // [front hits][back hits]: the 1-based level, 0 for no prize
        std::vector<std::string> amounts;
    };
    const std::vector<Era> eras{
        {2007001,
         20070530,
         "八个奖级",
         {{0, 0, 8}, {0, 0, 8}, {0, 8, 7}, {8, 7, 6}, {6, 5, 4}, {3, 2, 1}},
         {"浮动", "浮动", "浮动", "3000", "500", "200", "10", "5"}},
        {2010015,
         20100203,
         "八个奖级",
         {{0, 0, 8}, {0, 0, 8}, {0, 8, 7}, {8, 7, 6}, {6, 5, 4}, {3, 2, 1}},
         {"浮动", "浮动", "浮动", "3000", "600", "100", "10", "5"}},
        {2014052,
         20140507,
         "六个奖级",
         {{0, 0, 6}, {0, 0, 6}, {0, 6, 5}, {6, 5, 4}, {5, 4, 3}, {3, 2, 1}},
         {"浮动", "浮动", "浮动", "200", "10", "5"}},
        {2019019,
         20190220,
         "九个奖级",
         {{0, 0, 9}, {0, 0, 9}, {0, 9, 8}, {9, 8, 6}, {7, 5, 4}, {3, 2, 1}},
         {"浮动", "浮动", "10000", "3000", "300", "200", "100", "15", "5"}},
        {2026014,
         20260202,
         "七个奖级",
         {{0, 0, 7}, {0, 0, 7}, {0, 7, 6}, {7, 6, 5}, {5, 4, 3}, {3, 2, 1}},
         {"浮动", "浮动", "5000/6666", "300/380", "150/200", "15/18", "5/7"}},
    };
    ASSERT_EQ(rules.sets.size(), eras.size());
    for (std::size_t e = 0; e < eras.size(); ++e) {
        const Era& era = eras[e];
        const PrizeRuleSet& set = *rules.sets[e];
        EXPECT_EQ(set.fromIssue, era.fromIssue);
        EXPECT_EQ(set.from, era.from);
        EXPECT_EQ(set.title, era.title);
        for (int f = 0; f <= 5; ++f)
            for (int b = 0; b <= 2; ++b)
                EXPECT_EQ(set.levelOf(f, b) + 1, era.levels[f][b]) << era.fromIssue << ' ' << f << "+" << b;
        ASSERT_EQ(set.levels.size(), era.amounts.size()) << era.fromIssue;
        for (std::size_t k = 0; k < era.amounts.size(); ++k)
            EXPECT_EQ(amountText(set.levels[k]), era.amounts[k]) << era.fromIssue << ' ' << set.levels[k].name;
    }
    EXPECT_EQ(rules.sets.back()->highPool, 800'000'000);
}

TEST(PrizeRules, AStoredDrawTakesTheSetOfItsIssueATypedOneOfItsDate)
{
    const PrizeRules rules = shippedRules();
    struct Case {
        int issue;
        const char* date;
        int from; // the first issue of the set, 0 for none
    };
    for (const Case c : {Case{2007001, "2007-05-30", 2007001}, Case{2010014, "2010-02-01", 2007001},
                         Case{2010015, "2010-02-03", 2010015}, Case{2014051, "2014-05-05", 2010015},
                         Case{2014052, "2014-05-07", 2014052}, Case{2019018, "2019-02-18", 2014052},
                         Case{2019019, "2019-02-20", 2019019}, Case{2026013, "2026-01-31", 2019019},
                         Case{2026014, "2026-02-02", 2026014},
                         // The issue decides where both are known; a typed draw goes by its date.
                         Case{2026014, "2026-01-30", 2026014}, Case{0, "2026/2/2", 2026014},
                         Case{0, "2026-01-31", 2019019}, Case{0, "2007-05-29", 0}, Case{0, "不是日期", 0}}) {
        const PrizeRuleSetRef set = rules.forDraw(c.issue, drawDateNumber(c.date));
        EXPECT_EQ(set ? set->fromIssue : 0, c.from) << c.issue << ' ' << c.date;
    }
    // On the first day of the seven levels, 4+2 is a 三等奖 of 5000 (at least: the pool is not known);
    // the draw before, a 四等奖 of 3000.
    const BetList one = linesOf({{1, 2, 3, 4, 30, 6, 7}});
    const PrizeChecker checker(one);
    const auto onDay = checker.check(draw("2026-02-02", {1, 2, 3, 4, 5}, {6, 7}), rules);
    const auto before = checker.check(draw("2026-01-31", {1, 2, 3, 4, 5}, {6, 7}), rules);
    EXPECT_EQ(onDay->levelCounts, (std::vector<std::uint64_t>{0, 0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(moneyText(*onDay), "5000+浮动");
    EXPECT_EQ(before->levelCounts, (std::vector<std::uint64_t>{0, 0, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(moneyText(*before), "3000");
    // Before every set: the hit pattern only, no levels and no money.
    const auto early = checker.check(draw("2006-05-01", {1, 2, 3, 4, 5}, {6, 7}), rules);
    EXPECT_EQ(early->rules, nullptr);
    EXPECT_EQ(early->hits[4][2], 1u);
    EXPECT_EQ(early->money, 0);
    EXPECT_EQ(early->bestLine, std::optional<std::size_t>(0));
}

TEST(PrizeRules, AFaultyFileIsRefusedNamingTheLine)
{
    test::TempProgramDir dir;
    struct Case {
        const char* text;
        const char* says;
    };
    for (const Case c :
         {Case{"一等奖 浮动 5+2\n", "第1行"}, Case{"规则 2020-13-01 x\n", "不是日期"},
          Case{"规则 2020-01-01 x\n一等奖 很多 5+2\n", "第2行"}, Case{"规则 2020-01-01 x\n一等奖 浮动 6+2\n", "6+2"},
          Case{"规则 2020-01-01 x\n一等奖 浮动 5+2\n二等奖 9 5+2\n", "已属于"},
          Case{"规则 2020-01-01 x\n一等奖 浮动\n", "没有"},
          // Amounts whose sums could leave 64 bits: the largest number that fits, one past it, one
          // 元 above the largest allowed.
          Case{"规则 2020-01-01 x\n一等奖 浮动 5+2\n二等奖 9223372036854775807 5+1\n",
               "第3行：金额“9223372036854775807”太大"},
          Case{"规则 2020-01-01 x\n一等奖 99999999999999999999 5+2\n", "第2行：金额“99999999999999999999”太大"},
          Case{"规则 2020-01-01 x\n一等奖 10000001 5+2\n", "每注最多 10000000 元"},
          // Two amounts hang on a pool: both or neither; 追加 closes the line.
          Case{"规则 2020-01-01 x\n三等奖 5000/6666 5+0\n", "没有“高奖池”行"},
          Case{"规则 2020-01-01 x\n高奖池 800000000\n三等奖 5000 5+0\n", "没有奖级写出高奖池金额"},
          Case{"规则 2020-01-01 x\n高奖池 八亿\n", "第2行：“高奖池”后应是一个正整数金额"},
          Case{"规则 2020-01-01 x\n一等奖 浮动 5+2 追加 很多\n", "第2行：追加金额“很多”"},
          Case{"规则 2020-01-01 x\n一等奖 浮动 5+2 追加 浮动 5+1\n", "应写在行末"},
          Case{"规则 2026014 2026-02-02 x\n一等奖 浮动 5+2\n规则 2019019 2026-03-01 y\n一等奖 浮动 5+2\n",
               "先后不一致"}}) {
        const std::string path = dir.apppath() + "rules.txt";
        std::ofstream(path) << c.text;
        std::string error;
        EXPECT_FALSE(readPrizeRules(path, error)) << c.text;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
}

TEST(PrizeRules, TheLargestAmountIsReadAndSumsBeyond64BitsAreRefused)
{
    test::TempProgramDir dir;
    const std::string path = dir.apppath() + "rules.txt";
    std::ofstream(path) << "规则 2020-01-01 x\n一等奖 " << kMaxPrizeAmount << " 5+2 0+0\n";
    std::string error;
    const auto rules = readPrizeRules(path, error);
    ASSERT_TRUE(rules) << error;
    ASSERT_EQ(rules->sets.front()->levels.front().amount, kMaxPrizeAmount);

    // Bets enough to pass 2^63 元 at the largest amount: the sums throw instead of wrapping.
    DrawCheck check;
    check.rules = rules->sets.front();
    check.hits[0][0] = 1'000'000'000'000;
    EXPECT_THROW(settleLevels(check), MoneyOverflowError);
    check.hits[0][0] = 900'000'000'000;
    settleLevels(check);
    EXPECT_EQ(check.money, kMaxPrizeAmount * 900'000'000'000);
    CheckTotals totals;
    totals.add(check, 1, false);
    EXPECT_THROW(totals.add(check, 1, false), MoneyOverflowError);
    EXPECT_THROW(CheckTotals().add(check, std::uint64_t{1} << 62, false), MoneyOverflowError) << "the stake";
}

TEST(PrizeCheck, NumberedAndSavedFilesGiveTheResultOfTheListItself)
{
    test::TempProgramDir dir;
    const PrizeRules rules = shippedRules();
    std::vector<std::uint8_t> fronts{1, 2, 3, 4, 5, 1, 2, 3, 4, 6, 3, 9, 17, 25, 33, 10, 20, 30, 31, 35};
    const BetList list = BetList::paired(5, fronts, 2, backPairs({1, 2, 11}, 12));
    std::string error;
    ASSERT_TRUE(list.writeNumbered(dir.apppath() + "n.txt", nullptr, error)) << error;
    ASSERT_TRUE(list.writeSaved(dir.apppath() + "s.txt", nullptr, error)) << error;
    const CheckDraw d = draw("2024-03-02", {1, 2, 3, 4, 33}, {2, 11});
    const auto expected = PrizeChecker(list).check(d, rules);
    ASSERT_TRUE(expected);
    // 4+2 (四等奖) is the best: the first front with 4 hits paired with "02 11", the third pair.
    EXPECT_EQ(expected->bestLevel, 3);
    EXPECT_EQ(expected->bestLine, std::optional<std::size_t>(2));
    EXPECT_EQ(list.bet(*expected->bestLine), "01 02 03 04 05+02 11");
    // The winners best first: the 4+2 line before the 4+1 and 3+x lines that come earlier in the list.
    const std::vector<WinningLine> winners = PrizeChecker(list).winningLines(*expected, 100);
    ASSERT_FALSE(winners.empty());
    EXPECT_EQ(winners.front().line, 2u);
    EXPECT_EQ(winningLineText(*expected, winners.front()), "4+2 四等奖 3,000元");
    EXPECT_EQ(winners.size(), expected->levelCounts[3] + expected->levelCounts[4] + expected->levelCounts[5] +
                                  expected->levelCounts[6] + expected->levelCounts[7] + expected->levelCounts[8]);
    for (const char* name : {"n.txt", "s.txt"}) {
        const LoadedBetList loaded = readBetList(dir.apppath() + name, 35, 5, 12, 2, kMaxBetListEntries, nullptr, true);
        ASSERT_TRUE(loaded.ok) << loaded.error;
        const auto got = PrizeChecker(loaded.lines).check(d, rules);
        EXPECT_EQ(got->hits, expected->hits) << name;
        EXPECT_EQ(got->levelCounts, expected->levelCounts) << name;
        EXPECT_EQ(got->money, expected->money) << name;
        EXPECT_EQ(got->bestLine, expected->bestLine) << name;
    }
}

TEST(PrizeCheck, LinesWithoutBackNumbersAreCheckedOnTheFrontOnly)
{
    test::TempProgramDir dir;
    const std::string path = dir.apppath() + "fronts.txt";
    std::ofstream(path) << "01 02 03 04 05\r\n01 02 03 20 21\r\n10 11 12 13 14\r\n";
    const LoadedBetList loaded = readBetList(path, 35, 5, 12, 2);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    const PrizeChecker checker(loaded.lines);
    EXPECT_EQ(checker.frontOnlyLines(), 3u);
    const PrizeRules rules = shippedRules();
    const auto got = checker.check(draw("2024-03-02", {1, 2, 3, 4, 5}, {1, 2}), rules);
    // 5+0 三等奖 and 3+0 九等奖; the back numbers of the draw hit nothing here.
    EXPECT_EQ(got->levelCounts, (std::vector<std::uint64_t>{0, 0, 1, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(got->money, 10005);
    EXPECT_EQ(got->bestLine, std::optional<std::size_t>(0));
    const std::vector<WinningLine> winners = checker.winningLines(*got, 10);
    EXPECT_EQ(lineNumbers(winners), (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(lineNumbers(checker.winningLines(*got, 1)), (std::vector<std::size_t>{0}));
    ASSERT_EQ(winners.size(), 2u);
    EXPECT_EQ(winningLineText(*got, winners[0]), "5+0 三等奖 10,000元");
    EXPECT_EQ(winningLineText(*got, winners[1]), "3+0 九等奖 5元");
}

TEST(PrizeCheck, ARangeOfTheRealHistoryMatchesBetByBetScoring)
{
    const LotteryState state = historyState();
    ASSERT_GT(state.hisfull.rows(), 400u);
    // The seven levels alone: the older draws of the range predate every table.
    PrizeRules rules = shippedRules();
    rules.sets.erase(rules.sets.begin(), rules.sets.end() - 1);
    // A list with repeats, mixed hits and a line without back part.
    std::vector<std::vector<int>> bets;
    for (int i = 0; i < 400; ++i) {
        std::vector<int> front;
        for (int k = 0; k < 5; ++k)
            front.push_back(1 + (i * 7 + k * (i % 6 + 1) * 5) % 35);
        std::sort(front.begin(), front.end());
        front.erase(std::unique(front.begin(), front.end()), front.end());
        for (int n = 1; front.size() < 5; ++n)
            if (std::find(front.begin(), front.end(), n) == front.end())
                front.push_back(n);
        std::sort(front.begin(), front.end());
        if (i % 50 != 7) {
            front.push_back(1 + i % 12);
            front.push_back(1 + (i % 12 + 1 + i % 5) % 12);
            std::sort(front.begin() + 5, front.end());
            if (front[5] == front[6])
                front[6] = front[6] % 12 + 1, std::sort(front.begin() + 5, front.end());
        }
        bets.push_back(front);
    }
    const BetList list = linesOf(bets);
    const PrizeChecker checker(list);
    std::vector<DrawCheck> checks;
    std::size_t predating = 0;
    for (std::size_t row = state.hisfull.rows() - 1100; row < state.hisfull.rows(); ++row) {
        const CheckDraw d = drawAt(state, row);
        const auto got = checker.check(d, rules);
        ASSERT_TRUE(got);
        const PrizeRuleSetRef set = rules.forDraw(std::stoi(d.issue), d.date);
        predating += set ? 0 : 1;
        std::vector<std::uint64_t> counts(set ? set->levels.size() : 0, 0);
        std::int64_t money = 0;
        int best = -1;
        std::optional<std::size_t> bestLine;
        // Every winning line with the hits and level it scored, whatever their order.
        std::vector<WinningLine> winners = checker.winningLines(*got, bets.size());
        std::sort(winners.begin(), winners.end(), [](const auto& a, const auto& b) { return a.line < b.line; });
        auto winner = winners.begin();
        for (std::size_t i = 0; i < bets.size(); ++i) {
            const std::vector<int> front(bets[i].begin(), bets[i].begin() + 5);
            const std::vector<int> back(bets[i].begin() + 5, bets[i].end());
            const int frontHits = hitsOf(front, d.front), backHits = hitsOf(back, d.back);
            const int level = set ? set->levelOf(frontHits, backHits) : -1;
            if (set ? level >= 0 : frontHits + backHits > 0) {
                ASSERT_TRUE(winner != winners.end() && winner->line == i) << d.issue << " line " << i;
                EXPECT_EQ(winner->frontHits, frontHits) << d.issue << " line " << i;
                EXPECT_EQ(winner->backHits, backHits) << d.issue << " line " << i;
                EXPECT_EQ(winner->level, level) << d.issue << " line " << i;
                ++winner;
            }
            if (level < 0)
                continue;
            ++counts[static_cast<std::size_t>(level)];
            money += set->levels[static_cast<std::size_t>(level)].amount.value_or(0);
            if (best < 0 || level < best)
                best = level, bestLine = i;
        }
        EXPECT_EQ(got->levelCounts, counts) << d.issue;
        EXPECT_EQ(got->money, money) << d.issue;
        if (set) {
            EXPECT_EQ(got->bestLine, bestLine) << d.issue;
        }
        EXPECT_TRUE(winner == winners.end()) << d.issue;
        checks.push_back(*got);
    }
    EXPECT_GT(predating, 0u);
    EXPECT_LT(predating, 1100u);
    const CheckTotals plain = totalOf(checks, list.size(), false);
    const CheckTotals extra = totalOf(checks, list.size(), true);
    // The draws before every table are neither staked nor priced.
    const auto priced = static_cast<std::int64_t>(1100 - predating);
    EXPECT_EQ(plain.draws, 1100 - predating);
    EXPECT_EQ(plain.bets, static_cast<std::uint64_t>(400 * priced));
    EXPECT_EQ(plain.stake, 2 * 400 * priced);
    EXPECT_EQ(extra.stake, 3 * 400 * priced);
    EXPECT_EQ(plain.balance, plain.money - plain.stake);
    EXPECT_EQ(plain.unpriced, predating);
    EXPECT_GT(plain.money, 0);
}

TEST(PrizeCheck, TheRangeIsTheNewestDrawAnIssueOrTheNewestN)
{
    LotteryState state;
    state.hisfull.resize(3, 8);
    for (std::size_t r = 0; r < 3; ++r) {
        state.hisfull.at(r, 0) = 2020001 + static_cast<int>(r);
        for (std::size_t k = 1; k < 8; ++k)
            state.hisfull.at(r, k) = static_cast<int>(r + k);
        state.hisdate.push_back("2020-01-0" + std::to_string(r + 1));
    }
    struct Case {
        CheckRange range;
        std::vector<std::string> issues;
    };
    const Case cases[] = {{CheckRange::newest(), {"2020003"}},
                          {CheckRange::ofIssue("2020002"), {"2020002"}},
                          {CheckRange::last(2), {"2020002", "2020003"}},
                          {CheckRange::last(9), {"2020001", "2020002", "2020003"}},
                          {CheckRange::last(0), {}}};
    for (const Case& c : cases) {
        const auto draws = drawsOf(state, c.range);
        ASSERT_TRUE(draws) << c.range.issue << " " << c.range.count;
        std::vector<std::string> issues;
        for (const CheckDraw& d : *draws)
            issues.push_back(d.issue);
        EXPECT_EQ(issues, c.issues) << static_cast<int>(c.range.kind) << " " << c.range.count;
    }
    const auto one = drawsOf(state, CheckRange::ofIssue("2020002"));
    EXPECT_EQ(one->front().date, 20200102);
    EXPECT_EQ(one->front().front, (std::vector<int>{2, 3, 4, 5, 6}));
    EXPECT_EQ(one->front().back, (std::vector<int>{7, 8}));
    EXPECT_FALSE(drawsOf(state, CheckRange::ofIssue("2020004")));
    EXPECT_FALSE(drawsOf(state, CheckRange::ofIssue("")));
    // No draws yet: every range is empty, but an issue is still not there.
    const LotteryState none;
    EXPECT_TRUE(drawsOf(none, CheckRange::newest())->empty());
    EXPECT_TRUE(drawsOf(none, CheckRange::last(5))->empty());
    EXPECT_FALSE(drawsOf(none, CheckRange::ofIssue("2020001")));
}

TEST(PrizeCheck, ADrawBeforeEveryTableIsReportedByItsHitsWithoutMoney)
{
    // The window and command-line tests show the texts of draws with a table; these draws they do not reach.
    const PrizeRules rules = shippedRules();
    const BetList list = linesOf({{1, 2, 3, 4, 5, 1, 2}, {1, 2, 3, 4, 6, 3, 4}, {20, 21, 22, 23, 24, 5, 6}});
    const PrizeChecker checker(list);
    const auto priced = checker.check(draw("2024-03-02", {1, 2, 3, 4, 5}, {1, 2}), rules);
    const auto early = checker.check(draw("2006-05-01", {1, 2, 3, 4, 5}, {1, 2}), rules);
    ASSERT_TRUE(priced && early);

    EXPECT_EQ(ruleSetText(*early), "早于所有奖级表");
    EXPECT_EQ(moneyText(*early), "-");
    EXPECT_EQ(bestBetText(*early), "01 02 03 04 05+01 02");
    const std::vector<WinningLine> winners = checker.winningLines(*early, 10);
    ASSERT_EQ(winners.size(), 2u);
    EXPECT_EQ(winningLineText(*early, winners[0]), "5+2");
    EXPECT_EQ(winningLineText(*early, winners[1]), "4+0");
    EXPECT_EQ(winners[1].level, -1);

    // The totals leave the draw without a table out of the stake as out of the money, say so, and
    // that a pool prize (5+2 一等奖) is not counted.
    const CheckTotals t = totalOf({*priced, *early}, list.size(), false);
    EXPECT_EQ(t.unpriced, 1u);
    EXPECT_EQ(totalsSentence(t), "共1期3注，投入6元，奖金100元（另有浮动奖金未计），盈亏94元；"
                                 "另有1期早于所有奖级表，只按中奖号码个数列出，不计投入和奖金");
    EXPECT_EQ(totalsRow(t), "合计\t1期\t3注\t投入6\t奖金100+浮动\t盈亏94\t"
                            "另有1期早于所有奖级表，只按中奖号码个数列出，不计投入和奖金");
}

TEST(PrizeCheck, LevelColumnsAndTotalsFollowTheRuleSetsOfTheDraws)
{
    // Two tables that name their second level differently and differ in length.
    const auto level = [](const char* name, std::vector<std::pair<int, int>> patterns,
                          std::optional<std::int64_t> amount) {
        PrizeLevel l;
        l.name = name;
        l.patterns = std::move(patterns);
        l.amount = amount;
        return l;
    };
    const auto set = [](const char* title, int from, std::vector<PrizeLevel> levels) {
        PrizeRuleSet s;
        s.title = title;
        s.from = from;
        s.levels = std::move(levels);
        return std::make_shared<const PrizeRuleSet>(std::move(s));
    };
    PrizeRules rules;
    rules.sets = {
        set("旧表", 20200101, {level("一等奖", {{5, 2}}, {}), level("二等奖", {{5, 1}}, 500)}),
        set("新表", 20240101,
            {level("一等奖", {{5, 2}}, {}), level("幸运奖", {{5, 1}, {5, 0}}, 200), level("三等奖", {{4, 2}}, 50)})};
    const BetList list =
        linesOf({{1, 2, 3, 4, 5, 1, 2}, {1, 2, 3, 4, 5, 1, 3}, {1, 2, 3, 4, 5, 3, 4}, {1, 2, 3, 4, 6, 1, 2}});
    const PrizeChecker checker(list);
    std::vector<DrawCheck> checks;
    for (const char* date : {"2021-05-01", "2024-05-01", "2006-05-01"})
        checks.push_back(checker.check(draw(date, {1, 2, 3, 4, 5}, {1, 2}), rules).value());

    EXPECT_EQ(levelColumnTitles(checks), (std::vector<std::string>{"一等奖", "二等奖/幸运奖", "三等奖"}));
    std::vector<std::pair<std::string, std::uint64_t>> totals;
    for (const LevelTotal& t : levelTotals(checks))
        totals.emplace_back(t.name, t.bets);
    EXPECT_EQ(totals, (std::vector<std::pair<std::string, std::uint64_t>>{
                          {"一等奖", 2}, {"二等奖", 1}, {"幸运奖", 2}, {"三等奖", 1}}));

    // Draws before every table have no level columns.
    checks.erase(checks.begin(), checks.begin() + 2);
    EXPECT_TRUE(levelColumnTitles(checks).empty());
    EXPECT_TRUE(levelTotals(checks).empty());
}

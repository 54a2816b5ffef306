// The prize check of the full list (every front with every pair of the 12 back numbers, 21.4
// million bets) against one draw, paired and as loaded lines; and the condition back-test of
// every condition over 1000 draws of the shipped history, kept counts included, and both pages
// with 容错 over 200.
#include "check/condition_backtest.h"
#include "check/prize_check.h"
#include "check/scheme_replay.h"
#include "check/ticket.h"
#include "check/ticket_prize.h"
#include "filter/bet_list.h"
#include "filter/bet_list_reader.h"
#include "filter/combination_table.h"
#include "test_support.h"
#include "wide_filter_settings.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <numeric>
#include <random>

using namespace quorlin;

namespace {

PrizeRules rules()
{
    PrizeRules r;
    PrizeRuleSet set;
    set.from = 20200101;
    const std::vector<std::vector<std::pair<int, int>>> patterns{{{5, 2}},
                                                                 {{5, 1}},
                                                                 {{5, 0}, {4, 2}},
                                                                 {{4, 1}},
                                                                 {{4, 0}, {3, 2}},
                                                                 {{3, 1}, {2, 2}},
                                                                 {{3, 0}, {2, 1}, {1, 2}, {0, 2}}};
    for (const auto& p : patterns) {
        PrizeLevel level;
        level.name = "级";
        level.patterns = p;
        level.amount = 5;
        set.levels.push_back(level);
    }
    r.sets.push_back(std::make_shared<const PrizeRuleSet>(set));
    return r;
}

BetList fullList(bool asLines)
{
    CombinationTable table;
    table.buildAll(35, 5);
    std::vector<std::uint8_t> fronts(table.numberData(), table.numberData() + table.rows() * 5);
    std::vector<int> backs;
    for (int n = 1; n <= 12; ++n)
        backs.push_back(n);
    std::vector<std::uint8_t> pairs = backPairs(backs, 12);
    if (!asLines)
        return BetList::paired(5, std::move(fronts), 2, std::move(pairs));
    const std::size_t tuples = pairs.size() / 2;
    std::vector<std::uint32_t> lineFront;
    std::vector<std::uint16_t> lineBack;
    lineFront.reserve(table.rows() * tuples);
    lineBack.reserve(table.rows() * tuples);
    for (std::size_t f = 0; f < table.rows(); ++f)
        for (std::size_t t = 0; t < tuples; ++t) {
            lineFront.push_back(static_cast<std::uint32_t>(f));
            lineBack.push_back(static_cast<std::uint16_t>(t));
        }
    return BetList::lines(5, std::move(fronts), 2, std::move(pairs), std::move(lineFront), std::move(lineBack));
}

void checkOneDraw(benchmark::State& state, bool asLines)
{
    const BetList list = fullList(asLines);
    const PrizeRules r = rules();
    const PrizeChecker checker(list);
    const CheckDraw draw{"2026115", 20261010, {3, 9, 17, 25, 33}, {4, 11}};
    for (auto _ : state) {
        const auto result = checker.check(draw, r);
        benchmark::DoNotOptimize(result->money);
    }
    state.counters["bets"] = static_cast<double>(list.size());
}

void BM_CheckFullListPaired(benchmark::State& state)
{
    checkOneDraw(state, false);
}
void BM_CheckFullListAsLines(benchmark::State& state)
{
    checkOneDraw(state, true);
}
BENCHMARK(BM_CheckFullListPaired)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckFullListAsLines)->Unit(benchmark::kMillisecond);

// One ticket priced against one draw without expanding: the whole game as one 复式 (21.4 million
// bets) and a 胆拖.
void priceTicket(benchmark::State& state, const char* line)
{
    std::string problem;
    const Ticket ticket = *parseTicket(line, TicketShape{}, problem);
    const PrizeRules r = rules();
    const CheckDraw draw{"2026115", 20261010, {3, 9, 17, 25, 33}, {4, 11}};
    for (auto _ : state) {
        const DrawCheck result = checkTicket(ticket, draw, r.sets.front());
        benchmark::DoNotOptimize(result.money);
    }
    state.counters["bets"] = static_cast<double>(ticket.bets());
}
void BM_PriceWholeGameTicket(benchmark::State& state)
{
    priceTicket(state, "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34 "
                       "35+1 2 3 4 5 6 7 8 9 10 11 12");
}
void BM_PriceBankerTicket(benchmark::State& state)
{
    priceTicket(state, "05 18#02 09 13 21 27 30+04#01 08 11");
}
BENCHMARK(BM_PriceWholeGameTicket)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PriceBankerTicket)->Unit(benchmark::kMicrosecond);

// A file of 10,000 mixed tickets (单式, 复式 and 胆拖 of every size a player buys) read and checked
// against the newest 100 draws of the shipped history, as `check --last 100` does.
void BM_CheckTenThousandTicketsOverHundredDraws(benchmark::State& state)
{
    const Grid<std::int32_t> his = test::shippedHistory();
    test::TempProgramDir dir;
    const std::string path = dir.apppath() + "tickets.txt";
    {
        std::ofstream file(path, std::ios::binary);
        std::mt19937 random(20);
        const auto numbers = [&](int total, int count) {
            std::vector<int> all(static_cast<std::size_t>(total));
            std::iota(all.begin(), all.end(), 1);
            std::shuffle(all.begin(), all.end(), random);
            all.resize(static_cast<std::size_t>(count));
            return all;
        };
        const auto text = [](const std::vector<int>& n, std::size_t from, std::size_t to) {
            std::string t;
            for (std::size_t i = from; i < to; ++i)
                t += (i > from ? " " : "") + std::to_string(n[i]);
            return t;
        };
        for (int i = 0; i < 10000; ++i) {
            const int kind = i % 3;
            const int frontCount = kind == 0 ? 5 : 6 + static_cast<int>(random() % 6);
            const int backCount = kind == 0 ? 2 : 2 + static_cast<int>(random() % 3);
            const auto front = numbers(35, frontCount);
            const auto back = numbers(12, backCount);
            if (kind == 2)
                file << text(front, 0, 2) << '#' << text(front, 2, front.size()) << '+' << text(back, 0, 1) << '#'
                     << text(back, 1, back.size()) << "\r\n";
            else
                file << text(front, 0, front.size()) << '+' << text(back, 0, back.size()) << "\r\n";
        }
    }
    const PrizeRules r = rules();
    std::vector<CheckDraw> draws;
    for (std::size_t row = his.rows() - 100; row < his.rows(); ++row)
        draws.push_back(CheckDraw{std::to_string(his.at(row, 0)),
                                  20261010,
                                  {his.at(row, 1), his.at(row, 2), his.at(row, 3), his.at(row, 4), his.at(row, 5)},
                                  {his.at(row, 6), his.at(row, 7)}});
    std::uint64_t bets = 0;
    for (auto _ : state) {
        const LoadedBetList list =
            readBetList(path, 35, 5, 12, 2, kMaxBetListEntries, nullptr, true, TicketLines::Keep);
        const PrizeChecker checker(list);
        std::int64_t money = 0;
        for (const CheckDraw& d : draws)
            money += checker.check(d, r)->money;
        benchmark::DoNotOptimize(money);
        bets = list.bets();
    }
    state.counters["bets"] = static_cast<double>(bets);
}
BENCHMARK(BM_CheckTenThousandTicketsOverHundredDraws)->Unit(benchmark::kMillisecond);

// The replay of 1000 draws with the nine conditions of the first page and five of the second
// (偏度, 重号 and 热号 judged against the draws before each draw), and the same by a full run over
// every combination per draw. The same replay as a whole process, from the source folder (one line):
//   /usr/bin/time -v build/bin/quorlin-cli replay 中国体彩超级大乐透 --last 1000 --big 1-4 --odd 1-4
//     --sum 40-140 --span 10-34 --dispersion 4-12 --skew 0-10 --ac 5-10 --banker "3 17 29"
//     --banker-hits 0-2 --front "$(seq -s ' ' 33)" --front-hits 4-5 --consecutive 0-2 --mod3-0 0-3
//     --hot 0-4 --repeat 0-2 --tails 3-5 --back "1 2 3 4"
TotalFilterSettings replaySettings()
{
    TotalFilterSettings s = bench::wideFirstPage();
    s.extraRange(ExtraCondition::Consecutive) = FilterRange{0, 2};
    s.extraRange(ExtraCondition::Mod3Zero) = FilterRange{0, 3};
    s.extraRange(ExtraCondition::Hot) = FilterRange{0, 4};
    s.extraRange(ExtraCondition::Repeat) = FilterRange{0, 2};
    s.extraRange(ExtraCondition::Tails) = FilterRange{3, 5};
    s.back = {1, 2, 3, 4};
    return s;
}

void BM_Replay1000Draws(benchmark::State& state)
{
    std::vector<std::string> dates;
    const Grid<std::int32_t> his = test::shippedHistory(&dates);
    const PrizeRules r = rules();
    const TotalFilterSettings s = replaySettings();
    for (auto _ : state) {
        const auto result = runReplay(ReplayHistory{&his, &dates, 35, 5, 12, 2}, s, 1000, r, false);
        benchmark::DoNotOptimize(result->totals.money);
    }
}
BENCHMARK(BM_Replay1000Draws)->Unit(benchmark::kMillisecond);

void BM_Replay1000DrawsReference(benchmark::State& state)
{
    const Grid<std::int32_t> his = test::shippedHistory();
    const TotalFilterSettings s = replaySettings();
    CombinationTable table;
    table.buildAll(35, 5);
    for (auto _ : state) {
        std::uint64_t kept = 0;
        for (std::size_t row = his.rows() - 1000; row < his.rows(); ++row) {
            FilterSpace space;
            for (int k = 1; k <= 5; ++k)
                space.latestDraw.push_back(his.at(row - 1, static_cast<std::size_t>(k)));
            space.omission = frontOmissions(his, row, 5, 35);
            std::fill(table.markData(), table.markData() + table.rows(), 0);
            kept += *runTotalFilter(table, s, space);
        }
        benchmark::DoNotOptimize(kept);
    }
}
BENCHMARK(BM_Replay1000DrawsReference)->Unit(benchmark::kMillisecond);

// Every condition, the others so loose that the skew counts among nearly every row (the worst
// case: the closed form does not apply since two rows fall out), or among the rows that typical
// ranges keep.
void backtest(benchmark::State& state, bool typical)
{
    const Grid<std::int32_t> his = test::shippedHistory();
    TotalFilterSettings s;
    s.big = FilterRange{0, 5};
    s.odd = FilterRange{0, 5};
    s.sum = typical ? FilterRange{70, 110} : FilterRange{16, 164};
    s.span = FilterRange{4, 34};
    s.dispersion = FilterRange{0, 20};
    s.skew = FilterRange{1, 4};
    s.ac = FilterRange{0, 10};
    s.bankersOn = true;
    s.bankers = {3, 17, 29};
    s.bankerHits = {0, 3};
    s.frontOn = true;
    for (int n = 1; n <= 35; ++n)
        s.front.push_back(n);
    s.frontHits = {5, 5};
    const BacktestHistory h{&his, 35, 5};
    for (auto _ : state) {
        const auto result = runBacktest(h, s, 1000);
        benchmark::DoNotOptimize(result->rows.back().keptCount);
    }
}
// Both pages with 容错 1 over 200 draws: the history-relative conditions and the tolerance make
// every draw a run over the combinations the draw-free conditions leave.
void BM_BacktestBothPagesTolerance200Draws(benchmark::State& state)
{
    const Grid<std::int32_t> his = test::shippedHistory();
    TotalFilterSettings s;
    s.odd = FilterRange{2, 3};
    s.sum = FilterRange{70, 110};
    s.skew = FilterRange{1, 4};
    using C = ExtraCondition;
    s.extraRange(C::Consecutive) = FilterRange{0, 1};
    s.extraRange(C::Mod3Zero) = FilterRange{1, 2};
    s.extraRange(C::Tails) = FilterRange{4, 5};
    s.extraRange(C::Repeat) = FilterRange{0, 1};
    s.extraRange(C::Neighbours) = FilterRange{0, 2};
    s.extraRange(C::Hot) = FilterRange{1, 3};
    s.extraRange(C::Cold) = FilterRange{0, 2};
    s.tolerance = 1;
    const BacktestHistory h{&his, 35, 5};
    for (auto _ : state) {
        const auto result = runBacktest(h, s, 200);
        benchmark::DoNotOptimize(result->rows.back().keptCount);
    }
}
BENCHMARK(BM_BacktestBothPagesTolerance200Draws)->Unit(benchmark::kMillisecond);

void BM_BacktestAllConditions1000DrawsWorst(benchmark::State& state)
{
    backtest(state, false);
}
void BM_BacktestAllConditions1000DrawsTypical(benchmark::State& state)
{
    backtest(state, true);
}
BENCHMARK(BM_BacktestAllConditions1000DrawsWorst)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BacktestAllConditions1000DrawsTypical)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// The prize check of the full list (every front with every pair of the 12 back numbers, 21.4
// million bets) against one draw, paired and as loaded lines; and the condition back-test of
// every condition over 1000 draws of the shipped history, kept counts included.
#include "check/condition_backtest.h"
#include "check/prize_check.h"
#include "filter/bet_list.h"
#include "filter/combination_table.h"
#include "test_support.h"

#include <benchmark/benchmark.h>

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
    for (const auto& p : patterns)
        set.levels.push_back(PrizeLevel{"级", p, 5});
    r.sets.push_back(set);
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

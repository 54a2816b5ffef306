// The back-tests of the four selection windows over the real draw history (each must stay well
// under 100 ms), and the slowest settings over a full 20000-draw table.
#include "bench_data.h"
#include "common/calendar.h"
#include "select/four_step.h"
#include "select/interval_backfill.h"
#include "select/intimacy.h"
#include "select/stem_branch.h"
#include "select/zone_draws.h"
#include "store/draw_line_parser.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <string>

using namespace quorlin;

namespace {

// The shipped history's front or back numbers with their dates; empty when the file is missing.
ZoneDraws realHistory(Zone zone)
{
    ZoneDraws draws = zone == Zone::Front ? ZoneDraws(35, 5) : ZoneDraws(12, 2);
    std::ifstream in(std::string(benchDataDir()) + "/dlt_history.csv");
    DrawLineParser parser(todayDate());
    ImportedDraw draw;
    std::string reason;
    for (std::string line; std::getline(in, line);) {
        if (parser.parse(line, draw, reason) != DrawLineParser::Kind::Draw)
            continue;
        std::vector<int> numbers;
        for (std::size_t k = zone == Zone::Front ? 0 : 5; k < (zone == Zone::Front ? 5u : 7u); ++k)
            numbers.push_back(draw.numbers[k]);
        draws.append(draw.issue, numbers, draw.dateText());
    }
    return draws;
}

ZoneDraws syntheticHistory(int count)
{
    std::mt19937 rng(7);
    ZoneDraws draws(35, 5);
    std::vector<int> all(35);
    for (int n = 0; n < 35; ++n)
        all[static_cast<std::size_t>(n)] = n + 1;
    for (int i = 0; i < count; ++i) {
        std::shuffle(all.begin(), all.end(), rng);
        draws.append(1000000 + i, std::span<const int>(all.data(), 5), "2020-01-01");
    }
    return draws;
}

template <class Backtest> void run(benchmark::State& st, const ZoneDraws& draws, Backtest backtest)
{
    if (draws.size() == 0) {
        st.SkipWithError("draw history not available");
        return;
    }
    for (auto _ : st) {
        BacktestReport report = backtest(draws);
        benchmark::DoNotOptimize(report.rows.data());
    }
    st.counters["draws"] = static_cast<double>(draws.size());
}

const ZoneDraws& front()
{
    static const ZoneDraws draws = realHistory(Zone::Front);
    return draws;
}

void intimacyDefault(benchmark::State& st)
{
    run(st, front(), [](const ZoneDraws& d) { return intimacyBacktest(d, {}); });
}

void intimacyEveryOccurrence(benchmark::State& st)
{
    run(st, front(), [](const ZoneDraws& d) { return intimacyBacktest(d, {3, IntimacyMode::EachPosition, 0}); });
}

void intimacyBackZone(benchmark::State& st)
{
    static const ZoneDraws back = realHistory(Zone::Back);
    run(st, back, [](const ZoneDraws& d) { return intimacyBacktest(d, {2, IntimacyMode::EachPosition, 0}); });
}

void intervalWidest(benchmark::State& st)
{
    run(st, front(), [](const ZoneDraws& d) { return backfillBacktest(d, {20, 35}); });
}

void stemBranch(benchmark::State& st)
{
    run(st, front(), [](const ZoneDraws& d) { return stemBranchBacktest(d, false); });
}

void fourStepDefault(benchmark::State& st)
{
    run(st, front(), [](const ZoneDraws& d) { return fourStepBacktest(d, {}); });
}

void fourStepLongWindow(benchmark::State& st)
{
    run(st, front(), [](const ZoneDraws& d) { return fourStepBacktest(d, {1400, 5, 10, 10}); });
}

// The worst case the window allows: 全部期数 over the largest history a lottery keeps.
void intimacyEveryOccurrence20000(benchmark::State& st)
{
    static const ZoneDraws draws = syntheticHistory(20000);
    run(st, draws, [](const ZoneDraws& d) { return intimacyBacktest(d, {17, IntimacyMode::Overall, 0}); });
}

} // namespace

BENCHMARK(intimacyDefault)->Unit(benchmark::kMillisecond);
BENCHMARK(intimacyEveryOccurrence)->Unit(benchmark::kMillisecond);
BENCHMARK(intimacyBackZone)->Unit(benchmark::kMillisecond);
BENCHMARK(intervalWidest)->Unit(benchmark::kMillisecond);
BENCHMARK(stemBranch)->Unit(benchmark::kMillisecond);
BENCHMARK(fourStepDefault)->Unit(benchmark::kMillisecond);
BENCHMARK(fourStepLongWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(intimacyEveryOccurrence20000)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();

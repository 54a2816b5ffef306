// Wheel search: the size reached in 10 seconds with every core for each guarantee and pool size,
// beside the best size known (covering-design tables for 中4保4 and 中3保3) or the size a 10-second
// annealing reaches (中5保4, 中5保3). A case stops early once it reaches the best known size.
// Counters: bets (reached), best (known), over (bets − best). Run:
//   build/bin/bench_wheel                       every case, about six minutes
//   build/bin/bench_wheel --benchmark_filter='WheelSize/4-4'
// BM_AnnealMoves measures one annealing move (items per second) on a wheel one bet too small.
#include "wheel/wheel_anneal.h"
#include "wheel/wheel_maker.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <thread>

using namespace quorlin;

namespace {

struct SizeCase {
    int v, ok, hit;
    std::size_t best;
};

// 中4保4 and 中3保3: the public covering-design repository; 中5保4 and 中5保3: the targets.
constexpr SizeCase kCases[] = {
    {7, 4, 4, 9},    {8, 4, 4, 20},   {9, 4, 4, 30},   {10, 4, 4, 51}, {11, 4, 4, 66}, {12, 4, 4, 113}, {13, 4, 4, 157},
    {14, 4, 4, 229}, {15, 4, 4, 294}, {16, 4, 4, 404}, {7, 3, 3, 5},   {8, 3, 3, 8},   {9, 3, 3, 12},   {10, 3, 3, 17},
    {11, 3, 3, 20},  {12, 3, 3, 29},  {13, 3, 3, 34},  {14, 3, 3, 43}, {15, 3, 3, 55}, {16, 3, 3, 65},  {17, 3, 3, 68},
    {18, 3, 3, 94},  {19, 3, 3, 108}, {20, 3, 3, 133}, {7, 5, 4, 3},   {8, 5, 4, 5},   {9, 5, 4, 9},    {10, 5, 4, 14},
    {11, 5, 4, 22},  {12, 5, 4, 35},  {13, 5, 4, 50},  {10, 5, 3, 2},  {13, 5, 3, 8},  {16, 5, 3, 20},
};

WheelGuarantee guaranteeOf(const SizeCase& c)
{
    WheelGuarantee g;
    for (int n = 1; n <= c.v; ++n)
        g.pool.push_back(n);
    g.ok = c.ok;
    g.hit = c.hit;
    return g;
}

void BM_WheelSize(benchmark::State& state, SizeCase c)
{
    std::size_t bets = 0;
    for (auto _ : state) {
        WheelMakeOptions options;
        options.seconds = 10;
        options.threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
        options.targetSize = c.best;
        bets = makeWheel(guaranteeOf(c), options).bets.size();
    }
    state.counters["bets"] = static_cast<double>(bets);
    state.counters["best"] = static_cast<double>(c.best);
    state.counters["over"] = static_cast<double>(bets) - static_cast<double>(c.best);
}

void BM_AnnealMoves(benchmark::State& state, SizeCase c)
{
    const WheelGuarantee g = guaranteeOf(c);
    const MSetIndex index(c.v, c.ok, c.hit);
    WheelAnneal anneal(index, g.freeWidth(), c.hit, 1);
    anneal.setBets({}, {});
    anneal.coverGreedily();
    while (anneal.movable().size() >= c.best)
        anneal.removeWeakest();
    constexpr std::uint64_t kSteps = 100'000;
    for (auto _ : state)
        anneal.anneal(kSteps, [] { return false; });
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kSteps));
}

int registerCases()
{
    for (const SizeCase& c : kCases) {
        const std::string name =
            "WheelSize/" + std::to_string(c.ok) + "-" + std::to_string(c.hit) + "/v" + std::to_string(c.v);
        benchmark::RegisterBenchmark(name.c_str(), BM_WheelSize, c)
            ->Iterations(1)
            ->Unit(benchmark::kSecond)
            ->UseRealTime();
    }
    benchmark::RegisterBenchmark("AnnealMoves/4-4/v16", BM_AnnealMoves, SizeCase{16, 4, 4, 404})
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("AnnealMoves/3-3/v20", BM_AnnealMoves, SizeCase{20, 3, 3, 133})
        ->Unit(benchmark::kMillisecond);
    return 0;
}

const int registered = registerCases();

} // namespace

BENCHMARK_MAIN();

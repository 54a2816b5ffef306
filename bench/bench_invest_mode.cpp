// The investment-mode search over the real draw history: all 10 × 51 × 50 settings, on one thread
// and shared between two, for code lists of each play type; and the block plan's multiple found
// directly against trying every multiple in turn.
#include "bench_data.h"
#include "common/progress.h"
#include "common/random_source.h"
#include "common/text_file.h"
#include "invest/code_drawing.h"
#include "invest/hit_marks.h"
#include "invest/mode_replay.h"
#include "invest/mode_search.h"
#include "invest/money.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace quorlin;

namespace {

/// The front numbers of the shipped history, oldest first, as hisfull holds them.
Grid<std::int32_t> realHistory()
{
    const auto lines = readTextLines(std::string(benchDataDir()) + "/dlt_history.csv");
    Grid<std::int32_t> his;
    if (!lines || lines->size() < 2)
        return his;
    his.resize(lines->size() - 1, 8);
    for (std::size_t i = 1; i < lines->size(); ++i) {
        const auto fields = splitFields((*lines)[i]);
        his.at(i - 1, 0) = static_cast<std::int32_t>(toInt64(fields[0]));
        for (std::size_t k = 1; k < 8; ++k)
            his.at(i - 1, k) = static_cast<std::int32_t>(toInt64(fields[k + 1]));
    }
    return his;
}

class FixedSeed final : public RandomSource {
public:
    void reseed() override { engine_.seed(2026); }
    int random(int n) override { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }

private:
    std::mt19937 engine_;
};

void BM_SearchRealHistory(benchmark::State& st)
{
    static const Grid<std::int32_t> his = realHistory();
    if (his.empty()) {
        st.SkipWithError("draw history not available");
        return;
    }
    const auto type = static_cast<PlayType>(st.range(0));
    FixedSeed random;
    const CodeList codes = drawCodes(type, playTypeMaxCodes(type), 5, random);
    const ModeReplay replay(markHits(codes, type, his));
    ModeRule rule;
    rule.jushu = playTypeMaxCodes(type);
    for (auto _ : st) {
        Progress progress;
        benchmark::DoNotOptimize(searchModes(replay, rule, progress, static_cast<int>(st.range(1))));
    }
    st.counters["draws"] = static_cast<double>(his.rows());
    st.counters["settings"] = static_cast<double>(modeSearchSize(rule));
}
BENCHMARK(BM_SearchRealHistory)
    ->ArgNames({"play", "threads"})
    ->ArgsProduct({{0, 1, 2, 3}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

/// Every multiple tried in turn, as a block plan could be worked out without solving for it.
std::int64_t multipleByTrying(std::int64_t invested, std::int64_t jushu, std::int64_t outofsin, std::int64_t lirun)
{
    for (std::int64_t m = 1; m <= kModeMultipleLimit; ++m) {
        const std::int64_t total = invested + m * 2 * jushu;
        if (profitRate(m * outofsin - total, total) >= lirun)
            return m;
    }
    return 0;
}

template <std::int64_t (*Multiple)(std::int64_t, std::int64_t, std::int64_t, std::int64_t)>
void BM_BlockMultiple(benchmark::State& st)
{
    std::int64_t invested = 0;
    for (auto _ : st) {
        invested = (invested + 7919) % 2000000;
        benchmark::DoNotOptimize(Multiple(invested, 100, 1000, 10));
    }
}
BENCHMARK(BM_BlockMultiple<multipleByTrying>)->Name("BM_BlockMultiple/trying");
BENCHMARK(BM_BlockMultiple<smallestModeMultiple>)->Name("BM_BlockMultiple/direct");

} // namespace

BENCHMARK_MAIN();

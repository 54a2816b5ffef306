// Opening a lottery (load, trim check, standard tables) and one transformed build, on the real
// draw history and on a full 20000-draw table.
#include "bench_data.h"
#include "common/random_source.h"
#include "store/database.h"
#include "store/display_tables.h"
#include "store/draw_import.h"
#include "store/lottery_open.h"
#include "store/lottery_state.h"
#include "store/schema.h"
#include "store/u_datamod.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <vector>

using namespace quorlin;
namespace fs = std::filesystem;

namespace {

/// A program directory with the shipped lottery; filled from the real history or synthetic draws.
class BenchProgram {
public:
    explicit BenchProgram(int syntheticDraws)
    {
        path_ = fs::temp_directory_path() / ("quorlin-bench-" + std::to_string(std::random_device{}()));
        fs::create_directories(path_ / fs::u8path("数据库"));
        Database db;
        db.open(databasePath(), Database::Mode::Create);
        createLottery(db, shippedLotteryDefinition());
        if (syntheticDraws == 0) {
            const std::string csv = std::string(benchDataDir()) + "/dlt_history.csv";
            ok_ = fs::exists(csv) && importDraws(db, kShippedLottery, csv).ok;
            return;
        }
        std::mt19937 rng(7);
        std::vector<std::string> lines;
        for (int i = 0; i < syntheticDraws; ++i) {
            std::vector<int> front(35);
            for (int n = 0; n < 35; ++n)
                front[static_cast<std::size_t>(n)] = n + 1;
            std::shuffle(front.begin(), front.end(), rng);
            // An import takes each zone in ascending order and an issue of its date's year.
            std::sort(front.begin(), front.begin() + 5);
            const int b = static_cast<int>(rng() % 12) + 1;
            const int b1 = std::min(b, b % 12 + 1);
            const int b2 = std::max(b, b % 12 + 1);
            constexpr int kPerYear = 999;
            const int year = 2007 + i / kPerYear;
            lines.push_back(std::to_string(year * 1000 + i % kPerYear + 1) + "," + std::to_string(year) + "-06-01," +
                            std::to_string(front[0]) + "," + std::to_string(front[1]) + "," + std::to_string(front[2]) +
                            "," + std::to_string(front[3]) + "," + std::to_string(front[4]) + "," + std::to_string(b1) +
                            "," + std::to_string(b2));
        }
        ok_ = importDrawLines(db, kShippedLottery, lines).ok;
    }
    ~BenchProgram()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    bool ok() const { return ok_; }
    std::string apppath() const { return path_.string() + "/"; }
    std::string databasePath() const { return apppath() + kDatabaseRelativePath; }

private:
    fs::path path_;
    bool ok_ = false;
};

/// Runs `body` once per iteration on a lottery opened from the real history or synthetic draws.
template <class Body> void onOpenedLottery(benchmark::State& st, int syntheticDraws, Body body)
{
    BenchProgram program(syntheticDraws);
    if (!program.ok()) {
        st.SkipWithError("draw history not available");
        return;
    }
    LotteryState state;
    state.apppath = program.apppath();
    Tdatamod datamod;
    openlottery(state, datamod, shippedLotteryDefinition());
    for (auto _ : st)
        body(state, datamod);
    st.counters["draws"] = state.recnum;
}

void openLottery(benchmark::State& st, int syntheticDraws)
{
    onOpenedLottery(st, syntheticDraws, [](LotteryState& state, Tdatamod& datamod) {
        openlottery(state, datamod, shippedLotteryDefinition());
        benchmark::DoNotOptimize(state.histext.rows());
    });
}

void transformedBuild(benchmark::State& st, int syntheticDraws)
{
    ClockRandomSource rng;
    onOpenedLottery(st, syntheticDraws, [&rng](LotteryState& state, Tdatamod&) {
        buildtransformed(state, rng);
        benchmark::DoNotOptimize(state.bianrank.data());
    });
}

} // namespace

BENCHMARK_CAPTURE(openLottery, real_history, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(openLottery, draws_20000, kMaxDraws)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(transformedBuild, real_history, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(transformedBuild, draws_20000, kMaxDraws)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

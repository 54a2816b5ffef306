// The total filter: one run with every condition over all 324,632 front combinations, and the
// numbered list of every front with every pair of the 12 back numbers (21.4 million lines), each
// beside a straightforward reference.
#include "analysis/indicators.h"
#include "export/table_export.h"
#include "filter/bet_list.h"
#include "filter/combination_table.h"
#include "filter/total_filter.h"
#include "wide_filter_settings.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <unistd.h>
#include <vector>

using namespace quorlin;

namespace {

TotalFilterSettings everyCondition()
{
    return bench::wideFirstPage();
}

FilterSpace space()
{
    FilterSpace sp;
    sp.latestDraw = {12, 20, 32, 33, 35};
    return sp;
}

void BM_FilterRun(benchmark::State& state)
{
    CombinationTable table;
    table.buildAll(35, 5);
    const TotalFilterSettings settings = everyCondition();
    const FilterSpace sp = space();
    std::size_t left = 0;
    for (auto _ : state) {
        std::fill(table.markData(), table.markData() + table.rows(), 0);
        left = *runTotalFilter(table, settings, sp);
        benchmark::DoNotOptimize(left);
    }
    state.counters["kept"] = static_cast<double>(left);
}
BENCHMARK(BM_FilterRun)->Unit(benchmark::kMillisecond);

// The same run, one combination at a time through the indicator functions.
void BM_FilterRunReference(benchmark::State& state)
{
    CombinationTable table;
    table.buildAll(35, 5);
    const TotalFilterSettings s = everyCondition();
    const FilterSpace sp = space();
    const std::vector<std::int32_t> latest(sp.latestDraw.begin(), sp.latestDraw.end());
    std::vector<std::uint8_t> marks(table.rows());
    std::size_t left = 0;
    for (auto _ : state) {
        left = 0;
        for (std::size_t r = 0; r < table.rows(); ++r) {
            const auto row = table.row(r);
            const std::vector<std::int32_t> x(row.begin(), row.end());
            auto hits = [&](const std::vector<int>& chosen) {
                return static_cast<int>(std::count_if(x.begin(), x.end(), [&](int n) {
                    return std::find(chosen.begin(), chosen.end(), n) != chosen.end();
                }));
            };
            const bool keep = s.big->contains(bigcount(x, 35, BigRule::Filter)) && s.odd->contains(oddcount(x)) &&
                              s.sum->contains(sumvalue(x)) && s.span->contains(spanvalue(x)) &&
                              s.dispersion->contains(dispersion(x, 35)) && s.skew->contains(skewvalue(x, latest)) &&
                              s.ac->contains(acvalue(x, 35)) && s.bankerHits.contains(hits(s.bankers)) &&
                              s.frontHits.contains(hits(s.front));
            marks[r] = keep ? 0 : 1;
            left += keep ? 1 : 0;
        }
        benchmark::DoNotOptimize(marks.data());
    }
    state.counters["kept"] = static_cast<double>(left);
}
BENCHMARK(BM_FilterRunReference)->Unit(benchmark::kMillisecond);

// Every condition of both pages, wide ranges, and 容错 1, over a space with omissions.
TotalFilterSettings everyConditionBothPages()
{
    TotalFilterSettings s = everyCondition();
    for (const ExtraConditionInfo& info : extraConditions())
        s.extraRange(info.id) = FilterRange{info.low, info.high - 1};
    s.tolerance = 1;
    return s;
}

FilterSpace spaceWithOmissions()
{
    FilterSpace sp = space();
    sp.omission.resize(36);
    for (int n = 1; n <= 35; ++n)
        sp.omission[static_cast<std::size_t>(n)] = (n * 7) % 23;
    return sp;
}

void BM_FilterRunBothPagesTolerance1(benchmark::State& state)
{
    CombinationTable table;
    table.buildAll(35, 5);
    const TotalFilterSettings settings = everyConditionBothPages();
    const FilterSpace sp = spaceWithOmissions();
    std::size_t left = 0;
    for (auto _ : state) {
        std::fill(table.markData(), table.markData() + table.rows(), 0);
        left = *runTotalFilter(table, settings, sp);
        benchmark::DoNotOptimize(left);
    }
    state.counters["kept"] = static_cast<double>(left);
    state.counters["bytes/row"] = static_cast<double>(5 + sizeof(std::uint64_t) + sizeof(CombinationTable::Stats) + 1);
}
BENCHMARK(BM_FilterRunBothPagesTolerance1)->Unit(benchmark::kMillisecond);

// The same run one combination at a time: every value by its plain definition, failures counted.
void BM_FilterRunBothPagesReference(benchmark::State& state)
{
    CombinationTable table;
    table.buildAll(35, 5);
    const TotalFilterSettings s = everyConditionBothPages();
    const FilterSpace sp = spaceWithOmissions();
    const std::vector<std::int32_t> latest(sp.latestDraw.begin(), sp.latestDraw.end());
    const ConditionHistory history{sp.latestDraw, sp.omission};
    std::size_t left = 0;
    for (auto _ : state) {
        left = 0;
        for (std::size_t r = 0; r < table.rows(); ++r) {
            const auto row = table.row(r);
            const std::vector<std::int32_t> x(row.begin(), row.end());
            const std::vector<int> front(row.begin(), row.end());
            auto hits = [&](const std::vector<int>& chosen) {
                return static_cast<int>(std::count_if(x.begin(), x.end(), [&](int n) {
                    return std::find(chosen.begin(), chosen.end(), n) != chosen.end();
                }));
            };
            int failed = !s.big->contains(bigcount(x, 35, BigRule::Filter)) + !s.odd->contains(oddcount(x)) +
                         !s.sum->contains(sumvalue(x)) + !s.span->contains(spanvalue(x)) +
                         !s.dispersion->contains(dispersion(x, 35)) + !s.skew->contains(skewvalue(x, latest)) +
                         !s.ac->contains(acvalue(x, 35)) + !s.bankerHits.contains(hits(s.bankers)) +
                         !s.frontHits.contains(hits(s.front));
            for (const ExtraConditionInfo& info : extraConditions())
                failed += !s.extraRange(info.id)->contains(extraConditionValue(info.id, front, history));
            left += failed <= s.tolerance ? 1 : 0;
        }
        benchmark::DoNotOptimize(left);
    }
    state.counters["kept"] = static_cast<double>(left);
}
BENCHMARK(BM_FilterRunBothPagesReference)->Unit(benchmark::kMillisecond);

// In memory-backed /dev/shm where there is one: the page cache and the disk would otherwise
// measure themselves rather than the writing.
// A fresh table of every front combination with its indicators, as the first run after 清空 builds it.
void BM_BuildTable(benchmark::State& state)
{
    CombinationTable table;
    for (auto _ : state) {
        table.buildAll(35, 5);
        benchmark::DoNotOptimize(table.statsData());
    }
}
BENCHMARK(BM_BuildTable)->Unit(benchmark::kMillisecond);

std::string scratchPath()
{
    const std::filesystem::path shm("/dev/shm");
    const std::filesystem::path dir = std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
    return (dir / "quorlin-bench-temp.txt").string();
}

BetList everyBet()
{
    CombinationTable table;
    table.buildAll(35, 5);
    std::vector<std::uint8_t> fronts(table.numberData(), table.numberData() + table.rows() * 5);
    std::vector<int> back;
    for (int n = 1; n <= 12; ++n)
        back.push_back(n);
    return BetList::paired(5, std::move(fronts), 2, backPairs(back, 12));
}

void BM_WriteNumberedList(benchmark::State& state)
{
    const BetList list = everyBet();
    std::string error;
    for (auto _ : state) {
        if (!list.writeNumbered(scratchPath(), nullptr, error))
            state.SkipWithError(error.c_str());
    }
    state.counters["lines"] = static_cast<double>(list.size());
    std::filesystem::remove(scratchPath());
}
BENCHMARK(BM_WriteNumberedList)->Unit(benchmark::kMillisecond)->Iterations(3);

// The saved form (the bet alone): what the CSV is measured against.
void BM_WriteSavedList(benchmark::State& state)
{
    const BetList list = everyBet();
    std::string error;
    for (auto _ : state) {
        if (!list.writeSaved(scratchPath(), nullptr, error))
            state.SkipWithError(error.c_str());
    }
    std::filesystem::remove(scratchPath());
}
BENCHMARK(BM_WriteSavedList)->Unit(benchmark::kMillisecond)->Iterations(3);

// All 21,425,712 bets as CSV, the numbers in columns: to be within twice the saved form's time.
void BM_WriteBetListCsv(benchmark::State& state)
{
    const BetList list = everyBet();
    std::string error;
    for (auto _ : state) {
        if (!list.writeCsv(scratchPath(), nullptr, error))
            state.SkipWithError(error.c_str());
    }
    state.counters["lines"] = static_cast<double>(list.size());
    std::filesystem::remove(scratchPath());
}
BENCHMARK(BM_WriteBetListCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

// A 3,000-row table of draws (issue, date, numbers, sums, text) to .xlsx: to take at most 0.5 s.
void BM_WriteTableXlsx(benchmark::State& state)
{
    ExportTable table{
        "开奖号码",
        {"期号", "日期", "前区1", "前区2", "前区3", "前区4", "前区5", "后区1", "后区2", "和值", "比例", "形态"},
        {}};
    for (int i = 0; i < 3000; ++i) {
        std::vector<std::string> row{std::to_string(2007001 + i),
                                     "2020-0" + std::to_string(1 + i % 9) + "-1" + std::to_string(i % 10)};
        for (int k = 0; k < 7; ++k)
            row.push_back((i + k) % 35 < 9 ? "0" + std::to_string(1 + (i + k) % 35) : std::to_string(1 + (i + k) % 35));
        row.push_back(std::to_string(60 + i % 90));
        row.push_back(std::to_string(i % 100) + ".5%");
        row.push_back("大小比 3:2，奇偶比 2:3");
        table.rows.push_back(std::move(row));
    }
    const std::string path = scratchPath() + ".xlsx";
    std::string error;
    for (auto _ : state) {
        if (!writeXlsx(table, path, error))
            state.SkipWithError(error.c_str());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteTableXlsx)->Unit(benchmark::kMillisecond)->Iterations(5);

// The floor: the same number of bytes (33 a line) from one buffered loop, written the same safe
// way (a scratch file beside the target, flushed to disk, renamed over it).
void BM_WriteSameBytesReference(benchmark::State& state)
{
    const std::size_t lines = 324632u * 66u;
    const char line[] = "0000001    01 02 03 04 05+01 02\r\n";
    const std::string scratch = scratchPath() + ".part";
    for (auto _ : state) {
        std::FILE* f = std::fopen(scratch.c_str(), "wb");
        std::vector<char> buffer(1 << 20);
        std::size_t used = 0;
        for (std::size_t i = 0; i < lines; ++i) {
            std::memcpy(buffer.data() + used, line, sizeof line - 1);
            used += sizeof line - 1;
            if (used + 64 > buffer.size()) {
                std::fwrite(buffer.data(), 1, used, f);
                used = 0;
            }
        }
        std::fwrite(buffer.data(), 1, used, f);
        std::fflush(f);
        fsync(fileno(f));
        std::fclose(f);
        std::rename(scratch.c_str(), scratchPath().c_str());
    }
    std::filesystem::remove(scratchPath());
}
BENCHMARK(BM_WriteSameBytesReference)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();

// The four exclusion filters: runs of 1,000 and 10,000 iterations from all 324,632 combinations on
// the shipped history, beside a straightforward reference (1,000 iterations; 10,000 take the
// reference a quarter of an hour per filter) that visits every row of the table in every iteration
// and tests it by relabelling its numbers and comparing lists. Both draw the same random values and
// relabel the history the same way once per iteration, so they keep the same combinations.
#include "bench_data.h"
#include "common/random_source.h"
#include "filter/bias_exclusion.h"
#include "filter/exclusion_set.h"
#include "filter/follow_exclusion.h"
#include "filter/repeat_exclusion.h"
#include "filter/sum_exclusion.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace quorlin;

namespace {

const DrawHistory& shippedHistory()
{
    static const DrawHistory h = [] {
        DrawHistory d;
        std::ifstream in(std::string(benchDataDir()) + "/dlt_history.csv");
        std::string line;
        std::getline(in, line); // header
        while (std::getline(in, line)) {
            std::stringstream fields(line);
            std::string f;
            std::vector<std::string> v;
            while (std::getline(fields, f, ','))
                v.push_back(f);
            if (v.size() < 7)
                continue;
            d.issues.push_back(std::stoi(v[0]));
            for (int j = 2; j < 7; ++j)
                d.fronts.push_back(static_cast<std::uint8_t>(std::stoi(v[static_cast<std::size_t>(j)])));
        }
        d.index(); // as DrawHistory::of does for the open lottery
        return d;
    }();
    return h;
}

// The reference tests: the row's numbers relabelled into a list, compared with lists.
struct Reference {
    virtual ~Reference() = default;
    virtual bool prepare(RandomSource& rng) = 0;
    virtual bool excludes(const std::vector<int>& relabelled) const = 0;
    std::vector<std::uint8_t> relabel;
};

std::vector<std::vector<int>> lists(const std::vector<std::uint8_t>& draws)
{
    std::vector<std::vector<int>> out;
    for (std::size_t d = 0; d < draws.size(); d += 5)
        out.emplace_back(draws.begin() + static_cast<std::ptrdiff_t>(d),
                         draws.begin() + static_cast<std::ptrdiff_t>(d + 5));
    return out;
}

int common(const std::vector<int>& a, const std::vector<int>& b)
{
    int n = 0;
    for (const int x : a)
        n += std::find(b.begin(), b.end(), x) != b.end();
    return n;
}

struct SumReference : Reference {
    int cur;
    explicit SumReference(int c) : cur(c) {}
    bool prepare(RandomSource& rng) override
    {
        const int s = rng.random(cur) + 1;
        relabel = RandTransform(shippedHistory(), drawPermutation(rng, 35), s, RankOrder::GapAscending).relabelAt(cur);
        return true;
    }
    bool excludes(const std::vector<int>& r) const override
    {
        int sum = 0;
        for (const int x : r)
            sum += x;
        return sum >= 149 || sum <= 44;
    }
};

struct RepeatReference : Reference {
    int cur;
    std::vector<std::vector<int>> recent;
    explicit RepeatReference(int c) : cur(c) {}
    bool prepare(RandomSource& rng) override
    {
        const int s = rng.random(cur) + 1;
        const auto r = RandTransform(shippedHistory(), drawPermutation(rng, 35), s, RankOrder::CountAscending)
                           .relabelled(cur - 10, cur);
        relabel = r.relabelTo;
        recent = lists(r.draws);
        return true;
    }
    bool excludes(const std::vector<int>& r) const override
    {
        for (const auto& d : recent)
            if (common(r, d) >= 5)
                return true;
        return false;
    }
};

struct BiasReference : Reference {
    int cur;
    bool high = false, low = false;
    explicit BiasReference(int c) : cur(c) {}
    static int big(const std::vector<int>& r)
    {
        return static_cast<int>(std::count_if(r.begin(), r.end(), [](int x) { return x >= 17; }));
    }
    bool prepare(RandomSource& rng) override
    {
        const int s = rng.random(cur) + 1;
        const auto r = RandTransform(shippedHistory(), drawPermutation(rng, 35), s, RankOrder::CountAscending)
                           .relabelled(cur - 2, cur);
        relabel = r.relabelTo;
        const auto last = lists(r.draws);
        high = big(last[0]) >= 4 && big(last[1]) >= 4;
        low = big(last[0]) <= 1 && big(last[1]) <= 1;
        return true;
    }
    bool excludes(const std::vector<int>& r) const override
    {
        const int c = big(r);
        return (high && c > 4) || (low && c < 1);
    }
};

struct FollowReference : Reference {
    FollowExclusion member;
    std::vector<std::vector<int>> followers;
    explicit FollowReference(int c)
        : member(shippedHistory(), [c] {
              FollowExclusion::Settings s;
              s.cur = c;
              return s;
          }())
    {
    }
    bool prepare(RandomSource& rng) override
    {
        const auto h = member.history(rng, shippedHistory().draws());
        relabel = h.relabelTo;
        const auto draws = lists(h.draws);
        const auto& last = draws.back();
        followers.clear();
        for (std::size_t a = 0; a < 5; ++a)
            for (std::size_t b = a + 1; b < 5; ++b)
                for (std::size_t j = draws.size() - 1; j-- > 0;)
                    if (common({last[a], last[b]}, draws[j]) == 2) {
                        followers.push_back(draws[j + 1]);
                        break;
                    }
        return true;
    }
    bool excludes(const std::vector<int>& r) const override
    {
        int follow = 0;
        for (const auto& f : followers)
            follow = std::max(follow, common(r, f));
        return follow >= 5 || follow <= 0;
    }
};

void runReference(benchmark::State& state, Reference& ref)
{
    for (auto _ : state) {
        CombinationTable table;
        table.buildAll(35, 5);
        SeededRandomSource rng(1);
        std::vector<int> r(5);
        for (long i = 0; i < state.range(0); ++i) {
            ref.prepare(rng);
            for (std::size_t row = 0; row < table.rows(); ++row) {
                if (table.mark(row) != 0)
                    continue;
                const auto numbers = table.row(row);
                for (std::size_t j = 0; j < 5; ++j)
                    r[j] = ref.relabel[numbers[j]];
                std::sort(r.begin(), r.end());
                if (ref.excludes(r))
                    table.setMark(row, 1);
            }
        }
        state.counters["kept"] = static_cast<double>(table.unmarked());
    }
}

void runFast(benchmark::State& state, ExclusionMember& member, ExclusionSet::AfterRun after)
{
    for (auto _ : state) {
        ExclusionSet set(35, 5);
        SeededRandomSource rng(1);
        const ExclusionRunResult r = set.run(member, {false, 0, state.range(0), 0}, after, rng);
        state.counters["kept"] = static_cast<double>(r.kept);
    }
}

const int kCur = static_cast<int>(shippedHistory().draws());

void BM_Sum(benchmark::State& s)
{
    SumExclusion m(shippedHistory(), {kCur, 149, 44});
    runFast(s, m, ExclusionSet::AfterRun::StartOver);
}
void BM_SumReference(benchmark::State& s)
{
    SumReference r(kCur);
    runReference(s, r);
}
void BM_Repeat(benchmark::State& s)
{
    RepeatExclusion m(shippedHistory(), {kCur, 10, 5});
    runFast(s, m, ExclusionSet::AfterRun::Narrow);
}
void BM_RepeatReference(benchmark::State& s)
{
    RepeatReference r(kCur);
    runReference(s, r);
}
void BM_Bias(benchmark::State& s)
{
    BiasExclusion::Settings b = BiasExclusion::defaults(5);
    b.cur = kCur;
    BiasExclusion m(shippedHistory(), b);
    runFast(s, m, ExclusionSet::AfterRun::Narrow);
}
void BM_BiasReference(benchmark::State& s)
{
    BiasReference r(kCur);
    runReference(s, r);
}
void BM_Follow(benchmark::State& s)
{
    FollowExclusion::Settings f;
    f.cur = kCur;
    FollowExclusion m(shippedHistory(), f);
    runFast(s, m, ExclusionSet::AfterRun::StartOver);
}
void BM_FollowReference(benchmark::State& s)
{
    FollowReference r(kCur);
    runReference(s, r);
}

} // namespace

BENCHMARK(BM_Sum)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_SumReference)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_Repeat)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_RepeatReference)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_Bias)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_BiasReference)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_Follow)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_FollowReference)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_MAIN();

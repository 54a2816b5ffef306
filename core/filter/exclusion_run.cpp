#include "filter/exclusion_run.h"

#include "common/progress.h"
#include "filter/total_filter.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace quorlin {

namespace {

// Rows between two looks at the stop request: a few hundred microseconds of work at most.
constexpr std::size_t kStopCheckRows = 4096;

} // namespace

std::optional<std::string> checkExclusionRun(const ExclusionRunSettings& settings, long long target)
{
    const std::string most = std::to_string(kMaxExclusionIterations);
    if (settings.countMode && target < 1)
        return "过滤到的注数应大于0";
    if (!settings.countMode && (settings.iterations < 1 || settings.iterations > kMaxExclusionIterations))
        return "过滤次数应为1到" + most;
    if (settings.maxIterations < 0 || settings.maxIterations > kMaxExclusionIterations)
        return "最多过滤次数应为1到" + most;
    return std::nullopt;
}

ExclusionRunResult runExclusion(CombinationTable& table, ExclusionMember& member, const ExclusionRunSettings& settings,
                                RandomSource& rng, Progress* progress)
{
    ExclusionRunResult result;
    // The unmarked rows in table order, shrunk after every iteration so that excluded rows are not
    // visited again.
    std::vector<std::uint32_t> kept;
    kept.reserve(table.unmarked());
    for (std::size_t r = 0; r < table.rows(); ++r)
        if (table.mark(r) == 0)
            kept.push_back(static_cast<std::uint32_t>(r));
    std::size_t remaining = kept.size();
    const std::size_t start = remaining;
    const std::int64_t barTotal = settings.countMode
                                      ? static_cast<std::int64_t>(start > settings.target ? start - settings.target : 0)
                                      : settings.iterations;
    if (progress)
        progress->report(0, barTotal);

    const std::uint8_t* numbers = table.numberData();
    const std::uint64_t* masks = table.maskData();
    std::uint8_t* marks = table.markData();
    const auto width = static_cast<std::size_t>(table.width());
    auto stopped = [&] { return progress && progress->cancelled(); };
    auto finish = [&](RunEnd end) {
        result.end = end;
        result.kept = remaining;
        return result;
    };

    // Marks row r; true when the count-mode target is reached.
    auto exclude = [&](std::uint32_t r) {
        marks[r] = 1;
        --remaining;
        if (!settings.countMode)
            return false;
        if (progress)
            progress->report(static_cast<std::int64_t>(start - remaining), barTotal);
        return remaining <= settings.target;
    };
    std::unordered_multimap<std::uint64_t, std::uint32_t> rowsOf;

    for (;;) {
        if (!settings.countMode && result.iterations >= settings.iterations)
            return finish(RunEnd::Completed);
        if (settings.countMode && settings.maxIterations > 0 && result.iterations >= settings.maxIterations)
            return finish(RunEnd::IterationLimit);
        if (stopped())
            return finish(RunEnd::Stopped);
        ++result.iterations;
        if (progress && !settings.countMode)
            progress->report(result.iterations, barTotal);
        const bool active = member.prepare(rng);
        result.stage = member.stage();
        if (!active)
            continue;
        if (const std::vector<std::uint64_t>* only = member.onlyThese()) {
            // The rows holding those combinations, in table order.
            if (rowsOf.empty())
                for (const std::uint32_t r : kept)
                    rowsOf.emplace(masks[r], r);
            std::vector<std::uint32_t> rows;
            for (const std::uint64_t m : *only) {
                const auto [first, last] = rowsOf.equal_range(m);
                for (auto it = first; it != last; ++it)
                    if (marks[it->second] == 0)
                        rows.push_back(it->second);
            }
            std::sort(rows.begin(), rows.end());
            rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
            for (const std::uint32_t r : rows)
                if (member.excludes(masks[r], numbers + static_cast<std::size_t>(r) * width) && exclude(r))
                    return finish(RunEnd::Completed);
            continue;
        }
        std::size_t out = 0;
        for (std::size_t i = 0; i < kept.size(); ++i) {
            if (i % kStopCheckRows == 0 && stopped())
                return finish(RunEnd::Stopped);
            const std::uint32_t r = kept[i];
            if (marks[r] != 0) // excluded by a lookup iteration
                continue;
            if (!member.excludes(masks[r], numbers + r * width)) {
                kept[out++] = r;
                continue;
            }
            if (exclude(r))
                return finish(RunEnd::Completed);
        }
        kept.resize(out);
    }
}

void compactTable(CombinationTable& table)
{
    const std::vector<std::uint8_t> fronts = survivingFronts(table);
    table.assign(table.total(), table.width(), fronts);
}

std::optional<std::string> checkCurrentPosition(int cur, int minimum)
{
    if (cur >= minimum)
        return std::nullopt;
    if (minimum <= 1)
        return "目前投注期之前没有开奖号码，请选择以后的投注期！";
    return "目前投注期之前至少要有 " + std::to_string(minimum) + " 期开奖号码，请选择以后的投注期！";
}

} // namespace quorlin

#include "select/interval_backfill.h"

#include "select/zone_draws.h"

#include <algorithm>

namespace quorlin {

IntervalSelection selectBackfill(const ZoneDraws& draws, const DrawOccurrences& occurrences, std::size_t target,
                                 const IntervalSettings& settings)
{
    const int Q = settings.span;
    const int Z = draws.zoneSize;
    const auto t = static_cast<std::int64_t>(target);
    IntervalSelection s;
    s.ranked = freshTally(1, Q);
    // The intervals that ended in the Q + 1 draws before the target. A number's first appearance
    // ends an interval from the draw "before the first" (index -1), as the count has always done.
    for (std::int64_t r = t - 1; r >= std::max<std::int64_t>(0, t - Q - 1); --r) {
        const auto row = static_cast<std::size_t>(r);
        for (const std::uint8_t x : draws.draw(row)) {
            const std::int64_t interval = r - occurrences.latestBefore(x, row);
            if (interval >= 1 && interval <= Q)
                ++s.ranked[static_cast<std::size_t>(interval - 1)].count;
        }
    }
    rankFewestFirst(s.ranked);

    s.omission.assign(static_cast<std::size_t>(Z + 1), 0);
    for (int n = 1; n <= Z; ++n)
        s.omission[static_cast<std::size_t>(n)] = static_cast<int>(t - occurrences.latestBefore(n, target));
    for (const TallyEntry& entry : s.ranked)
        for (int n = 1; n <= Z && static_cast<int>(s.numbers.size()) < settings.take; ++n)
            if (s.omission[static_cast<std::size_t>(n)] == entry.key)
                s.numbers.push_back(n);
    return s;
}

IntervalSelection selectBackfill(const ZoneDraws& draws, std::size_t target, const IntervalSettings& settings)
{
    return selectBackfill(draws, DrawOccurrences(draws), target, settings);
}

BacktestReport backfillBacktest(const ZoneDraws& draws, const IntervalSettings& settings, Progress* progress)
{
    BacktestLayout layout;
    layout.untestedHits = "0";
    layout.untestedInSummary = true;
    const DrawOccurrences occurrences(draws);
    return runBacktest(
        draws, layout, [&](std::size_t t) { return selectBackfill(draws, occurrences, t, settings).numbers; },
        progress);
}

std::string backfillRecommendation(const std::string& targetItem, bool backZone, const std::vector<int>& numbers)
{
    return targetItem + (backZone ? "期后区推荐投注号码：" : "期前区推荐投注号码：") + twoDigitText(numbers);
}

} // namespace quorlin

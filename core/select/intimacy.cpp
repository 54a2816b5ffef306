#include "select/intimacy.h"

#include "select/zone_draws.h"

#include <algorithm>

namespace quorlin {

namespace {

// The ranking's first S places, or all of it when S exceeds the zone.
void takeTop(const std::vector<TallyEntry>& ranked, int take, std::vector<bool>& chosen)
{
    const std::size_t places = std::min(ranked.size(), static_cast<std::size_t>(std::max(take, 0)));
    for (std::size_t place = 0; place < places; ++place)
        chosen[static_cast<std::size_t>(ranked[place].key)] = true;
}

} // namespace

IntimacySelection selectIntimate(const ZoneDraws& draws, const DrawOccurrences& occurrences, std::size_t target,
                                 const IntimacySettings& settings)
{
    const int Z = draws.zoneSize;
    IntimacySelection s;
    const auto reference = draws.draw(target - 1);
    s.references.assign(reference.begin(), reference.end());

    std::vector<int> overall(static_cast<std::size_t>(Z + 1), 0);
    for (const int r : s.references) {
        std::vector<TallyEntry> tally = freshTally(1, Z);
        // The earlier draws holding r, walked from the most recent back (the reference draw itself
        // at t - 1 is not among them). The occurrence that brings the count to L stops the walk
        // before its follower counts.
        const std::span<const std::int32_t> earlier = occurrences.before(r, target - 1);
        std::size_t counted = earlier.size();
        if (settings.limit > 0)
            counted = std::min(counted, static_cast<std::size_t>(settings.limit - 1));
        for (std::size_t k = 0; k < counted; ++k) {
            const auto follower = static_cast<std::size_t>(earlier[earlier.size() - 1 - k]) + 1;
            for (const std::uint8_t n : draws.draw(follower)) {
                ++tally[n - 1u].count;
                ++overall[n];
            }
        }
        rankMostFirst(tally);
        s.positions.push_back(std::move(tally));
    }
    s.overall = freshTally(1, Z);
    for (TallyEntry& e : s.overall)
        e.count = overall[static_cast<std::size_t>(e.key)];
    rankMostFirst(s.overall);

    std::vector<bool> chosen(static_cast<std::size_t>(Z + 1), false);
    if (settings.mode == IntimacyMode::Overall)
        takeTop(s.overall, settings.take, chosen);
    else
        for (const std::vector<TallyEntry>& position : s.positions)
            takeTop(position, settings.take, chosen);
    for (int n = 1; n <= Z; ++n)
        if (chosen[static_cast<std::size_t>(n)])
            s.numbers.push_back(n);
    return s;
}

IntimacySelection selectIntimate(const ZoneDraws& draws, std::size_t target, const IntimacySettings& settings)
{
    return selectIntimate(draws, DrawOccurrences(draws), target, settings);
}

BacktestReport intimacyBacktest(const ZoneDraws& draws, const IntimacySettings& settings, Progress* progress)
{
    BacktestLayout layout;
    layout.betForm = NumberForm::Plain;
    layout.firstBar = static_cast<std::size_t>(settings.limit) + 1;
    const DrawOccurrences occurrences(draws);
    return runBacktest(
        draws, layout, [&](std::size_t t) { return selectIntimate(draws, occurrences, t, settings).numbers; },
        progress);
}

std::string intimacyRecommendation(const std::string& targetItem, bool backZone, const std::vector<int>& numbers)
{
    return targetItem + (backZone ? "期后区推荐投注号码：" : "期前区推荐投注号码：") + plainText(numbers);
}

} // namespace quorlin

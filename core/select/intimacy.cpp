#include "select/intimacy.h"

#include "select/follower_totals.h"
#include "select/zone_draws.h"

#include <algorithm>

namespace quorlin {

namespace {

// The follower counts of one target: per reference position and their sum, indexed by number.
struct FollowerCounts {
    std::vector<int> references;
    std::vector<std::vector<int>> positions;
    std::vector<int> overall;
};

void countFollowers(const ZoneDraws& draws, const FollowerTotals& totals, std::size_t target,
                    const IntimacySettings& settings, FollowerCounts& counts)
{
    const auto Z = static_cast<std::size_t>(draws.zoneSize);
    const auto reference = draws.draw(target - 1);
    counts.references.assign(reference.begin(), reference.end());
    counts.positions.resize(reference.size());
    counts.overall.assign(Z + 1, 0);
    for (std::size_t p = 0; p < reference.size(); ++p) {
        std::vector<int>& tally = counts.positions[p];
        tally.assign(Z + 1, 0);
        // The earlier draws holding r_p, walked from the most recent back (the reference draw
        // itself at t - 1 is not among them). The occurrence that brings the count to L stops the
        // walk before its follower counts, so the L - 1 most recent occurrences count.
        const std::size_t earlier = totals.occurrencesBefore(reference[p], target - 1);
        std::size_t counted = earlier;
        if (settings.limit > 0)
            counted = std::min(counted, static_cast<std::size_t>(settings.limit - 1));
        totals.addFollowers(reference[p], earlier - counted, earlier, tally);
        for (std::size_t n = 1; n <= Z; ++n)
            counts.overall[n] += tally[n];
    }
}

std::vector<TallyEntry> ranked(const std::vector<int>& counts)
{
    std::vector<TallyEntry> tally = freshTally(1, static_cast<int>(counts.size()) - 1);
    for (TallyEntry& e : tally)
        e.count = counts[static_cast<std::size_t>(e.key)];
    rankMostFirst(tally);
    return tally;
}

// The ranking's first S places, or all of it when S exceeds the zone.
void takeTop(const std::vector<TallyEntry>& ranking, int take, std::vector<bool>& chosen)
{
    const std::size_t places = std::min(ranking.size(), static_cast<std::size_t>(std::max(take, 0)));
    for (std::size_t place = 0; place < places; ++place)
        chosen[static_cast<std::size_t>(ranking[place].key)] = true;
}

std::vector<int> chosenNumbers(const std::vector<bool>& chosen)
{
    std::vector<int> numbers;
    for (std::size_t n = 1; n < chosen.size(); ++n)
        if (chosen[n])
            numbers.push_back(static_cast<int>(n));
    return numbers;
}

// The recommendation alone, ranking only what the mode takes from.
std::vector<int> intimateNumbers(const FollowerCounts& counts, const IntimacySettings& settings)
{
    std::vector<bool> chosen(counts.overall.size(), false);
    if (settings.mode == IntimacyMode::Overall)
        takeTop(ranked(counts.overall), settings.take, chosen);
    else
        for (const std::vector<int>& position : counts.positions)
            takeTop(ranked(position), settings.take, chosen);
    return chosenNumbers(chosen);
}

} // namespace

IntimacySelection selectIntimate(const ZoneDraws& draws, std::size_t target, const IntimacySettings& settings)
{
    FollowerCounts counts;
    countFollowers(draws, FollowerTotals(draws), target, settings, counts);
    IntimacySelection s;
    s.references = counts.references;
    for (const std::vector<int>& position : counts.positions)
        s.positions.push_back(ranked(position));
    s.overall = ranked(counts.overall);
    s.numbers = intimateNumbers(counts, settings);
    return s;
}

BacktestReport intimacyBacktest(const ZoneDraws& draws, const IntimacySettings& settings, Progress* progress)
{
    BacktestLayout layout;
    layout.betForm = NumberForm::Plain;
    layout.firstBar = static_cast<std::size_t>(settings.limit) + 1;
    const FollowerTotals totals(draws);
    FollowerCounts counts;
    return runBacktest(
        draws, layout,
        [&](std::size_t t) {
            countFollowers(draws, totals, t, settings, counts);
            return intimateNumbers(counts, settings);
        },
        progress);
}

std::string intimacyRecommendation(const std::string& targetItem, bool backZone, const std::vector<int>& numbers)
{
    return targetItem + (backZone ? "期后区推荐投注号码：" : "期前区推荐投注号码：") + plainText(numbers);
}

} // namespace quorlin

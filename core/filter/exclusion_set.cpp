#include "filter/exclusion_set.h"

#include "common/random_source.h"
#include "filter/total_filter.h"

namespace quorlin {

ExclusionRunResult ExclusionSet::run(ExclusionMember& member, const ExclusionRunSettings& settings, AfterRun after,
                                     RandomSource& rng, Progress* progress)
{
    if (fresh_)
        table_.buildAll(total_, width_);
    rng.reseed(); // the program's generator starts every run from the clock
    const ExclusionRunResult result = runExclusion(table_, member, settings, rng, progress);
    if (result.iterations > 0)
        stage_ = result.stage;
    if (result.end != RunEnd::Completed)
        return result;
    if (after == AfterRun::Narrow)
        fresh_ = false;
    compactTable(table_);
    return result;
}

void ExclusionSet::load(const std::vector<std::uint8_t>& fronts)
{
    table_.assign(total_, width_, fronts);
    fresh_ = false;
}

BetList ExclusionSet::bets() const
{
    return BetList::frontsOnly(width_, survivingFronts(table_));
}

} // namespace quorlin

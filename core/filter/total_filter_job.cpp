#include "filter/total_filter_job.h"

#include "common/progress.h"
#include "filter/bet_list.h"
#include "filter/bet_list_reader.h"

#include <stdexcept>

namespace quorlin {

namespace {

// Writes the numbered list (nothing without a path); false when stopped, throws on a file error.
bool writeNumbered(const BetList& bets, const std::string& path, Progress* progress)
{
    if (path.empty())
        return true;
    std::string error;
    if (bets.writeNumbered(path, progress, error))
        return true;
    if (progress && progress->cancelled())
        return false;
    throw std::runtime_error(error);
}

} // namespace

TotalFilterOutcome runTotalFilterJob(const CombinationTable& working, const TotalFilterRun& run, Progress* progress)
{
    CombinationTable table;
    if (run.rebuild)
        table.buildAll(run.space.total, run.space.width);
    else
        table = working;
    const std::optional<std::size_t> survivors = runTotalFilter(table, run.settings, run.space, progress);
    if (!survivors)
        return {};

    TotalFilterOutcome outcome;
    outcome.survivors = *survivors;
    auto bets = std::make_shared<BetList>(BetList::paired(run.space.width, survivingFronts(table), run.space.backWidth,
                                                          backPairs(run.settings.back, run.space.backTotal)));
    if (*survivors > 0 && !writeNumbered(*bets, run.listPath, progress))
        return {};
    outcome.bets = std::move(bets);
    // A run that keeps nothing still marks the rows: the working set is empty until cleared or loaded.
    outcome.table = std::move(table);
    outcome.completed = true;
    return outcome;
}

TotalFilterOutcome loadTotalFilterJob(const std::string& path, const FilterSpace& space, const std::string& listPath,
                                      Progress* progress)
{
    LoadedBetList loaded =
        readBetList(path, space.total, space.width, space.backTotal, space.backWidth, kMaxBetListEntries, progress);
    if (progress && progress->cancelled())
        return {};
    TotalFilterOutcome outcome;
    outcome.completed = true;
    if (!loaded.ok) {
        outcome.refusal = loaded.error;
        return outcome;
    }
    auto bets = std::make_shared<BetList>(std::move(loaded.lines));
    if (!writeNumbered(*bets, listPath, progress))
        return {};
    outcome.table.emplace();
    outcome.table->assign(space.total, space.width, loaded.fronts);
    outcome.bets = std::move(bets);
    outcome.frontNumbers = std::move(loaded.frontNumbers);
    outcome.backNumbers = std::move(loaded.backNumbers);
    return outcome;
}

std::vector<int> everyBackNumber(const FilterSpace& space)
{
    std::vector<int> numbers;
    for (int n = 1; n <= space.backTotal; ++n)
        numbers.push_back(n);
    return numbers;
}

} // namespace quorlin

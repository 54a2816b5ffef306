#include "filter/total_filter_jobs.h"

#include "common/progress.h"
#include "filter/bet_list.h"
#include "filter/bet_list_reader.h"
#include "filter/combination_table.h"

#include <stdexcept>

namespace {

// Writes the numbered list; false when stopped, throws on a file error.
bool writeNumbered(const quorlin::BetList& bets, const std::string& path, quorlin::Progress& progress)
{
    std::string error;
    if (bets.writeNumbered(path, &progress, error))
        return true;
    if (progress.cancelled())
        return false;
    throw std::runtime_error(error);
}

} // namespace

TotalFilterOutcome runTotalFilterJob(quorlin::CombinationTable& allcode, const TotalFilterRun& run,
                                     quorlin::Progress& progress)
{
    quorlin::CombinationTable table;
    if (run.rebuild)
        table.buildAll(run.space.total, run.space.width);
    else
        table = allcode;
    const std::optional<std::size_t> survivors = quorlin::runTotalFilter(table, run.settings, run.space, &progress);
    if (!survivors)
        return {};

    TotalFilterOutcome outcome;
    outcome.survivors = *survivors;
    if (*survivors > 0) {
        auto bets = std::make_shared<quorlin::BetList>(
            quorlin::BetList::paired(run.space.width, quorlin::survivingFronts(table), run.space.backWidth,
                                     quorlin::backPairs(run.settings.back, run.space.backTotal)));
        if (!writeNumbered(*bets, run.tempPath, progress))
            return {};
        outcome.bets = std::move(bets);
    }
    // A run that keeps nothing still marks the rows: the working set is empty until cleared or loaded.
    allcode = std::move(table);
    outcome.completed = true;
    return outcome;
}

TotalFilterOutcome loadTotalFilterJob(quorlin::CombinationTable& allcode, const std::string& path,
                                      const quorlin::FilterSpace& space, const std::string& tempPath,
                                      quorlin::Progress& progress)
{
    quorlin::LoadedBetList loaded = quorlin::readBetList(path, space.total, space.width, space.backTotal,
                                                         space.backWidth, quorlin::kMaxBetListEntries, &progress);
    if (progress.cancelled())
        return {};
    TotalFilterOutcome outcome;
    outcome.completed = true;
    if (!loaded.ok) {
        outcome.refusal = loaded.error;
        return outcome;
    }
    auto bets = std::make_shared<quorlin::BetList>(std::move(loaded.lines));
    if (!writeNumbered(*bets, tempPath, progress))
        return {};
    allcode.assign(space.total, space.width, loaded.fronts);
    outcome.bets = std::move(bets);
    outcome.frontNumbers = std::move(loaded.frontNumbers);
    outcome.backNumbers = std::move(loaded.backNumbers);
    return outcome;
}

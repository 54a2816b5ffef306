#include "analysis/compound_search.h"

#include "common/exchange_sort.h"
#include "common/progress.h"
#include "store/display_tables.h"
#include "store/lottery_state.h"

#include <cstdio>
#include <utility>

namespace quorlin {

CompoundSearch::CompoundSearch(int total, bool useThreshold, int threshold, int limit)
    : total_(total), useThreshold_(useThreshold), threshold_(threshold), limit_(limit),
      excluded_(static_cast<std::size_t>(total), 0)
{
}

std::pair<int, int> CompoundSearch::longestAbsent(const LotteryState& state)
{
    const int recnum = state.recnum;
    std::vector<std::pair<int, int>> absent; // (transformed number, absence)
    for (int t = 1; t <= state.caisum; ++t) {
        int row = recnum - 1;
        while (row >= 0 && !state.histext.marked(static_cast<std::size_t>(row), t + 2))
            --row;
        absent.emplace_back(t, row < 0 ? recnum : recnum - 1 - row);
    }
    // The exchange sort decides which of equally long absences comes last.
    exchangeSort(absent.begin(), absent.end(), [](const auto& x, const auto& y) { return x.second < y.second; });
    return absent.back();
}

bool CompoundSearch::step(const LotteryState& state)
{
    ++steps_;
    const auto [t, absence] = longestAbsent(state);
    if (useThreshold_ && absence < threshold_)
        return false;
    excluded_[static_cast<std::size_t>(unmapcoming(state, t) - 1)] = 1;
    return remaining() <= limit_;
}

LotteryState CompoundSearch::searchHistory(const LotteryState& state)
{
    LotteryState history;
    history.caitype = state.caitype;
    history.caisum = state.caisum;
    history.caisel = state.caisel;
    history.housum = state.housum;
    history.housel = state.housel;
    history.recnum = state.recnum;
    history.caiopen = state.caiopen;
    history.bianhuan = true;
    history.hisfull = state.hisfull;
    return history;
}

CompoundSearch::End CompoundSearch::run(LotteryState& history, RandomSource& rng, std::int64_t maxSteps,
                                        Progress* progress, const std::function<void(const LotteryState&)>& built)
{
    while (steps_ < maxSteps) {
        if (progress) {
            if (progress->cancelled())
                return End::Stopped;
            progress->report(steps_, maxSteps);
        }
        buildtransformed(history, rng);
        const bool done = step(history);
        if (built)
            built(history);
        if (done)
            return End::Done;
    }
    return End::StepLimit;
}

int CompoundSearch::remaining() const
{
    int count = 0;
    for (const char e : excluded_)
        count += !e;
    return count;
}

std::string CompoundSearch::result() const
{
    std::string text;
    for (int n = 1; n <= total_; ++n)
        if (!excluded_[static_cast<std::size_t>(n - 1)]) {
            char cell[16]; // room for any int, so the text is never cut
            std::snprintf(cell, sizeof cell, "%.2d ", n);
            text += cell;
        }
    return text;
}

} // namespace quorlin

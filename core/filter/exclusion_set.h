#pragma once

#include "filter/bet_list.h"
#include "filter/combination_table.h"
#include "filter/exclusion_run.h"

#include <cstdint>
#include <vector>

namespace quorlin {

/// What an exclusion window keeps between runs: its candidate table, the fresh flag (the next run
/// starts from every combination) and the stage of the last iteration.
class ExclusionSet {
public:
    /// Whether a completed run leaves the survivors for the next run (repeat and bias windows) or
    /// the next run starts again from every combination unless a list was loaded (sum, follow).
    enum class AfterRun { Narrow, StartOver };

    ExclusionSet(int total, int width) : total_(total), width_(width) {}

    /// One run. A fresh set is first filled with every combination in lexicographic order. A
    /// completed run keeps only the survivors; a stopped one leaves the marks it set.
    ExclusionRunResult run(ExclusionMember& member, const ExclusionRunSettings& settings, AfterRun after,
                           RandomSource& rng, Progress* progress = nullptr);
    /// The candidates become the loaded combinations, in file order.
    void load(const std::vector<std::uint8_t>& fronts);
    /// Back to the fresh state.
    void clear() { fresh_ = true; }

    bool fresh() const { return fresh_; }
    int stage() const { return stage_; }
    const CombinationTable& table() const { return table_; }
    /// The kept candidates as a bet list (front numbers only).
    BetList bets() const;

private:
    int total_;
    int width_;
    CombinationTable table_;
    bool fresh_ = true;
    int stage_ = 0;
};

} // namespace quorlin

#pragma once

#include "common/progress.h"
#include "wheel/wheel_guarantee.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

/// How much of a guarantee a bet list gives: the M-sets covered out of all, and the holes.
struct WheelCoverage {
    std::string error; ///< the guarantee or a bet refused
    std::uint64_t covered = 0;
    std::uint64_t total = 0;
    std::vector<std::vector<int>> holes; ///< uncovered M-sets, numbers ascending, in ascending order
};

/// The coverage and every hole of `bets` for the guarantee.
WheelCoverage wheelCoverage(const WheelGuarantee& guarantee, const std::vector<WheelBet>& bets);

/// Reads the bets of a bet-list file (back parts ignored, 复式 and 胆拖 lines as their bets,
/// consecutive lines of the same front part as one bet); the reader's message when it is refused.
std::string readWheelBets(const std::string& path, std::vector<WheelBet>& bets);

/// "覆盖\tK/TOTAL\tPP.P%".
std::string wheelCoverageText(const WheelCoverage& coverage);

/// A repaired wheel, or why there is none.
struct WheelRepair {
    std::string error;
    std::vector<WheelBet> bets; ///< sorted ascending
    std::size_t added = 0;      ///< bets added to cover the holes
    std::size_t dropped = 0;    ///< bets dropped as redundant afterwards
};

/// Covers the holes by adding bets greedily (each the one covering most holes of those it tries;
/// with many holes, the best of a few around a random hole), then drops bets every M-set of which
/// another bet also covers, then lets the annealing cover the M-sets with one bet fewer while it can
/// within `seconds` or until `progress` is cancelled (reported as elapsed and limit in ms); the
/// result is verified.
WheelRepair repairWheel(const WheelGuarantee& guarantee, const std::vector<WheelBet>& bets, double seconds = 10,
                        Progress* progress = nullptr);

/// Drops bets (last first) whose M-sets are all covered by other bets; `counts` follow.
void dropRedundantBets(const MSetIndex& index, std::vector<std::uint64_t>& masks, std::vector<std::uint32_t>& counts);

/// The bets of the masks, sorted ascending.
std::vector<WheelBet> sortedWheelBets(const WheelGuarantee& guarantee, const std::vector<std::uint64_t>& masks);

} // namespace quorlin

#pragma once

#include "common/progress.h"
#include "wheel/wheel_guarantee.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quorlin {

/// How a wheel search runs.
struct WheelMakeOptions {
    double seconds = 10;                     ///< time limit
    std::uint64_t seed = 1;                  ///< thread i searches from seed + i
    int threads = 1;                         ///< independent searches sharing the best size
    std::size_t targetSize = 0;              ///< stop once a wheel this small is found (0: none)
    std::uint64_t stepsPerSize = 0;          ///< give up a size after this many moves (0: only the time)
    Progress* progress = nullptr;            ///< cancel() stops the search; report(elapsed ms, limit ms)
    std::function<void(std::size_t)> onBest; ///< a smaller wheel was found (called from a worker)
};

/// A made wheel, verified against every M-set, or why there is none.
struct MadeWheel {
    std::string error;
    std::vector<WheelBet> bets; ///< ascending
};

/// Searches a small wheel for the guarantee: a randomised greedy cover, then simulated annealing
/// on the uncovered M-sets that shrinks the wheel one bet at a time while it can. Each thread runs
/// its own search; a thread whose wheel is larger than the best found drops to one bet fewer than
/// the best. The smallest wheel is verified before it is returned (a failure is a fault: logic_error).
MadeWheel makeWheel(const WheelGuarantee& guarantee, const WheelMakeOptions& options);

} // namespace quorlin

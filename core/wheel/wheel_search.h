#pragma once

#include "wheel/wheel_file.h"

#include <cstdint>

namespace quorlin {

/// How long the covering search may try: steps of the local search spent on each smaller size
/// before it settles for the last size it covered. The seed makes every run give the same wheel.
struct WheelSearchBudget {
    std::uint64_t stepsPerSize = 200'000;
    std::uint32_t seed = 20261210;
    /// Searches from this many seeds (seed, seed + 1, …), keeping the smallest wheel.
    int runs = 1;
};

/// Searches a small wheel of lines of `width` positions out of 1..`basic` such that every set of
/// `ok` positions meets some line in at least `guarantee` of them: a greedy cover first, then a
/// local search that drops one line at a time and repairs the holes by exchanging lines (the line
/// covering most holes in, the line whose loss opens fewest holes out, recent exchanges barred).
/// The result always holds the guarantee; its size depends on the budget. Needs
/// guarantee ≤ width ≤ basic, guarantee ≤ ok ≤ basic and basic ≤ 20.
Wheel searchWheel(int basic, int width, int ok, int guarantee, const WheelSearchBudget& budget = {});

} // namespace quorlin

#pragma once

#include "wheel/wheel_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

/// The outcome of checking a wheel's guarantee against every possible draw.
struct WheelCheck {
    std::string error;                   ///< the guarantee cannot be asked of this wheel
    std::uint64_t draws = 0;             ///< K-subsets of the basic numbers tried
    std::uint64_t holeCount = 0;         ///< those with no line holding G of them
    std::vector<std::vector<int>> holes; ///< the first holes (positions ascending)

    bool holds() const { return error.empty() && holeCount == 0; }
};

/// The most draw × line comparisons a check may take (a few seconds).
inline constexpr std::uint64_t kMaxWheelCheckWork = 4'000'000'000;

/// Tries every set of `ok` positions out of 1..`basic` (every draw that hits K of the basic numbers)
/// and notes those no line of the wheel meets in at least `guarantee` positions; keeps the first
/// `keepHoles` of them. Refused for basic above 32, a guarantee beyond K or the line width, or
/// more than kMaxWheelCheckWork comparisons.
WheelCheck checkWheel(const Wheel& wheel, int basic, int ok, int guarantee, std::size_t keepHoles = 20);

/// The guarantee in the program's words, e.g. "中6保5".
std::string guaranteeText(int ok, int guarantee);

} // namespace quorlin

#pragma once

#include <cstdint>

namespace quorlin {

struct LotteryState;
struct Tdatamod;
class RandomSource;

/// Rebuilds hisfull, hisdate and histext in the standard space from the draw cursor.
void buildstandard(LotteryState& state, Tdatamod& datamod);

/// Draws a new random mapping (window W and permutation P from `rng`) and rebuilds hisbian,
/// bianperm, bianrank and histext in the transformed space; hisfull must already be built.
void buildtransformed(LotteryState& state, RandomSource& rng);

/// Real front number n (1..caisum) → its transformed number for the coming draw. Until a
/// transformed build of the loaded history exists (a load forgets the previous one) this is the
/// identity. Throws std::out_of_range for n outside 1..caisum.
std::int32_t mapcoming(const LotteryState& state, std::int32_t n);
/// Transformed number t (1..caisum) → the real front number that maps to it; the inverse of
/// mapcoming, with the same identity before a build and the same range error.
std::int32_t unmapcoming(const LotteryState& state, std::int32_t t);

} // namespace quorlin

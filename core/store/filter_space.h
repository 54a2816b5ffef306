#pragma once

#include "filter/total_filter.h"

namespace quorlin {

struct LotteryState;

/// The number space of a total-filter run over the open lottery: its game, the latest draw's real
/// front numbers (the skew is measured against them in either mapping) and, while the transformed
/// mapping is shown (bianhuan), the transformed number of every real number for the coming draw.
FilterSpace filterspace(const LotteryState& state);

} // namespace quorlin

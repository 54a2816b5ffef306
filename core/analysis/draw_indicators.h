#pragma once

#include <cstdint>
#include <vector>

namespace quorlin {

struct LotteryState;

/// The indicator values of one loaded draw as the analysis windows show them.
struct DrawIndicatorRow {
    std::int32_t issue = 0;
    float big = 0;
    float odd = 0;
    float sum = 0;
    float span = 0;
    float dispersion = 0;
    float skew = 0; ///< (caisum - caisel) / 2 for the first draw
    float ac = 0;
    float repeat = 0; ///< 0 for the first draw
    std::vector<int> zones;
};

/// Indicator values of every loaded draw, oldest first, in the number space of the current mode
/// (hisbian when bianhuan is set, else hisfull), with zone counts for `zones` zones.
std::vector<DrawIndicatorRow> computeDrawIndicators(const LotteryState& state, int zones);

} // namespace quorlin

#include "analysis/draw_indicators.h"

#include "analysis/indicators.h"
#include "store/lottery_state.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace quorlin {

// Every loaded draw's indicators against its preceding draw, for the analysis windows' tables.
std::vector<DrawIndicatorRow> computeDrawIndicators(const LotteryState& state, int zones)
{
    std::vector<DrawIndicatorRow> rows;
    const Grid<std::int32_t>& history = state.bianhuan ? state.hisbian : state.hisfull;
    if (state.recnum <= 0 || history.cols() < 2)
        return rows;

    const int S = state.caisum;
    const std::size_t drawCount = std::min(static_cast<std::size_t>(state.recnum), history.rows());
    const std::size_t c = std::min(static_cast<std::size_t>(std::max(state.caisel, 0)), history.cols() - 1);
    rows.reserve(drawCount);

    Combination previous;
    for (std::size_t i = 0; i < drawCount; ++i) {
        const auto line = history.row(i);
        const Combination front = line.subspan(1, c);
        DrawIndicatorRow row;
        row.issue = line[0];
        row.big = static_cast<float>(bigcount(front, S, BigRule::Window));
        row.odd = static_cast<float>(oddcount(front));
        row.sum = static_cast<float>(sumvalue(front));
        row.span = static_cast<float>(spanvalue(front));
        row.dispersion = static_cast<float>(dispersion(front, S));
        row.ac = static_cast<float>(acvalue(front, S));
        if (i == 0) {
            // The oldest draw has nothing to compare with; the windows show a fixed middle skew.
            row.skew = static_cast<float>(S - state.caisel) / 2.0f;
            row.repeat = 0.0f;
        } else {
            row.skew = static_cast<float>(skewvalue(front, previous));
            row.repeat = static_cast<float>(repeatcount(front, previous));
        }
        row.zones = zonecounts(front, S, zones);
        rows.push_back(std::move(row));
        previous = front;
    }
    return rows;
}

} // namespace quorlin

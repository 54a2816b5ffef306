#include "check/check_range.h"

#include "store/lottery_state.h"

#include <algorithm>

namespace quorlin {

std::optional<HistoryRows> rowsOf(const LotteryState& state, const CheckRange& range)
{
    const std::size_t rows = state.hisfull.rows();
    // The newest draw is the last one.
    std::size_t first = rows - std::min(rows, range.kind == CheckRange::Kind::Last ? range.count : 1);
    std::size_t end = rows;
    if (range.kind == CheckRange::Kind::Issue) {
        // The latest row of that issue, should a history hold it twice.
        first = rows;
        for (std::size_t r = 0; r < rows; ++r)
            if (std::to_string(state.hisfull.at(r, 0)) == range.issue)
                first = r;
        if (first == rows)
            return std::nullopt;
        end = first + 1;
    }
    return HistoryRows{first, end};
}

std::optional<std::vector<CheckDraw>> drawsOf(const LotteryState& state, const CheckRange& range)
{
    const auto rows = rowsOf(state, range);
    if (!rows)
        return std::nullopt;
    std::vector<CheckDraw> draws;
    for (std::size_t r = rows->first; r < rows->end; ++r)
        draws.push_back(drawAt(state, r));
    return draws;
}

} // namespace quorlin

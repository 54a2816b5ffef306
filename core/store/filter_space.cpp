#include "store/filter_space.h"

#include "store/display_tables.h"
#include "store/lottery_state.h"

namespace quorlin {

FilterSpace filterspace(const LotteryState& state)
{
    FilterSpace space;
    space.total = state.caisum;
    space.width = state.caisel;
    space.backTotal = state.housum;
    space.backWidth = state.housel;
    if (!state.hisfull.empty()) {
        const auto last = state.hisfull.row(state.hisfull.rows() - 1);
        space.latestDraw.assign(last.begin() + 1, last.begin() + 1 + state.caisel);
        space.omission = frontOmissions(state.hisfull, state.hisfull.rows(), state.caisel, state.caisum);
    }
    if (state.bianhuan) {
        space.mapping.assign(static_cast<std::size_t>(state.caisum) + 1, 0);
        for (int n = 1; n <= state.caisum; ++n)
            space.mapping[static_cast<std::size_t>(n)] = mapcoming(state, n);
    }
    return space;
}

} // namespace quorlin

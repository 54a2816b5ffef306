#pragma once

#include "common/grid.h"
#include "invest/code_drawing.h"
#include "invest/play_type.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quorlin {

/// The mark of a draw the code list hits ("●" in the window).
inline constexpr std::int32_t kHitMark = 0;

/// 历史中奖: one mark per draw of `hisfull` (issue, then the front numbers), in issue order. A
/// draw is a hit when a code matches it: in 直选 every front number equals the code's digit at its
/// position; in the group types the first three numbers and the first three digits have equal
/// sums, products and sums of squares. A hit is marked kHitMark, any other draw with the number of
/// draws since the last hit (its index + 1 before the first hit).
std::vector<std::int32_t> markHits(const CodeList& codes, PlayType type, const Grid<std::int32_t>& hisfull);

/// A row of 间隔统计: `count` runs of exactly `run` consecutive gaps of at least `gap` draws.
struct IntervalRow {
    std::int32_t gap;
    std::int32_t run;
    std::int32_t count;
    bool operator==(const IntervalRow&) const = default;
};

/// 间隔统计 of the marks, ascending by gap, then by run; nothing when no draw is a hit (the window
/// then keeps the table it showed). A run that reaches the end of the gap list is not counted.
std::optional<std::vector<IntervalRow>> intervalStatistics(const std::vector<std::int32_t>& marks);

} // namespace quorlin

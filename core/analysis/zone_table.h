#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

struct LotteryState;

/// The zone window's table: for Z zones of equal width over the front numbers (the last one
/// possibly shorter), every loaded draw's count of numbers per zone.
struct ZoneTable {
    int zones = 0;
    int width = 0;
    std::vector<std::string> headers; ///< "记录期号", "开奖号码", "01-07号码总数", …
    struct Row {
        std::string issue;
        std::string numbers; ///< "%.2d" each followed by one blank
        std::vector<int> counts;
    };
    std::vector<Row> rows; ///< oldest first
};

/// Builds the table for `zones` (1..7) from the draws' issues and front numbers (`fronts`, `count`
/// per draw) out of 1..`total`.
ZoneTable buildZoneTable(const std::vector<std::int32_t>& issues, const std::vector<std::int32_t>& fronts, int total,
                         int count, int zones);

/// The table of the open lottery's loaded draws in the transformed space (hisbian) or the real
/// one (hisfull), whatever the mode: the zone window opens and recounts on the real numbers.
ZoneTable buildZoneTable(const LotteryState& state, int zones, bool transformed);

} // namespace quorlin

#include "analysis/zone_table.h"

#include "analysis/indicator_summary.h"
#include "analysis/indicators.h"
#include "store/lottery_state.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace quorlin {

ZoneTable buildZoneTable(const std::vector<std::int32_t>& issues, const std::vector<std::int32_t>& fronts, int total,
                         int count, int zones)
{
    if (zones < 1 || zones > 7)
        throw std::invalid_argument("区间数应为 1-7");
    ZoneTable table;
    table.zones = zones;
    table.width = zonewidth(total, zones);
    table.headers = {"记录期号", "开奖号码"};
    for (int k = 0; k < zones; ++k) {
        char buf[48];
        std::snprintf(buf, sizeof buf, "%.2d-%.2d号码总数", k * table.width + 1,
                      std::min((k + 1) * table.width, total));
        table.headers.emplace_back(buf);
    }
    for (std::size_t i = 0; i < issues.size(); ++i) {
        ZoneTable::Row row;
        row.issue = std::to_string(issues[i]);
        row.counts.assign(static_cast<std::size_t>(zones), 0);
        for (int j = 0; j < count; ++j) {
            const int n = fronts[i * static_cast<std::size_t>(count) + static_cast<std::size_t>(j)];
            char buf[8];
            std::snprintf(buf, sizeof buf, "%.2d ", n);
            row.numbers += buf;
            // The last zone takes what the equal widths leave, so no number falls outside.
            const int zone = std::min((n - 1) / table.width, zones - 1);
            if (zone >= 0)
                ++row.counts[static_cast<std::size_t>(zone)];
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

ZoneTable buildZoneTable(const LotteryState& state, int zones, bool transformed)
{
    const Grid<std::int32_t>& history = transformed ? state.hisbian : state.hisfull;
    const std::size_t draws = std::min(static_cast<std::size_t>(std::max(state.recnum, 0)), history.rows());
    std::vector<std::int32_t> issues;
    issues.reserve(draws);
    for (std::size_t i = 0; i < draws; ++i)
        issues.push_back(history.at(i, 0));
    return buildZoneTable(issues, loadedFronts(state, transformed), state.caisum, state.caisel, zones);
}

} // namespace quorlin

#pragma once

#include "common/grid.h"
#include "filter/total_filter.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorlin {

class Progress;

/// One condition of a total-filter setting on its own, as the back-test judges it.
struct SingleCondition {
    std::string name; ///< "大数", "奇数", "和值", "跨度", "散度", "偏度", "AC值", "胆码", "红球"
    TotalFilterSettings settings; ///< this condition alone
};

/// The conditions the settings check, in the window's order.
std::vector<SingleCondition> activeConditions(const TotalFilterSettings& settings);

/// One draw of a back-test: would the conditions have kept its front combination, and how many
/// combinations would they have kept.
struct ConditionBacktestRow {
    std::string issue;
    std::vector<int> front;
    std::vector<bool> kept;      ///< per active condition
    bool keptAll = false;        ///< all of them together
    std::uint64_t keptCount = 0; ///< combinations all of them keep for this draw
};

/// Per condition and overall: draws whose winner was kept, and the mean kept size.
struct BacktestSummary {
    std::string name;
    std::size_t hits = 0;
    double hitRate = 0; ///< hits / draws
    double meanKept = 0;
};

struct BacktestResult {
    std::vector<std::string> conditions;
    std::vector<ConditionBacktestRow> rows; ///< oldest first
    std::vector<BacktestSummary> summaries; ///< one per condition, then "全部条件"
};

/// The draws a back-test reads: the history rows ([0] issue, [1..width] front numbers, oldest
/// first) and the game. The skew of each draw is taken against the draw before it.
struct BacktestHistory {
    const Grid<std::int32_t>* hisfull = nullptr;
    int total = 35;
    int width = 5;
};

/// Back-tests the settings over the newest `count` draws (fewer when the history is shorter).
/// The kept count of a draw is not a new run over every combination: the conditions that do not
/// depend on the draw are run once, and only the skew is counted per draw (in closed form when it
/// stands alone). Nothing when stopped through `progress`.
std::optional<BacktestResult> runBacktest(const BacktestHistory& history, const TotalFilterSettings& settings,
                                          std::size_t count, Progress* progress = nullptr);

} // namespace quorlin

#pragma once

#include "common/grid.h"
#include "filter/total_filter.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorlin {

class Progress;

/// One condition of a total-filter setting on its own, as the back-test judges it.
struct SingleCondition {
    /// "大数", "奇数", "和值", "跨度", "散度", "偏度", "AC值", "胆码", "红球", then the second page's
    /// names ("连号对数" …)
    std::string name;
    TotalFilterSettings settings; ///< this condition alone
    FilterRange range;            ///< the values it keeps (the hit range of 胆码 and 红球)
    bool againstHistory = false;  ///< taken against the draws before each draw (偏度, 重号, 邻号, 冷热)
    /// A front combination's value (ascending numbers) against the draws before it: the indicator
    /// by the total filter's rule (big numbers n ≥ total div 2), the hit count of 胆码 and 红球.
    std::function<int(std::span<const int> front, const ConditionHistory& before)> value;
};

/// The conditions the settings check, in the window's order (the second page's after the first's).
/// `total` is the game's count of front numbers (the big numbers' and the dispersion's measure).
std::vector<SingleCondition> activeConditions(const TotalFilterSettings& settings, int total);

/// One draw of a back-test: would the conditions have kept its front combination, and how many
/// combinations would they have kept.
struct ConditionBacktestRow {
    std::string issue;
    std::vector<int> front;
    std::vector<bool> kept;      ///< per active condition
    std::vector<int> values;     ///< per active condition: the winner's value
    bool keptAll = false;        ///< it fails at most `tolerance` of them
    std::uint64_t keptCount = 0; ///< combinations failing at most `tolerance` of them for this draw
};

/// Per condition and overall: draws whose winner was kept, and the mean kept size; beside them
/// what chance gives: a draw's chance is the share of all front combinations kept for it (the
/// chance that a front drawn at random is kept), and the hit count is judged against independent
/// draws with those chances.
struct BacktestSummary {
    std::string name;
    std::size_t hits = 0;
    double hitRate = 0; ///< hits / draws
    double meanKept = 0;
    double chance = 0; ///< the mean of the draws' chances: the hit rate chance alone gives
    /// The exact two-sided p of the hit count under those chances (Poisson-binomial): the
    /// probability of a count no more likely than it.
    double pValue = 1;
};

/// The level below which a hit rate differs from chance.
inline constexpr double kChanceSignificance = 0.05;

/// The summary's cells as the window and the command line show them: the draws kept of the draws
/// tried ("37/100"), the hit rate ("37.0%") and the mean kept size ("1234.5").
std::string keptDrawsText(const BacktestSummary& summary, std::size_t draws);
std::string hitRateText(const BacktestSummary& summary);
std::string meanKeptText(const BacktestSummary& summary);
/// The hit rate chance gives ("58.3%") and the p of the hit count ("0.406", "1.02e-08").
std::string chanceText(const BacktestSummary& summary);
std::string chancePValueText(const BacktestSummary& summary);
/// The verdict on the hit rate at kChanceSignificance: "命中率与随机选号无显著差异", or
/// "命中率高于随机选号（p=0.0123）" / "命中率低于随机选号（p=…）".
std::string chanceVerdictText(const BacktestSummary& summary);

struct BacktestResult {
    std::vector<std::string> conditions;
    std::vector<FilterRange> ranges;        ///< per condition: the values it keeps
    int tolerance = 0;                      ///< 容错 of 全部条件
    std::vector<ConditionBacktestRow> rows; ///< oldest first
    std::vector<BacktestSummary> summaries; ///< one per condition, then "全部条件"
};

/// The draws a back-test reads: the history rows ([0] issue, [1..width] front numbers, oldest
/// first) and the game. The history-relative conditions of each draw are taken against the rows
/// before it (the latest draw the one before it, the omissions counted up to it).
struct BacktestHistory {
    const Grid<std::int32_t>* hisfull = nullptr;
    int total = 35;
    int width = 5;
};

/// Back-tests the settings over the newest `count` draws (fewer when the history is shorter).
/// The conditions that do not depend on the draw are run over every combination once; per draw
/// only the rows they leave are run again against that draw's history (the skew alone without
/// 容错 is counted on masks, in closed form when it stands alone; equal history states share a
/// count). Nothing when stopped through `progress`.
std::optional<BacktestResult> runBacktest(const BacktestHistory& history, const TotalFilterSettings& settings,
                                          std::size_t count, Progress* progress = nullptr);

} // namespace quorlin

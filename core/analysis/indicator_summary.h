#pragma once

#include "analysis/indicators.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

struct DrawIndicatorRow;
struct LotteryState;

/// One row of an indicator window's history grid.
struct IndicatorRow {
    std::string issue;   ///< "2007001"
    std::string numbers; ///< front numbers "%.2d", each followed by one blank
    std::string value;   ///< the indicator value "%.0f"
};

/// What an indicator window shows: the history table and the summary over the last N draws.
struct IndicatorAnalysis {
    Indicator indicator = Indicator::Big;
    std::vector<IndicatorRow> rows; ///< every loaded draw, oldest first
    int recent = 0;                 ///< N, kept within 1..draws (0 without draws)
    TheoryValues theory;
    float actualTotal = 0;      ///< A: the values of the last N rows
    float theoreticalTotal = 0; ///< T for N draws
    enum class Advice { None, High, Low } advice = Advice::None;
    bool empty() const { return rows.empty(); }
};

/// Builds an indicator window's table and summary from the draws' indicator rows (in the number
/// space the window shows) and the front numbers of every draw (`fronts`, caisel per draw), for
/// the last `recent` draws (taken into 1..draws). Single precision throughout, like the window.
IndicatorAnalysis analyseIndicator(Indicator indicator, const std::vector<DrawIndicatorRow>& draws,
                                   const std::vector<std::int32_t>& fronts, int total, int count, int recent);

/// The same for the open lottery in the number space of its current mode (hisbian when bianhuan
/// is set, else hisfull).
IndicatorAnalysis analyseIndicator(const LotteryState& state, Indicator indicator, int recent);

/// The front numbers of every loaded draw in the current mode's number space, caisel per draw.
std::vector<std::int32_t> loadedFronts(const LotteryState& state);
/// The same in the transformed space (hisbian) or the real one (hisfull), whatever the mode.
std::vector<std::int32_t> loadedFronts(const LotteryState& state, bool transformed);

/// The summary memo's lines below its "总结：" heading: the five value lines and, when there is
/// one, the advice line. Empty without draws.
std::vector<std::string> summaryLines(const IndicatorAnalysis& analysis);

/// The value of one indicator in a draw's row.
float indicatorValue(const DrawIndicatorRow& row, Indicator indicator);

} // namespace quorlin

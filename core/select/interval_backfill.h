#pragma once

#include "select/backtest_report.h"
#include "select/ranked_tally.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quorlin {

class DrawOccurrences;
class Progress;
struct ZoneDraws;

/// The settings of 最优间隔回补选号.
struct IntervalSettings {
    int span = 5;  ///< Q, 间隔期数: the longest interval counted and the draws looked at (Q + 1)
    int take = 10; ///< S, 选号个数
    bool operator==(const IntervalSettings&) const = default;
};

/// The back-fill selection of one target draw.
struct IntervalSelection {
    std::vector<TallyEntry> ranked; ///< intervals 1..Q (key) with their counts, rarest first
    std::vector<int> omission;      ///< per number 1..Z (index 0 unused): draws since it last came out
    std::vector<int> numbers;       ///< the recommendation in the order taken
};

/// The selection for target draw `target` (1 .. draws.size(); draws.size() is the coming draw).
IntervalSelection selectBackfill(const ZoneDraws& draws, const DrawOccurrences& occurrences, std::size_t target,
                                 const IntervalSettings& settings);
IntervalSelection selectBackfill(const ZoneDraws& draws, std::size_t target, const IntervalSettings& settings);

/// The back-test of every draw; the first has no bet and shows 0 hits.
BacktestReport backfillBacktest(const ZoneDraws& draws, const IntervalSettings& settings, Progress* progress = nullptr);

/// What 目前投注号码 shows: item + "期前区推荐投注号码：" (or 后区) + the numbers as "%.2d" in the
/// order taken.
std::string backfillRecommendation(const std::string& targetItem, bool backZone, const std::vector<int>& numbers);

} // namespace quorlin

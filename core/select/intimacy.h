#pragma once

#include "select/backtest_report.h"
#include "select/ranked_tally.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quorlin {

class Progress;
struct ZoneDraws;

/// 选号方式: the numbers at the top of each position's ranking (各个位置), or at the top of the
/// overall ranking (总体位置).
enum class IntimacyMode { EachPosition, Overall };

/// The settings of 最优亲密数字选号.
struct IntimacySettings {
    int take = 17;                             ///< S: places taken from a ranking
    IntimacyMode mode = IntimacyMode::Overall; ///< 选号方式
    /// L, the 阶段次数: an earlier occurrence of a reference number that brings its count to L stops
    /// the walk before its follower is counted, so the followers of L - 1 occurrences count.
    /// 0 is 全部期数: the followers of every earlier occurrence count.
    int limit = 7;
    bool operator==(const IntimacySettings&) const = default;
};

/// The intimate numbers of one target draw.
struct IntimacySelection {
    std::vector<int> references;                    ///< r_1..r_K: the draw before the target
    std::vector<std::vector<TallyEntry>> positions; ///< the ranked tally of each reference position
    std::vector<TallyEntry> overall;                ///< the ranked sum of the position tallies
    std::vector<int> numbers;                       ///< the recommendation, ascending
};

/// The selection for target draw `target` (1 .. draws.size(); draws.size() is the coming draw).
/// The target needs a draw before it: see firstDrawRefusal.
IntimacySelection selectIntimate(const ZoneDraws& draws, std::size_t target, const IntimacySettings& settings);

/// The back-test of every draw from the second on; the first draw has no bet.
BacktestReport intimacyBacktest(const ZoneDraws& draws, const IntimacySettings& settings, Progress* progress = nullptr);

/// What 目前投注号码 shows: item + "期前区推荐投注号码：" (or 后区) + the numbers in plain decimal.
std::string intimacyRecommendation(const std::string& targetItem, bool backZone, const std::vector<int>& numbers);

} // namespace quorlin

#pragma once

#include "invest/mode_rule.h"

#include <cstdint>

namespace quorlin {

class ModeReplay;
class Progress;

/// The settings the search walks, as indices of the window's lists: 观察间隔连续次数 (outermost,
/// only its first item without 间隔模式), 中出后间隔期数, 连续投入期数 (innermost).
struct ModeSearchPoint {
    std::int32_t sepnum = 0;  ///< index in 1..10, Q = index + 1
    std::int32_t tozisep = 0; ///< index in 0..50, G = index
    std::int32_t tozirep = 0; ///< index in 1..50, R = index + 1
    bool operator==(const ModeSearchPoint&) const = default;
};

inline constexpr std::int32_t kSepnumItems = 10;
inline constexpr std::int32_t kTozisepItems = 51;
inline constexpr std::int32_t kTozirepItems = 50;

/// What the search found.
struct ModeSearchResult {
    /// The first setting, in the search's order, with the largest surplus; the first setting of
    /// all when none beat the starting mark.
    ModeSearchPoint best;
    std::int64_t surplus = 0;
    /// Settings replayed before the search ended or was stopped.
    std::int64_t evaluated = 0;
    bool stopped = false;
};

/// The surplus a setting must beat to become the best.
inline constexpr std::int64_t kSearchStartSurplus = -10000000;

/// Number of settings the search walks for `rule` (10 × 51 × 50, or 51 × 50 without 间隔模式).
std::int64_t modeSearchSize(const ModeRule& rule);
/// `rule` with the setting of `point` put in.
ModeRule withSearchPoint(ModeRule rule, const ModeSearchPoint& point);

/// 搜索: replays `rule` with every setting in turn and keeps the first with the largest surplus.
/// The settings are shared out in order between `threads` threads (the caller's among them);
/// each looks at the stop request before every setting, so a stop ends the setting in hand and
/// returns the best so far. Reports (settings done, settings in all). Throws MoneyOverflowError.
ModeSearchResult searchModes(const ModeReplay& replay, const ModeRule& rule, Progress& progress, int threads = 2);

} // namespace quorlin

#pragma once

#include "filter/extra_conditions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorlin {

class CombinationTable;
class Progress;

/// An inclusive range of an indicator or of a hit count.
struct FilterRange {
    int lo = 0;
    int hi = 0;
    bool contains(int v) const { return lo <= v && v <= hi; }
    bool operator==(const FilterRange&) const = default;
};

/// The conditions of one total-filter run, as the window's controls hold them once read.
struct TotalFilterSettings {
    std::optional<FilterRange> big;        ///< 大数 (17..35 count as big for 35 numbers)
    std::optional<FilterRange> odd;        ///< 奇数
    std::optional<FilterRange> sum;        ///< 和值
    std::optional<FilterRange> span;       ///< 跨度
    std::optional<FilterRange> dispersion; ///< 散度
    std::optional<FilterRange> skew;       ///< 偏度, against the latest draw
    std::optional<FilterRange> ac;         ///< AC值
    bool bankersOn = false;                ///< 胆码
    std::vector<int> bankers;
    FilterRange bankerHits{1, 1};
    bool frontOn = false; ///< 选择红球
    std::vector<int> front;
    FilterRange frontHits{5, 5};
    std::vector<int> back; ///< 选择蓝球: the back numbers paired with every survivor
    /// The conditions of the second page, indexed by ExtraCondition; judged on the real numbers.
    std::array<std::optional<FilterRange>, kExtraConditionCount> extra{};
    /// 容错: a combination survives when it fails at most this many of the active conditions
    /// (each range, the bankers and the chosen front numbers count one each).
    int tolerance = 0;

    std::optional<FilterRange>& extraRange(ExtraCondition c) { return extra[static_cast<std::size_t>(c)]; }
    const std::optional<FilterRange>& extraRange(ExtraCondition c) const { return extra[static_cast<std::size_t>(c)]; }
    /// The active conditions, as 容错 counts them.
    int activeCount() const;

    bool operator==(const TotalFilterSettings&) const = default;
};

/// The number space of a run: the game, the latest draw's front numbers (for the skew), and in
/// the transformed mapping the transformed number of every real number for the coming draw.
struct FilterSpace {
    int total = 35;              ///< caisum
    int width = 5;               ///< caisel
    int backTotal = 12;          ///< housum
    int backWidth = 2;           ///< housel
    std::vector<int> latestDraw; ///< front numbers of the last loaded draw; empty without draws
    std::vector<int> mapping;    ///< mapping[n] for n in 1..total; empty for the real numbers
    /// omission[n]: draws since n was last drawn in the front (frontOmissions), for 热号, 温号 and
    /// 冷号; empty without draws (every omission is then the number of draws, 0).
    std::vector<int> omission;
};

/// The skew condition against one latest draw as two number masks (bit n for number n): a
/// combination's skew lies in the range exactly when it holds no number of `tooFar` and at least
/// one of `farEnough` (every number's distance is to the nearest number of the latest draw).
struct SkewMasks {
    std::uint64_t tooFar = 0;
    std::uint64_t farEnough = ~std::uint64_t{0};
};
SkewMasks skewMasks(const FilterRange& skew, const std::vector<int>& latestDraw, int total);

/// Checks the settings in the order the window reports them (after its own checks for empty
/// fields): a condition at all, lower ≤ upper for every range given, banker hits, the chosen front
/// and back numbers. Returns the window's message, or nothing when the run may start.
std::optional<std::string> validateTotalFilter(const TotalFilterSettings& settings, const FilterSpace& space);

/// One run over the unmarked rows of `table`: every row that fails a condition is marked. The
/// marks change only when the run completes; a cancelled run (through `progress`) leaves them as
/// they were and returns nothing. Returns the number of rows left unmarked.
std::optional<std::size_t> runTotalFilter(CombinationTable& table, const TotalFilterSettings& settings,
                                          const FilterSpace& space, Progress* progress = nullptr);

/// The number of active conditions each row fails (at most 255), judged in the real numbers (the
/// mapping of `space` is not used), marks left alone: for callers that combine the conditions of
/// one run with those of another, draw by draw (the replay). `failures` holds table.rows() bytes.
void countFailures(const CombinationTable& table, const TotalFilterSettings& settings, const FilterSpace& space,
                   std::uint8_t* failures);

/// The unmarked rows' numbers in table order, `width` numbers each: the fronts a run's bet list
/// pairs with the back tuples.
std::vector<std::uint8_t> survivingFronts(const CombinationTable& table);

/// The banker text of the window: items separated by blanks and line breaks, blanks and commas
/// before an item skipped, each item a whole number ("1,2" is one item and not a number).
/// Returns the numbers (repeats once), or the item that is not a number.
struct BankerParse {
    std::vector<int> numbers;
    std::string badItem;
    bool ok() const { return badItem.empty(); }
};
BankerParse parseBankers(const std::string& text);

} // namespace quorlin

#pragma once

#include "common/grid.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorlin {

/// The total filter's conditions beyond its first nine, in the order of its second page. They
/// judge a front combination's real numbers.
enum class ExtraCondition : std::uint8_t {
    Consecutive, ///< 连号对数: pairs c(i+1) = c(i) + 1
    LongestRun,  ///< 最长连号: the longest run of consecutive numbers
    Mod3Zero,    ///< 012路: numbers with remainder 0, 1, 2 divided by 3
    Mod3One,
    Mod3Two,
    Primes,  ///< 质数个数: numbers in {2,3,5,7,11,13,17,19,23,29,31}
    Tails,   ///< 尾数个数: distinct last digits
    TailSum, ///< 尾数和: the sum of the last digits
    Zone1,   ///< 三区: numbers in 01–12, 13–24, 25–35
    Zone2,
    Zone3,
    Lowest,     ///< 首号: c1
    Highest,    ///< 尾号: c5
    Repeat,     ///< 重号: numbers of the latest draw's front
    Neighbours, ///< 邻号: numbers not in the latest draw's front, 1 away from one of them
    Hot,        ///< 热号: numbers whose current omission is ≤ 4
    Warm,       ///< 温号: omission 5–9
    Cold,       ///< 冷号: omission ≥ 10
};
inline constexpr std::size_t kExtraConditionCount = 18;

/// What the program says and knows of one of them.
struct ExtraConditionInfo {
    ExtraCondition id;
    const char* name; ///< "连号对数", as the window labels it
    const char* flag; ///< "consecutive": the command-line flag without "--", and the scheme's key
    int low;          ///< the values a front combination of 5 numbers out of 35 can take
    int high;
    bool againstHistory; ///< taken against the draws before (重号, 邻号, 热号, 温号, 冷号)
    const char* counts;  ///< what it counts, one sentence without its range and full stop
};

/// Every extra condition, in enum order.
const std::array<ExtraConditionInfo, kExtraConditionCount>& extraConditions();
inline const ExtraConditionInfo& extraConditionInfo(ExtraCondition c)
{
    return extraConditions()[static_cast<std::size_t>(c)];
}

/// The tooltip of a condition: "连号对数：定义，范围0–4。".
std::string extraConditionTip(const ExtraConditionInfo& info);

/// The draws a history-relative condition is taken against: the latest draw's front numbers and
/// each number's current omission (draws since it was last drawn in the front: 0 when it is in
/// the latest draw, the number of draws when it never was), indexed by number; and the game's
/// front numbers 1..total, which 三区 divides.
struct ConditionHistory {
    std::vector<int> latestDraw;
    std::vector<int> omission;
    int total = 35;
};

/// The omissions of 1..total (index 0 unused) after the first `draws` rows of the history (column
/// 0 the issue, 1..width the front numbers, oldest first).
std::vector<int> frontOmissions(const Grid<std::int32_t>& history, std::size_t draws, int width, int total);

/// The numbers of 1..total (at most 63) a counting condition counts, as a mask (bit n for number
/// n): 012路 (n mod 3), 质数 (primes), 三区 (the three zones of zonewidth(total, 3)), 重号, 邻号,
/// 热号 (omission ≤ 4), 温号 (5–9) and 冷号 (≥ 10; a number without omission counts as 0). 0 for
/// the other conditions. The one statement of these rules: the total filter's run and
/// extraConditionValue both count with it.
std::uint64_t extraConditionNumbers(ExtraCondition c, int total, const ConditionHistory& history);

/// The condition's value for one front combination (ascending numbers): the plain definition,
/// used where single combinations are judged (the back-test's winners).
int extraConditionValue(ExtraCondition c, std::span<const int> front, const ConditionHistory& history);

} // namespace quorlin

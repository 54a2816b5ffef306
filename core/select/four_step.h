#pragma once

#include "select/backtest_report.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace quorlin {

class Progress;
struct ZoneDraws;

/// The four window lengths of 最优四步综合选号 (L1..L4).
struct FourStepSettings {
    int recent = 40; ///< L1: step 1 ranks the numbers of the last L1 draws
    int absent = 1;  ///< L2: step 2 drops the numbers of the last L2 draws
    int triple = 10; ///< L3: step 3 adds three-in-a-row numbers absent from the last L3 draws
    int active = 10; ///< L4: step 4 ranks the L4 draws before the most recent one
    bool operator==(const FourStepSettings&) const = default;
};

/// The default of L1 for a history of `recnum` draws: 40, or the largest length the list offers
/// when the history is shorter.
int defaultRecent(int recnum);

/// The four steps for one target draw, each as its field lists it.
struct FourStepSelection {
    std::vector<int> step1;   ///< the most frequent half of the last L1 draws, in number order
    std::vector<int> step2;   ///< step 1 without the numbers of the last L2 draws
    std::vector<int> step3;   ///< added three-in-a-row numbers, in number order
    std::vector<int> step4;   ///< added cold-but-active numbers, in ranking order
    std::vector<int> numbers; ///< the recommendation, ascending
};

/// The first target whose steps read no draw before the first: the steps look back to the draws
/// T - L1 - 2, T - L2, T - L3 and T - L4 - 1.
std::size_t fourStepFirstTarget(const FourStepSettings& settings);
/// Why target `target` cannot be computed, or empty.
std::string fourStepTargetRefusal(std::size_t target, const FourStepSettings& settings);

/// The steps for target draw `target` (fourStepFirstTarget .. draws.size()).
FourStepSelection selectFourStep(const ZoneDraws& draws, std::size_t target, const FourStepSettings& settings);

/// The back-test of the draws after the first L1 + 10; the table and the history chart start at
/// draw L1 + 20, and there is no frequency table.
BacktestReport fourStepBacktest(const ZoneDraws& draws, const FourStepSettings& settings, Progress* progress = nullptr);

/// What 最终投注号码 shows: item + "期推荐投注号码：" + the numbers as "%.2d".
std::string fourStepRecommendation(const std::string& targetItem, const std::vector<int>& numbers);

} // namespace quorlin

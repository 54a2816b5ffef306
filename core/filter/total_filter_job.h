#pragma once

#include "filter/combination_table.h"
#include "filter/total_filter.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorlin {

class BetList;
class Progress;

/// What a run that keeps no combination tells the player.
inline constexpr const char* kNothingKeptMessage = "没有符合条件的投注号码，请重新选择过滤条件！";

/// One pass of the total filter over a working table, as the window and the command line start it.
struct TotalFilterRun {
    TotalFilterSettings settings;
    FilterSpace space;
    bool rebuild = false; ///< start from every combination instead of the working table
    std::string listPath; ///< where the numbered list goes; no file when empty
};

/// How a run or a load ended. When `completed` is false it was stopped and nothing changed.
struct TotalFilterOutcome {
    bool completed = false;
    std::size_t survivors = 0;             ///< front combinations left by a run
    std::optional<CombinationTable> table; ///< the new working table; none when stopped or refused
    std::shared_ptr<const BetList> bets;   ///< the list to show (empty when a run kept nothing)
    std::string refusal;                   ///< why a load refused its file
    std::vector<int> frontNumbers;         ///< the front numbers a loaded file uses
    std::vector<int> backNumbers;          ///< the back numbers a loaded file uses
};

/// One run of the total filter: filters a copy of `working` (every combination instead when
/// `run.rebuild`), pairs the survivors with every pair of the chosen back numbers and writes the
/// numbered list when some survived. The caller makes the outcome's table its working table; a
/// stop leaves the list file as it was and gives no table. Throws when the file cannot be written.
TotalFilterOutcome runTotalFilterJob(const CombinationTable& working, const TotalFilterRun& run,
                                     Progress* progress = nullptr);

/// Reads the bet list at `path` (载入), writes its lines numbered to `listPath` (when given) and
/// gives its front combinations as the new working table. A refused file or a stop gives no table.
/// Throws when the list file cannot be written.
TotalFilterOutcome loadTotalFilterJob(const std::string& path, const FilterSpace& space, const std::string& listPath,
                                      Progress* progress = nullptr);

/// 1 … space.backTotal: the back numbers of a run that chooses none itself.
std::vector<int> everyBackNumber(const FilterSpace& space);

} // namespace quorlin

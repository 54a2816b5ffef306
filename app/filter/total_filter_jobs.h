#pragma once

#include "filter/total_filter.h"

#include <memory>
#include <string>
#include <vector>

namespace quorlin {
class BetList;
class CombinationTable;
class Progress;
} // namespace quorlin

/// What one run of the total filter needs, read from the window before it starts.
struct TotalFilterRun {
    quorlin::TotalFilterSettings settings;
    quorlin::FilterSpace space;
    bool rebuild = false; ///< start from every combination (rebuildall)
    std::string tempPath; ///< where the numbered list goes ("temp.txt")
};

/// How a run or a load ended. When `completed` is false it was stopped and nothing changed.
struct TotalFilterOutcome {
    bool completed = false;
    std::size_t survivors = 0;                    ///< front combinations left by a run
    std::shared_ptr<const quorlin::BetList> bets; ///< the list to show; null when a run kept nothing
    std::string refusal;                          ///< why a load refused its file
    std::vector<int> frontNumbers;                ///< the front numbers a loaded file uses
    std::vector<int> backNumbers;                 ///< the back numbers a loaded file uses
};

/// One run of the 过滤 button, off the user-interface thread: filters `allcode` (rebuilt first when
/// asked), pairs the survivors with every pair of the chosen back numbers and writes the numbered
/// list. A stop leaves `allcode` and the list file as they were: the run works on a copy, which
/// replaces `allcode` only once the file is written. Throws when the file cannot be written.
TotalFilterOutcome runTotalFilterJob(quorlin::CombinationTable& allcode, const TotalFilterRun& run,
                                     quorlin::Progress& progress);

/// The 载入 button: reads the bet list at `path`, writes its lines numbered to `tempPath` and makes
/// its front combinations the working set in `allcode`. A refused file or a stop changes nothing.
/// Throws when the list file cannot be written.
TotalFilterOutcome loadTotalFilterJob(quorlin::CombinationTable& allcode, const std::string& path,
                                      const quorlin::FilterSpace& space, const std::string& tempPath,
                                      quorlin::Progress& progress);

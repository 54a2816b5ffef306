#pragma once

#include "common/grid.h"
#include "filter/combination_table.h"
#include "store/his_text.h"
#include "store/prize_results.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorlin {

/// The in-memory state of the one open lottery that every analysis reads: the program
/// directory, the lottery's name and game parameters, the draw count and the history tables.
struct LotteryState {
    std::string apppath;      ///< program directory with trailing separator
    std::string cainame;      ///< name of the open lottery
    std::int32_t caitype = 0; ///< 0 乐透型, 1 数字型
    std::int32_t caisum = 35; ///< front numbers to choose from
    std::int32_t caisel = 5;  ///< front numbers per draw
    std::int32_t housum = 12; ///< back numbers to choose from
    std::int32_t housel = 2;  ///< back numbers per draw
    std::int32_t recnum = 0;  ///< draws loaded: the newest kMaxDraws at most
    bool caiopen = false;     ///< a lottery is open
    bool bianhuan = false;    ///< the display uses the transformed mapping

    /// The total filter's working table: one row per front combination with its exclusion mark.
    CombinationTable allcode;

    /// Standard history: [0] issue, [1..c] front numbers, [c+1..c+h] back numbers.
    Grid<std::int32_t> hisfull;
    /// Draw dates as stored, empty where the text is not a date.
    std::vector<std::string> hisdate;
    /// Display rows of the trend grid in the space of the last build.
    HisText histext;
    /// Transformed history: [0] issue, [1..c] transformed front numbers ascending.
    Grid<std::int32_t> hisbian;
    /// Permutation P of the last transformed build, indexed 1..caisum (index 0 unused).
    std::vector<std::int32_t> bianperm;
    /// Rank of every code 1..caisum for the coming draw (index 0 unused).
    std::vector<std::int32_t> bianrank;
    /// The published prize results of the lottery's draws as stored (never null once a lottery is
    /// open; empty when the database holds none, or is read-only and predates them).
    std::shared_ptr<const PrizeResults> prizeResults = std::make_shared<const PrizeResults>();

    /// Full path of the lottery database.
    std::string databasePath() const;
};

} // namespace quorlin

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

struct LotteryState;

/// Which omission the table's column 5 holds: the long gap before a recent return (中奖回补分析,
/// "前次遗漏") or the current omission (中奖偏态分析, "目前遗漏"). The only point where the two
/// windows differ.
enum class OmissionRule { Return, Current };

/// The row order: number order, or by chase value, omission value or occurrence count, as the
/// windows' exchange sort leaves equal keys.
enum class OmissionSort { Number, Chase, Omission, Count };

/// One number's row of the 8-column table, values and the texts the grid shows.
struct OmissionRow {
    int number = 0;
    int occurrences = 0;            ///< column 3
    int longestAbsence = 0;         ///< column 4
    int omission = 0;               ///< column 5 (0 when the rule does not apply)
    std::int64_t chase = 0;         ///< column 7 without its "%"
    std::vector<std::string> cells; ///< the 8 texts
};

struct OmissionTable {
    std::vector<std::string> headers; ///< the 8 column headers
    std::vector<OmissionRow> rows;    ///< K rows in the chosen order
};

/// Builds the table of one zone: `draws` zone numbers per draw (`width` = m numbers each, oldest
/// first) out of 1..`candidates` (K), for `recnum` loaded draws.
OmissionTable buildOmissionTable(const std::vector<std::int32_t>& draws, int candidates, int width, int recnum,
                                 OmissionRule rule, OmissionSort sort);

/// The zone history the omission windows read: the real numbers of the front zone (or of the
/// back zone) of every loaded draw, oldest first, caisel (housel) per draw; never transformed.
std::vector<std::int32_t> zoneHistory(const LotteryState& state, bool back);

/// The table of the open lottery's front zone (35 numbers, 5 a draw) or back zone (12, 2).
OmissionTable buildOmissionTable(const LotteryState& state, bool back, OmissionRule rule, OmissionSort sort);

} // namespace quorlin

#pragma once

#include "invest/plan_store.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

/// The plan file's name proposed by each window: "固定投资计划表.txt" and so on.
const char* planFileName(PlanKind kind);
/// Lines before the table rows: 5 (fixed), 6 (staged with 阶段次数, variable with 本期注数).
int planHeaderLines(PlanKind kind);

/// Writes a plan file: the field texts, then every cell of every table row on a line of its own
/// (empty cells as empty lines), GBK, CR LF. False with `error` set when it cannot be written.
bool writePlanFile(const std::string& path, const std::vector<std::string>& header,
                   const std::vector<std::vector<std::string>>& rows, std::string& error);

/// What 载入 read from a plan file.
struct PlanLoad {
    /// Why nothing was loaded (a file that cannot be read, 投注期数 not above 0 for the fixed and
    /// staged plans, rows beyond 投注期数); empty when the load went ahead.
    std::string refusal;
    std::vector<std::string> header; ///< the field texts, in file order
    std::int32_t days = 0;           ///< 投注期数 from the header
    /// The table rows read, one text per cell; a row cut short by the end of the file or by a line
    /// that is not a whole number holds fewer cells.
    std::vector<std::vector<std::string>> rows;
    /// Rows read in full.
    std::size_t completeRows = 0;
    /// The fixed plan stops reading at a line that is not a whole number: its line number, else 0.
    std::size_t stoppedAt = 0;
    /// The staged and variable plans end the load with the conversion error of such a line.
    std::string error;
};

/// Reads a plan file for the window of `store.kind()`. Unless refused, the store is sized to
/// 投注期数 rows (keeping what it held) and every value read goes into its row and column.
PlanLoad loadPlanFile(const std::string& path, PlanStore& store);

} // namespace quorlin

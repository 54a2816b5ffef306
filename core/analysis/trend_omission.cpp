#include "analysis/trend_omission.h"

#include "store/his_text.h"

#include <algorithm>

namespace quorlin {

TrendOmission::TrendOmission(const HisText& rows)
    : omission_(rows.rows(), static_cast<std::size_t>(rows.cellCount())),
      summaries_(static_cast<std::size_t>(rows.cellCount()))
{
    const int front = rows.frontTotal();
    const int back = rows.backTotal();
    auto isMarkCell = [&](int cell) {
        return (cell >= 3 && cell <= front + 2) || (cell >= front + 4 && cell <= front + back + 3);
    };
    const std::size_t draws = rows.rows();
    for (int cell = 0; cell < rows.cellCount(); ++cell) {
        if (!isMarkCell(cell))
            continue;
        TrendColumnSummary& summary = summaries_[static_cast<std::size_t>(cell)];
        std::int32_t gap = 0;
        int run = 0;
        for (std::size_t r = 0; r < draws; ++r) {
            if (rows.marked(r, cell)) {
                gap = 0;
                ++summary.occurrences;
                summary.longestRun = std::max(summary.longestRun, ++run);
            } else {
                run = 0;
                summary.longestOmission = std::max(summary.longestOmission, ++gap);
            }
            omission_.at(r, static_cast<std::size_t>(cell)) = gap;
        }
        summary.meanOmission =
            static_cast<double>(static_cast<int>(draws) - summary.occurrences) / (summary.occurrences + 1);
    }
}

} // namespace quorlin

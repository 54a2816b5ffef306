#include "analysis/trend_omission.h"

#include "store/his_text.h"

#include <algorithm>

namespace quorlin {

TrendOmission::TrendOmission(const HisText& rows)
    : omission_(rows.rows(), static_cast<std::size_t>(rows.cellCount())),
      markCell_(static_cast<std::size_t>(rows.cellCount()))
{
    const int front = rows.frontTotal();
    const int back = rows.backTotal();
    for (int cell = 0; cell < rows.cellCount(); ++cell) {
        if ((cell < 3 || cell > front + 2) && (cell < front + 4 || cell > front + back + 3))
            continue;
        markCell_[static_cast<std::size_t>(cell)] = true;
        std::int32_t gap = 0;
        for (std::size_t r = 0; r < rows.rows(); ++r) {
            gap = rows.marked(r, cell) ? 0 : gap + 1;
            omission_.at(r, static_cast<std::size_t>(cell)) = gap;
        }
    }
    summaries_ = summaries(0);
}

std::vector<TrendColumnSummary> TrendOmission::summaries(std::size_t draws) const
{
    const std::size_t rowCount = omission_.rows();
    const std::size_t first = draws == 0 || draws >= rowCount ? 0 : rowCount - draws;
    std::vector<TrendColumnSummary> result(markCell_.size());
    for (std::size_t cell = 0; cell < markCell_.size(); ++cell) {
        if (!markCell_[cell])
            continue;
        TrendColumnSummary& summary = result[cell];
        int gap = 0;
        int run = 0;
        for (std::size_t r = first; r < rowCount; ++r) {
            if (omission_.at(r, cell) == 0) {
                gap = 0;
                ++summary.occurrences;
                summary.longestRun = std::max(summary.longestRun, ++run);
            } else {
                run = 0;
                summary.longestOmission = std::max(summary.longestOmission, ++gap);
            }
        }
        summary.meanOmission =
            static_cast<double>(static_cast<int>(rowCount - first) - summary.occurrences) / (summary.occurrences + 1);
    }
    return result;
}

} // namespace quorlin

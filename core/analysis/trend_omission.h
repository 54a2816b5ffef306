#pragma once

#include "common/grid.h"

#include <cstdint>
#include <vector>

namespace quorlin {

class HisText;

/// One number's figures over the draws a trend grid shows.
struct TrendColumnSummary {
    int occurrences = 0;     ///< 出现次数: draws that hold the number
    double meanOmission = 0; ///< 平均遗漏: (draws − occurrences) / (occurrences + 1)
    int longestOmission = 0; ///< 最大遗漏: the longest run of draws without the number
    int longestRun = 0;      ///< 最大连出: the longest run of draws in a row with the number
};

/// The omission figures of a trend grid, computed once per rebuild of its display rows.
///
/// The omission of a number in a draw is how many draws have passed without it up to and including
/// that draw, counted down the rows from the oldest: 0 where it was drawn, 1 in the next draw
/// without it, and so on. Before its first appearance the count starts at the oldest row (1 there),
/// as if the number had been drawn just before it.
///
/// 平均遗漏 is the mean length of the gaps the number's appearances leave: the gap before its first
/// appearance, those between appearances (0 for consecutive ones) and the current gap after the last,
/// occurrences + 1 gaps that together hold draws − occurrences draws.
class TrendOmission {
public:
    TrendOmission() = default;
    /// Reads the hit marks of every row and every front and back mark cell of `rows`.
    explicit TrendOmission(const HisText& rows);

    std::size_t rows() const { return omission_.rows(); }
    /// The omission in display row r (oldest first) of mark cell `cell` (the grid's column); 0 where
    /// the number was drawn, and for the other cells.
    std::int32_t omission(std::size_t r, int cell) const { return omission_.at(r, static_cast<std::size_t>(cell)); }
    /// The number of mark cell `cell` was drawn in display row r (meaningless for other cells).
    bool drawn(std::size_t r, int cell) const { return omission(r, cell) == 0; }
    /// The figures of mark cell `cell` over every row; zeros for the other cells.
    const TrendColumnSummary& summary(int cell) const { return summaries_[static_cast<std::size_t>(cell)]; }
    /// The figures of every cell over the newest `draws` rows alone, as if they were all the rows
    /// (every row when `draws` is 0 or more than there are); zeros for the cells that are no mark
    /// cells.
    std::vector<TrendColumnSummary> summaries(std::size_t draws) const;

private:
    Grid<std::int32_t> omission_;
    std::vector<bool> markCell_;
    std::vector<TrendColumnSummary> summaries_;
};

} // namespace quorlin

#pragma once

#include "common/grid.h"
#include "filter/total_filter.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorlin {

/// The fronts a scheme keeps before each draw of a replay, counted by how many of that draw's
/// front numbers they hold. The conditions that judge every draw alike are judged once, over every
/// combination; the rows they leave within the tolerance are held as one bit per row and number,
/// 64 rows a word, so the conditions taken against the draws before (偏度, 重号, 邻号, 热号, 温号,
/// 冷号) and the hits of a draw are a few word operations per 64 rows. Draws are counted in batches
/// that share each pass over the rows.
class ReplayFrontCounts {
public:
    /// Judges the draw-free conditions of `settings` over every combination of `width` numbers out
    /// of 1..`total`. Throws std::invalid_argument for more than 7 numbers a row.
    ReplayFrontCounts(const TotalFilterSettings& settings, int total, int width);

    /// The fronts kept for draw `at` of the history (column 0 the issue, 1..width the front
    /// numbers, oldest first; at ≥ 1), judged against the draws before it, by how many of its
    /// front numbers they hold (index = hits). The draws after it (up to kBatch of them) are
    /// counted in the same pass and kept for the calls that ask for them next, in order: every
    /// call takes the same history.
    std::array<std::uint64_t, 9> count(const Grid<std::int32_t>& his, std::size_t at);

    static constexpr std::size_t kBatch = 32;

private:
    // A count of a row's numbers in a set, its range and the words of those numbers in a block.
    struct Test {
        std::vector<std::size_t> words;
        int lo = 0;
        int hi = 0;
        bool any = false; // a test of "none" or "at least one": the numbers' words or'ed
    };
    // One condition fails a row when any of its tests does (偏度 has two).
    using Condition = std::vector<Test>;
    // What one draw's count takes: its conditions and the words of its front numbers.
    struct DrawProgram {
        std::vector<Condition> conditions;
        std::vector<std::size_t> drawWords;
    };

    DrawProgram programFor(const Grid<std::int32_t>& his, std::size_t at);
    // Nothing for a test every row passes.
    std::optional<Test> test(std::uint64_t numbers, int lo, int hi) const;

    TotalFilterSettings dependent_;
    int total_ = 35;
    int width_ = 5;
    bool tolerant_ = false;
    std::size_t stride_ = 0; // words of a chunk
    // Per block of 64 rows: the rows present, three bits of each row's remaining tolerance, then
    // one word per number 1..total with the rows that hold it; the blocks interleaved in chunks.
    std::vector<std::uint64_t> chunks_;
    std::vector<int> omission_; // after the first omissionAt_ draws
    std::size_t omissionAt_ = 0;
    std::vector<std::array<std::uint64_t, 9>> counted_; // draws countedFrom_, countedFrom_ + 1, …
    std::size_t countedFrom_ = 0;
};

} // namespace quorlin

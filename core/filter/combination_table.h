#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quorlin {

/// The total filter's working table `allcode`: one row per front combination (its numbers
/// ascending) with its exclusion mark, 0 in the current set and 1 excluded. Kept compact (one byte
/// per number and per mark, and the combination as a bit mask for the filter's tests), since the
/// full table of 35 numbers holds 324,632 rows.
class CombinationTable {
public:
    /// Numbers per row (caisel).
    int width() const { return width_; }
    std::size_t rows() const { return marks_.size(); }
    bool empty() const { return marks_.empty(); }

    /// Every combination of `width` numbers out of 1..`total` in the combination order (first
    /// number varying slowest), marks 0.
    void buildAll(int total, int width);
    /// The given combinations in their order (each `width` ascending numbers out of 1..`total`),
    /// marks 0.
    void assign(int total, int width, std::span<const std::uint8_t> numbers);

    /// The indicators of a row's real numbers, worked out once when the table is filled, so a run
    /// in the real numbers only compares. The small ones (all below 64) share one word, 7 bits each
    /// (Field), so a run compares them all at once.
    enum Field { Span, Dispersion, Ac, LongestRun, Tails, TailSum, Lowest, Highest, Consecutive };
    static constexpr int kFieldBits = 7;
    /// Packed to 10 bytes: a run reads every row's, so the smaller the faster.
    struct [[gnu::packed]] Stats {
        std::uint64_t fields; ///< bits 7f.. hold Field f
        std::uint16_t sum;
        int field(Field f) const { return static_cast<int>((fields >> (kFieldBits * f)) & 0x7F); }
    };
    const Stats& stats(std::size_t r) const { return stats_[r]; }
    const Stats* statsData() const { return stats_.data(); }
    int total() const { return total_; }
    void clear();

    std::span<const std::uint8_t> row(std::size_t r) const
    {
        return {numbers_.data() + r * static_cast<std::size_t>(width_), static_cast<std::size_t>(width_)};
    }
    /// Bit n set for every number n of the row.
    std::uint64_t mask(std::size_t r) const { return masks_[r]; }
    std::uint8_t mark(std::size_t r) const { return marks_[r]; }
    void setMark(std::size_t r, std::uint8_t mark) { marks_[r] = mark; }
    /// Rows whose mark is 0.
    std::size_t unmarked() const;

    const std::uint8_t* numberData() const { return numbers_.data(); }
    const std::uint64_t* maskData() const { return masks_.data(); }
    std::uint8_t* markData() { return marks_.data(); }

private:
    void computeDerived();

    int total_ = 0;
    int width_ = 0;
    std::vector<std::uint8_t> numbers_;
    std::vector<std::uint64_t> masks_;
    std::vector<Stats> stats_;
    std::vector<std::uint8_t> marks_;
};

} // namespace quorlin

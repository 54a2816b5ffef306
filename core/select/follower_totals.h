#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorlin {

struct ZoneDraws;

/// Running totals of the draws that followed each number: for number x and m, how often every
/// number came out in the draws right after the first m draws holding x. The followers of any run
/// of x's occurrences are then one subtraction, whatever the length of the history.
class FollowerTotals {
public:
    explicit FollowerTotals(const ZoneDraws& draws);

    /// How many draws below `limit` hold x.
    std::size_t occurrencesBefore(int x, std::size_t limit) const;
    /// Adds to `counts` (indexed by number) the followers of x's occurrences first..last-1,
    /// counted from x's first occurrence.
    void addFollowers(int x, std::size_t first, std::size_t last, std::vector<int>& counts) const;

private:
    std::size_t width_;                            ///< Z + 1 totals per row
    std::vector<std::vector<std::int32_t>> draws_; ///< per number: the draws holding it, oldest first
    /// per number: (occurrences + 1) rows of `width_` totals; row m covers the first m occurrences
    std::vector<std::vector<std::uint16_t>> totals_;
};

} // namespace quorlin

#include "filter/combination_table.h"

#include <algorithm>
#include <stdexcept>

namespace quorlin {

void CombinationTable::buildAll(int total, int width)
{
    if (width < 1 || width > total || total > 63)
        throw std::invalid_argument("组合表的号码个数不合理");
    width_ = width;
    numbers_.clear();
    std::vector<std::uint8_t> comb(static_cast<std::size_t>(width));
    for (int i = 0; i < width; ++i)
        comb[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i + 1);
    for (;;) {
        numbers_.insert(numbers_.end(), comb.begin(), comb.end());
        // Advance the rightmost position that can still grow, then reset the ones after it.
        int i = width - 1;
        while (i >= 0 && comb[static_cast<std::size_t>(i)] == total - (width - 1 - i))
            --i;
        if (i < 0)
            break;
        ++comb[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < width; ++j)
            comb[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(comb[static_cast<std::size_t>(j - 1)] + 1);
    }
    marks_.assign(numbers_.size() / static_cast<std::size_t>(width), 0);
    computeMasks();
}

void CombinationTable::assign(int width, std::span<const std::uint8_t> numbers)
{
    if (width < 1 || numbers.size() % static_cast<std::size_t>(width) != 0)
        throw std::invalid_argument("组合表的号码个数不合理");
    width_ = width;
    numbers_.assign(numbers.begin(), numbers.end());
    marks_.assign(numbers_.size() / static_cast<std::size_t>(width), 0);
    computeMasks();
}

void CombinationTable::clear()
{
    numbers_.clear();
    masks_.clear();
    marks_.clear();
}

std::size_t CombinationTable::unmarked() const
{
    return static_cast<std::size_t>(std::count(marks_.begin(), marks_.end(), std::uint8_t{0}));
}

void CombinationTable::computeMasks()
{
    masks_.resize(marks_.size());
    const auto w = static_cast<std::size_t>(width_);
    for (std::size_t r = 0; r < marks_.size(); ++r) {
        std::uint64_t m = 0;
        for (std::size_t k = 0; k < w; ++k)
            m |= std::uint64_t{1} << numbers_[r * w + k];
        masks_[r] = m;
    }
}

} // namespace quorlin

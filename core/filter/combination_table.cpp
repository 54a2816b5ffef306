#include "filter/combination_table.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

namespace quorlin {

void CombinationTable::buildAll(int total, int width)
{
    if (width < 1 || width > total || total > 63)
        throw std::invalid_argument("组合表的号码个数不合理");
    total_ = total;
    width_ = width;
    numbers_.clear();
    numbers_.reserve(static_cast<std::size_t>(width) * 400'000);
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
    computeDerived();
}

void CombinationTable::assign(int total, int width, std::span<const std::uint8_t> numbers)
{
    if (width < 1 || total > 63 || numbers.size() % static_cast<std::size_t>(width) != 0)
        throw std::invalid_argument("组合表的号码个数不合理");
    total_ = total;
    width_ = width;
    numbers_.assign(numbers.begin(), numbers.end());
    marks_.assign(numbers_.size() / static_cast<std::size_t>(width), 0);
    computeDerived();
}

void CombinationTable::clear()
{
    numbers_.clear();
    masks_.clear();
    stats_.clear();
    marks_.clear();
}

std::size_t CombinationTable::unmarked() const
{
    return static_cast<std::size_t>(std::count(marks_.begin(), marks_.end(), std::uint8_t{0}));
}

namespace {

// The indicators of one row (its numbers ascending, Width of them, or w when Width is 0).
template <int Width>
[[gnu::always_inline]] inline CombinationTable::Stats rowStats(const std::uint8_t* x, int w, int total,
                                                               std::uint64_t& mask)
{
    using F = CombinationTable::Field;
    if constexpr (Width > 0)
        w = Width;
    const auto n = static_cast<std::size_t>(w);
    std::uint64_t m = 0;
    CombinationTable::Stats st{};
    int sum = 0;
#pragma GCC unroll 8
    for (std::size_t k = 0; k < n; ++k) {
        m |= std::uint64_t{1} << x[k];
        sum += x[k];
    }
    st.sum = static_cast<std::uint16_t>(sum);
    // The value farthest from every number lies at an end or halfway inside the widest gap.
    int worst = std::max(x[0] - 1, total - x[n - 1]);
#pragma GCC unroll 8
    for (std::size_t k = 1; k < n; ++k)
        worst = std::max(worst, (x[k] - x[k - 1]) / 2);
    // Bit d of (m >> x) is set when x + d is a number too; bit 0 (a number with itself) is dropped.
    std::uint64_t differences = 0;
#pragma GCC unroll 8
    for (std::size_t k = 0; k < n; ++k)
        differences |= m >> x[k];
    int run = 1;
    int longest = 1;
    unsigned tails = 0;
    int tailSum = 0;
#pragma GCC unroll 8
    for (std::size_t k = 0; k < n; ++k) {
        if (k > 0) {
            run = x[k] == x[k - 1] + 1 ? run + 1 : 1;
            longest = std::max(longest, run);
        }
        tails |= 1u << (x[k] % 10);
        tailSum += x[k] % 10;
    }
    const auto put = [&st](F f, int value) {
        st.fields |= static_cast<std::uint64_t>(value & 0x7F) << (CombinationTable::kFieldBits * f);
    };
    put(F::Span, x[n - 1] - x[0]);
    put(F::Dispersion, worst);
    put(F::Ac, std::popcount(differences >> 1));
    put(F::LongestRun, longest);
    put(F::Tails, std::popcount(tails));
    put(F::TailSum, tailSum);
    put(F::Lowest, x[0]);
    put(F::Highest, x[n - 1]);
    put(F::Consecutive, std::popcount(m & (m >> 1)));
    mask = m;
    return st;
}

template <int Width>
[[gnu::always_inline]] inline void deriveRows(const std::uint8_t* numbers, std::size_t rows, int w, int total,
                                              std::uint64_t* masks, CombinationTable::Stats* stats)
{
    for (std::size_t r = 0; r < rows; ++r)
        stats[r] = rowStats<Width>(numbers + r * static_cast<std::size_t>(w), w, total, masks[r]);
}

// Bit counting is one instruction on x86 processors that have it; the program picks at run time.
// The game's five numbers get loops the compiler unrolls.
#if defined(__x86_64__) || defined(__i386__)
[[gnu::target("popcnt")]] void deriveRowsPopcnt(const std::uint8_t* numbers, std::size_t rows, int w, int total,
                                                std::uint64_t* masks, CombinationTable::Stats* stats)
{
    w == 5 ? deriveRows<5>(numbers, rows, w, total, masks, stats)
           : deriveRows<0>(numbers, rows, w, total, masks, stats);
}
#endif

void deriveRowsPortable(const std::uint8_t* numbers, std::size_t rows, int w, int total, std::uint64_t* masks,
                        CombinationTable::Stats* stats)
{
    w == 5 ? deriveRows<5>(numbers, rows, w, total, masks, stats)
           : deriveRows<0>(numbers, rows, w, total, masks, stats);
}

} // namespace

void CombinationTable::computeDerived()
{
    masks_.resize(marks_.size());
    stats_.resize(marks_.size());
#if defined(__x86_64__) || defined(__i386__)
    if (__builtin_cpu_supports("popcnt"))
        deriveRowsPopcnt(numbers_.data(), marks_.size(), width_, total_, masks_.data(), stats_.data());
    else
#endif
        deriveRowsPortable(numbers_.data(), marks_.size(), width_, total_, masks_.data(), stats_.data());
}

} // namespace quorlin

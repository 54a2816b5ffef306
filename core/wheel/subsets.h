#pragma once

#include <bit>
#include <cstdint>
#include <vector>

namespace quorlin {

/// Calls f with every k-element subset of {1..n} as a bit mask (bit p − 1 for position p), in
/// increasing mask order (n ≤ 32).
template <typename F> void forEachSubset(int n, int k, F&& f)
{
    if (k < 0 || k > n || n > 32)
        return;
    if (k == 0) {
        f(std::uint32_t{0});
        return;
    }
    const std::uint64_t end = std::uint64_t{1} << n;
    std::uint64_t mask = (std::uint64_t{1} << k) - 1;
    while (mask < end) {
        f(static_cast<std::uint32_t>(mask));
        // The next larger mask with the same number of bits (Gosper).
        const std::uint64_t low = mask & (~mask + 1);
        const std::uint64_t ripple = mask + low;
        mask = ripple | (((mask ^ ripple) >> 2) / low);
    }
}

/// The positions (1-based, ascending) of a subset mask.
inline std::vector<int> subsetPositions(std::uint32_t mask)
{
    std::vector<int> positions;
    for (int p = 1; mask; ++p, mask >>= 1)
        if (mask & 1u)
            positions.push_back(p);
    return positions;
}

} // namespace quorlin

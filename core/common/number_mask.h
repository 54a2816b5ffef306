#pragma once

#include <cstdint>
#include <vector>

namespace quorlin {

/// Bit n set for every number n of the list (numbers outside 0..63 are left out).
inline std::uint64_t numberMask(const std::vector<int>& numbers)
{
    std::uint64_t m = 0;
    for (const int n : numbers)
        if (n >= 0 && n < 64)
            m |= std::uint64_t{1} << n;
    return m;
}

} // namespace quorlin

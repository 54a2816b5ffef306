#include "common/binomial.h"

#include <algorithm>

namespace quorlin {

std::uint64_t binomial(int n, int k)
{
    if (k < 0 || n < 0 || k > n)
        return 0;
    k = std::min(k, n - k);
    std::uint64_t result = 1;
    // Each partial product is itself a binomial coefficient, so the division is exact.
    for (int i = 1; i <= k; ++i)
        result = result * static_cast<std::uint64_t>(n - k + i) / static_cast<std::uint64_t>(i);
    return result;
}

} // namespace quorlin

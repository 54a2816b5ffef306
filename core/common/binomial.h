#pragma once

#include <cstdint>

namespace quorlin {

/// C(n, k), 0 when k < 0 or k > n; exact wherever the result fits 64 bits (every count of the
/// game's tickets and combinations does).
std::uint64_t binomial(int n, int k);

} // namespace quorlin

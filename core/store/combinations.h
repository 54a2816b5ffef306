#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace quorlin {

struct LotteryState;

/// Rows of the combination space: caisum^k for a digit-type lottery, else C(n, k).
std::int32_t combin(const LotteryState& state, std::int32_t n, std::int32_t k);
/// The plain binomial coefficient C(n, k); 0 when 0 <= n < k, 1 when k <= 0.
std::int32_t choose(std::int32_t n, std::int32_t k);
/// 1-based lexicographic rank of an ascending combination of caisel numbers out of caisum.
std::int32_t combrank(const LotteryState& state, std::span<const std::int32_t> numbers);

/// Calls `visit` with every ascending combination of `count` numbers out of 1..`total`, in the
/// combination order (first number varying slowest). `visit` gets a span of `count` numbers.
void forEachCombination(int total, int count, const std::function<void(std::span<const std::int32_t>)>& visit);

} // namespace quorlin

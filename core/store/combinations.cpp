#include "store/combinations.h"

#include "store/lottery_state.h"

#include <vector>

namespace quorlin {

std::int32_t combin(const LotteryState& state, std::int32_t n, std::int32_t k)
{
    if (state.caitype == 1) {
        std::int32_t result = 1;
        for (std::int32_t i = 0; i < k; ++i)
            result *= n;
        return result;
    }
    std::int32_t numerator = 1;
    std::int32_t denominator = 1;
    for (std::int32_t i = 1; i <= k; ++i) {
        numerator *= n - i + 1;
        denominator *= i;
    }
    return numerator / denominator;
}

std::int32_t choose(std::int32_t n, std::int32_t k)
{
    std::int32_t result = 1;
    for (std::int32_t i = 1; i <= k; ++i)
        result *= n - i + 1;
    for (std::int32_t i = 1; i <= k; ++i)
        result /= i;
    return result;
}

std::int32_t combrank(const LotteryState& state, std::span<const std::int32_t> numbers)
{
    const std::int32_t c = state.caisel;
    const std::int32_t total = state.caisum;
    std::int32_t rank = 1;
    for (std::int32_t i = 0; i < c; ++i) {
        const std::int32_t lo = i == 0 ? 1 : numbers[static_cast<std::size_t>(i - 1)] + 1;
        for (std::int32_t j = lo; j < numbers[static_cast<std::size_t>(i)]; ++j)
            rank += choose(total - j, c - i - 1);
    }
    return rank;
}

void forEachCombination(int total, int count, const std::function<void(std::span<const std::int32_t>)>& visit)
{
    if (count <= 0 || count > total)
        return;
    std::vector<std::int32_t> comb(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        comb[static_cast<std::size_t>(i)] = i + 1;
    for (;;) {
        visit(comb);
        // Advance the rightmost position that can still grow, then reset the ones after it.
        int i = count - 1;
        while (i >= 0 && comb[static_cast<std::size_t>(i)] == total - (count - 1 - i))
            --i;
        if (i < 0)
            return;
        ++comb[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < count; ++j)
            comb[static_cast<std::size_t>(j)] = comb[static_cast<std::size_t>(j - 1)] + 1;
    }
}

} // namespace quorlin

#pragma once

#include "test_support.h"

#include <vector>

/// The shipped history as a window test's fixture draws: {issue, 5 front, 2 back}, oldest first.
inline std::vector<std::vector<int>> shippedDraws()
{
    const auto history = quorlin::test::shippedHistory();
    std::vector<std::vector<int>> draws;
    for (std::size_t r = 0; r < history.rows(); ++r)
        draws.emplace_back(history.row(r).begin(), history.row(r).end());
    return draws;
}

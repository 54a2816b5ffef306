#pragma once

// Draw lists for the selection-method tests.
#include "select/zone_draws.h"

#include <cstdint>
#include <vector>

namespace quorlin::test {

/// A draw list of zone 1..`zoneSize` whose draws hold `rows`, issues 2020001 on.
inline ZoneDraws zoneDrawsOf(const std::vector<std::vector<int>>& rows, int zoneSize = 35)
{
    ZoneDraws draws(zoneSize, rows.empty() ? 5 : static_cast<int>(rows.front().size()));
    for (std::size_t i = 0; i < rows.size(); ++i)
        draws.append(2020001 + static_cast<std::int32_t>(i), rows[i]);
    return draws;
}

/// `count` draws of `perDraw` distinct numbers out of 1..`zoneSize`, the same for the same seed.
inline ZoneDraws scrambledDraws(int count, int zoneSize, int perDraw, std::uint32_t seed)
{
    std::vector<std::vector<int>> rows;
    for (int i = 0; i < count; ++i) {
        std::vector<int> row;
        while (static_cast<int>(row.size()) < perDraw) {
            seed = seed * 1664525u + 1013904223u;
            const int n = static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(zoneSize)) + 1;
            bool seen = false;
            for (const int m : row)
                seen = seen || m == n;
            if (!seen)
                row.push_back(n);
        }
        rows.push_back(row);
    }
    return zoneDrawsOf(rows, zoneSize);
}

} // namespace quorlin::test

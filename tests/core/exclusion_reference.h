#pragma once

// The relabelling of the exclusion windows worked out the plain way, position by position, as the
// program's users read it: codes counted over the stage, gaps searched back, an exchange sort with
// a comparison. The tests hold the fast code against it.
#include "filter/rand_transform.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace quorlin::test {

/// relabel[n] at position p: rank of code(n, p) among the codes ranked in `order`.
inline std::vector<int> plainRelabel(const DrawHistory& h, const std::vector<int>& perm, int stage, RankOrder order,
                                     int p)
{
    const int total = h.total;
    auto code = [&](int n, int t) { return (perm[static_cast<std::size_t>(n)] + t) % total + 1; };
    struct Entry {
        int code, count, gap;
    };
    std::vector<Entry> e(static_cast<std::size_t>(total + 1));
    for (int k = 1; k <= total; ++k) {
        Entry& x = e[static_cast<std::size_t>(k)];
        x = {k, 0, 0};
        for (int t = stage > 0 ? p - stage : 0; t < p; ++t)
            if (t >= 0)
                for (int j = 0; j < h.width; ++j)
                    x.count += code(h.draw(t)[j], t) == k;
        for (int t = p - 1; t >= 0 && x.gap == 0; --t)
            for (int j = 0; j < h.width; ++j)
                if (code(h.draw(t)[j], t) == k)
                    x.gap = p - t;
    }
    auto before = [&](const Entry& a, const Entry& b) {
        switch (order) {
        case RankOrder::GapAscending:
            return a.gap < b.gap || (a.gap == b.gap && a.count > b.count);
        case RankOrder::CountAscending:
            return a.count < b.count || (a.count == b.count && a.gap > b.gap);
        case RankOrder::GapDescending:
            return a.gap > b.gap || (a.gap == b.gap && a.count < b.count);
        }
        return false;
    };
    for (int i = 1; i < total; ++i)
        for (int j = i + 1; j <= total; ++j)
            if (before(e[static_cast<std::size_t>(j)], e[static_cast<std::size_t>(i)]))
                std::swap(e[static_cast<std::size_t>(i)], e[static_cast<std::size_t>(j)]);
    std::vector<int> rankOf(static_cast<std::size_t>(total + 1)), relabel(static_cast<std::size_t>(total + 1));
    for (int i = 1; i <= total; ++i)
        rankOf[static_cast<std::size_t>(e[static_cast<std::size_t>(i)].code)] = i;
    for (int n = 1; n <= total; ++n)
        relabel[static_cast<std::size_t>(n)] = rankOf[static_cast<std::size_t>(code(n, p))];
    return relabel;
}

/// A made-up history of `draws` draws of 5 out of 35, the same for the same seed.
inline DrawHistory madeUpHistory(int draws, unsigned seed)
{
    DrawHistory h;
    std::uint32_t x = seed * 2654435761u + 1;
    for (int d = 0; d < draws; ++d) {
        std::vector<std::uint8_t> pick;
        while (pick.size() < 5) {
            x = x * 1664525u + 1013904223u;
            const auto n = static_cast<std::uint8_t>((x >> 16) % 35 + 1);
            if (std::find(pick.begin(), pick.end(), n) == pick.end())
                pick.push_back(n);
        }
        std::sort(pick.begin(), pick.end());
        h.fronts.insert(h.fronts.end(), pick.begin(), pick.end());
        h.issues.push_back(2007001 + d);
    }
    if (seed % 2 == 1)
        h.index(); // odd seeds relabel through the residue index, even ones draw by draw
    return h;
}

} // namespace quorlin::test

#include "select/ranked_tally.h"

#include <cstddef>
#include <cstdint>

namespace quorlin {

namespace {

// The exchange sort on entries packed as count * 256 + key, so that comparing the shifted
// values decides and every step is a masked exchange of plain integers instead of a branch: the
// outcome depends on the data, and a back-test sorts some ten million times.
template <bool MostFirst> void exchangeSort(std::vector<TallyEntry>& tally)
{
    const std::size_t n = tally.size();
    std::vector<std::int64_t> packed(n);
    for (std::size_t i = 0; i < n; ++i)
        packed[i] = std::int64_t{tally[i].count} * 256 + tally[i].key;
    for (std::size_t a = 0; a + 1 < n; ++a) {
        // The entry at place a is held aside while b runs; every swap trades it for entry b.
        std::int64_t held = packed[a];
        for (std::size_t b = a + 1; b < n; ++b) {
            const std::int64_t other = packed[b];
            const bool swap = MostFirst ? (held >> 8) < (other >> 8) : (held >> 8) > (other >> 8);
            const std::int64_t change = (held ^ other) & -static_cast<std::int64_t>(swap);
            packed[b] = other ^ change;
            held ^= change;
        }
        packed[a] = held;
    }
    for (std::size_t i = 0; i < n; ++i)
        tally[i] = {static_cast<int>(packed[i] & 255), static_cast<int>(packed[i] >> 8)};
}

} // namespace

std::vector<TallyEntry> freshTally(int first, int last)
{
    std::vector<TallyEntry> tally;
    tally.reserve(static_cast<std::size_t>(last - first + 1));
    for (int key = first; key <= last; ++key)
        tally.push_back({key, 0});
    return tally;
}

void rankMostFirst(std::vector<TallyEntry>& tally)
{
    exchangeSort<true>(tally);
}

void rankFewestFirst(std::vector<TallyEntry>& tally)
{
    exchangeSort<false>(tally);
}

} // namespace quorlin

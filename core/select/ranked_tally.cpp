#include "select/ranked_tally.h"

#include "common/exchange_sort.h"

#include <cstddef>
#include <cstdint>

namespace quorlin {

namespace {

// Entries packed as count * 256 + key, so that every step of the sort is a masked exchange of
// plain integers instead of a branch: the outcome depends on the data, and a back-test sorts some
// ten million times.
template <KeyOrder Order> void rankByCount(std::vector<TallyEntry>& tally)
{
    const std::size_t n = tally.size();
    std::vector<std::int64_t> packed(n);
    for (std::size_t i = 0; i < n; ++i)
        packed[i] = std::int64_t{tally[i].count} * 256 + tally[i].key;
    exchangeSortPacked<8, Order>(packed.data(), n);
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
    rankByCount<KeyOrder::LargestFirst>(tally);
}

void rankFewestFirst(std::vector<TallyEntry>& tally)
{
    rankByCount<KeyOrder::SmallestFirst>(tally);
}

} // namespace quorlin

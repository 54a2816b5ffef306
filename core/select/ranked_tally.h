#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace quorlin {

/// One entry of a tally: a number (or an interval) and how often it was counted.
struct TallyEntry {
    int key = 0;
    int count = 0;
    bool operator==(const TallyEntry&) const = default;
};

/// Entries with keys first..last in key order and count 0, the start of every tally.
std::vector<TallyEntry> freshTally(int first, int last);

/// The selection windows' exchange sort: for every pair of places a < b the entries are swapped
/// when `outOfOrder(entry a, entry b)`. Equal entries end where this procedure leaves them, which
/// is not their first order, and the recommendations depend on it, so no other sort may stand in.
template <class T, class OutOfOrder> void exchangeSort(std::vector<T>& entries, OutOfOrder outOfOrder)
{
    for (std::size_t a = 0; a + 1 < entries.size(); ++a)
        for (std::size_t b = a + 1; b < entries.size(); ++b)
            if (outOfOrder(entries[a], entries[b]))
                std::swap(entries[a], entries[b]);
}

/// Highest count first, ties as the exchange sort leaves them.
void rankMostFirst(std::vector<TallyEntry>& tally);
/// Lowest count first, ties as the exchange sort leaves them.
void rankFewestFirst(std::vector<TallyEntry>& tally);

} // namespace quorlin

#pragma once

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

// The selection windows rank their tallies with the exchange sort (common/exchange_sort.h): the
// recommendations depend on where it leaves equal counts.

/// Highest count first, ties as the exchange sort leaves them.
void rankMostFirst(std::vector<TallyEntry>& tally);
/// Lowest count first, ties as the exchange sort leaves them.
void rankFewestFirst(std::vector<TallyEntry>& tally);

} // namespace quorlin

#include "select/ranked_tally.h"

namespace quorlin {

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
    exchangeSort(tally, [](const TallyEntry& a, const TallyEntry& b) { return a.count < b.count; });
}

void rankFewestFirst(std::vector<TallyEntry>& tally)
{
    exchangeSort(tally, [](const TallyEntry& a, const TallyEntry& b) { return a.count > b.count; });
}

} // namespace quorlin

#include "filter/sum_exclusion.h"

#include "common/random_source.h"

namespace quorlin {

bool SumExclusion::prepare(RandomSource& rng)
{
    stage_ = rng.random(settings_.cur) + 1;
    RandTransform transform(history_, drawPermutation(rng, history_.total), stage_, RankOrder::GapAscending);
    relabel_ = transform.relabelAt(settings_.cur);
    return true;
}

bool SumExclusion::excludes(std::uint64_t, const std::uint8_t* numbers) const
{
    int sum = 0;
    for (int i = 0; i < history_.width; ++i)
        sum += relabel_[numbers[i]];
    return sum >= settings_.high || sum <= settings_.low;
}

// The boxes list every sum lowest..highest; the defaults are the items n·9 div 10 − 1 and
// n·2 div 10 − 1 of the n items.
int SumExclusion::defaultHigh(int total, int width)
{
    const int n = highestSum(total, width) - lowestSum(total, width) + 1;
    return lowestSum(total, width) + n * 9 / 10 - 1;
}

int SumExclusion::defaultLow(int total, int width)
{
    const int n = highestSum(total, width) - lowestSum(total, width) + 1;
    return lowestSum(total, width) + n * 2 / 10 - 1;
}

} // namespace quorlin

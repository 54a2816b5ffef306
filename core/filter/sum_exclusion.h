#pragma once

#include "filter/exclusion_run.h"
#include "filter/rand_transform.h"

#include <vector>

namespace quorlin {

/// 无穷和值排除: every iteration relabels the numbers at the current position (random stage and
/// permutation, codes ranked by gap ascending, equal gaps by count descending) and excludes the
/// combinations whose relabelled sum is ≥ `high` (和值>=) or ≤ `low` (或<=).
class SumExclusion final : public ExclusionMember {
public:
    struct Settings {
        int cur = 0;
        int high = 149;
        int low = 44;
    };
    SumExclusion(const DrawHistory& history, Settings settings) : history_(history), settings_(settings) {}

    bool prepare(RandomSource& rng) override;
    bool excludes(std::uint64_t mask, const std::uint8_t* numbers) const override;
    int stage() const override { return stage_; }

    /// The items of the sum boxes (lowest and highest sum) and their default items.
    static int lowestSum(int, int width) { return width * (width + 1) / 2; }
    static int highestSum(int total, int width) { return (2 * total - width + 1) * width / 2; }
    static int defaultHigh(int total, int width);
    static int defaultLow(int total, int width);

private:
    const DrawHistory& history_;
    Settings settings_;
    int stage_ = 0;
    std::vector<std::uint8_t> relabel_;
};

} // namespace quorlin

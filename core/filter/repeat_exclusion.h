#pragma once

#include "filter/exclusion_run.h"
#include "filter/rand_transform.h"

#include <optional>
#include <string>
#include <vector>

namespace quorlin {

/// 无穷重码排除: every iteration relabels the history and the combinations (random stage and
/// permutation, codes ranked by count ascending, equal counts by gap descending) and excludes a
/// combination whose relabelled numbers repeat `threshold` (过滤的重码数>=) or more numbers of one
/// of the `draws` (重码期数) relabelled draws before the current position.
class RepeatExclusion final : public ExclusionMember {
public:
    struct Settings {
        int cur = 0;
        int draws = 10;    ///< Q
        int threshold = 5; ///< T
    };
    RepeatExclusion(const DrawHistory& history, Settings settings) : history_(history), settings_(settings) {}

    /// Refuses a current position without earlier draws and Q reaching before the first draw.
    static std::optional<std::string> check(const Settings& settings);

    bool prepare(RandomSource& rng) override;
    bool excludes(std::uint64_t mask, const std::uint8_t* numbers) const override;
    int stage() const override { return stage_; }
    /// With T = caisel only the relabelled draws themselves can go.
    const std::vector<std::uint64_t>* onlyThese() const override
    {
        return settings_.threshold >= history_.width ? &recent_ : nullptr;
    }

private:
    const DrawHistory& history_;
    Settings settings_;
    int stage_ = 0;
    /// The Q relabelled draws, each turned back into the real numbers that relabel into it.
    std::vector<std::uint64_t> recent_;
};

/// The repeat count of every draw of `draws` (count × width numbers): the most numbers it shares
/// with one of the `back` draws before it; nothing for the first `back` draws.
std::vector<std::optional<int>> repeatCounts(const std::vector<std::uint8_t>& draws, int width, int back);

} // namespace quorlin

#pragma once

#include "filter/exclusion_run.h"
#include "filter/rand_transform.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorlin {

/// 无穷历史跟随排除. For every group of `group` numbers of the draw before the current position,
/// the latest earlier draw holding the whole group was followed by a draw; the follow number of a
/// combination is the most of its numbers one such follower holds (0 when no group turned up
/// earlier). Combinations with a follow number ≥ `high` or ≤ `low` are excluded. 常规 works on the
/// real history (the same test every iteration); 变幻 on a history relabelled afresh every iteration,
/// by rotation alone (排列模式) or by the ranking of the rotating codes (排名模式).
class FollowExclusion final : public ExclusionMember {
public:
    struct Settings {
        int cur = 0;
        bool transformed = true;  ///< 变幻 (otherwise 常规)
        bool rotation = false;    ///< 排列模式 (otherwise 排名模式)
        bool byGap = false;       ///< 间隔模式 (otherwise 次数模式)
        bool randomStage = false; ///< 随机阶段 (otherwise 固定阶段)
        bool maxStage = false;    ///< 最大阶段期数 (otherwise 有限阶段期数)
        int stageBox = 100;       ///< 阶段统计期
        int group = 2;            ///< 对比号码数, 1..3
        int high = 5;             ///< 跟随数 >=
        int low = 0;              ///< 或 <=
    };
    FollowExclusion(const DrawHistory& history, Settings settings) : history_(history), settings_(settings) {}

    /// Refuses a current position with fewer than two earlier draws and a group size outside 1..3.
    static std::optional<std::string> check(const Settings& settings);

    bool prepare(RandomSource& rng) override;
    bool excludes(std::uint64_t mask, const std::uint8_t* numbers) const override;
    int stage() const override { return stage_; }

    /// The history the test compares with: the draws before `upTo` (real in 常规, otherwise relabelled
    /// with fresh random values) and the relabelling of the numbers at `upTo`.
    RandTransform::Relabelled history(RandomSource& rng, int upTo);

private:
    const DrawHistory& history_;
    Settings settings_;
    int stage_ = 0;
    bool anyFollowerHolds(const std::uint8_t* numbers, int least) const;

    /// The follower draws of the last draw's groups, as the real numbers that relabel into them.
    std::vector<std::uint64_t> followers_;
    /// Up to 16 followers: per real number, 1 in the 4-bit counter of every follower holding it,
    /// so that a combination's overlaps with all followers are the sum of five lookups.
    std::vector<std::uint64_t> counters_;
    std::uint64_t ones_ = 0; ///< 1 in every counter in use
};

/// The follower draws of the groups of `group` numbers of `lastDraw` (the draw at `position` − 1),
/// found through `maskAt(t)` (the bit mask of the draw at t, asked for from the newest backwards):
/// for every group the draw after the latest draw before `position` − 1 holding the whole group.
/// Distinct masks, in no particular order.
std::vector<std::uint64_t> followerDraws(const std::function<std::uint64_t(int)>& maskAt, const std::uint8_t* lastDraw,
                                         int width, int position, int group);

/// The follow number of every draw of `draws` (count × width numbers, oldest first) at its own
/// position; 0 for the first two draws.
std::vector<int> followNumbers(const std::vector<std::uint8_t>& draws, int width, int group);

} // namespace quorlin

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quorlin {

class Progress;
class RandomSource;
struct LotteryState;

/// 自动复式搜索: after every fresh transformed build of the history, finds the transformed number
/// absent longest and excludes the real number behind it for the coming draw, until no more than
/// the asked count of real numbers remains: the compound bet.
class CompoundSearch {
public:
    /// `threshold` applies when `useThreshold`: a step excludes only when the longest absence is at
    /// least that long. `limit` is the count of numbers the bet may keep.
    CompoundSearch(int total, bool useThreshold, int threshold, int limit);

    /// One step on the tables of the transformed build just made; true when the search is done.
    bool step(const LotteryState& state);

    /// The game and the draws of `state` without its display tables: what a search builds its
    /// transformed mappings in, away from the state the windows show.
    static LotteryState searchHistory(const LotteryState& state);

    enum class End { Done, StepLimit, Stopped };
    /// Steps until done, until `maxSteps` steps were made or a stop through `progress` (which
    /// counts the steps), each on a fresh transformed build of `history` (see searchHistory) drawn
    /// from `rng`; `built` sees every build after its step.
    End run(LotteryState& history, RandomSource& rng, std::int64_t maxSteps, Progress* progress = nullptr,
            const std::function<void(const LotteryState&)>& built = {});

    /// The numbers not excluded, ascending, each "%.2d" and a blank.
    std::string result() const;
    int remaining() const;
    std::int64_t steps() const { return steps_; }

    /// The transformed number absent longest in the display rows (`histext`) and its absence in
    /// draws: 0 when it is in the newest draw, recnum when never. The numbers are ordered by a
    /// pairwise exchange on their absence, the last one taken.
    static std::pair<int, int> longestAbsent(const LotteryState& state);

private:
    int total_;
    bool useThreshold_;
    int threshold_;
    int limit_;
    std::vector<char> excluded_; // by real number − 1
    std::int64_t steps_ = 0;
};

} // namespace quorlin

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

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

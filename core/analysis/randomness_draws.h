#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

struct LotteryState;

/// The numbers of a game: front numbers 1..frontTotal of which a draw holds frontPicked, back
/// numbers 1..backTotal of which it holds backPicked.
struct GameShape {
    int frontTotal = 35;
    int frontPicked = 5;
    int backTotal = 12;
    int backPicked = 2;
};

/// One draw as the randomness tests read it.
struct TestedDraw {
    std::int32_t issue = 0;
    std::vector<int> front; ///< frontPicked distinct numbers in 1..frontTotal
    std::vector<int> back;  ///< backPicked distinct numbers in 1..backTotal
};

/// Whether `draw` holds the shape's count of distinct numbers in each zone's range.
bool drawFits(const GameShape& shape, const TestedDraw& draw);

/// Which stored draws the randomness tests cover. --last and --from/--to do not combine: a range is
/// one or the other (the command line refuses both together).
struct DrawRange {
    enum class Kind { All, Issues, Last };
    Kind kind = Kind::All;
    std::string fromIssue; ///< Kind::Issues: the first issue, empty for the oldest stored draw
    std::string toIssue;   ///< Kind::Issues: the last issue, empty for the newest stored draw
    std::size_t count = 0; ///< Kind::Last: the newest `count` draws, all of them when fewer are stored

    static DrawRange all() { return {}; }
    static DrawRange issues(std::string from, std::string to)
    {
        return {Kind::Issues, std::move(from), std::move(to), 0};
    }
    static DrawRange last(std::size_t count) { return {Kind::Last, {}, {}, count}; }
};

/// The draws of a range, oldest first, or why there are none.
struct RangeDraws {
    GameShape shape;
    std::vector<TestedDraw> draws;
    /// Empty when `draws` holds the range; otherwise the message to show, and `draws` is empty:
    /// no lottery open, a 数字型 lottery, an issue that is not stored, from after to, an empty range.
    std::string refusal;
};

/// The draws of `range` in the open lottery's history (LotteryState::hisfull, oldest first).
RangeDraws drawsInRange(const LotteryState& state, const DrawRange& range);

} // namespace quorlin

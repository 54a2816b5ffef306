#pragma once

#include "check/prize_check.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quorlin {

struct LotteryState;

/// The draws a prize check covers: the newest, one issue, or the newest N.
struct CheckRange {
    enum class Kind { Newest, Issue, Last };
    Kind kind = Kind::Newest;
    std::string issue;     ///< Kind::Issue: the issue number as text
    std::size_t count = 0; ///< Kind::Last: how many draws; all of them when the history holds fewer

    static CheckRange newest() { return {}; }
    static CheckRange ofIssue(std::string issue) { return {Kind::Issue, std::move(issue), 0}; }
    static CheckRange last(std::size_t count) { return {Kind::Last, {}, count}; }
};

/// The rows [first, end) of the open lottery's history a range covers.
struct HistoryRows {
    std::size_t first = 0;
    std::size_t end = 0;
};

/// The rows of `range` in the open lottery's history (none of an empty history); nothing when the
/// issue was not drawn.
std::optional<HistoryRows> rowsOf(const LotteryState& state, const CheckRange& range);

/// The draws of `range` in the open lottery's history, oldest first (empty for an empty history);
/// nothing when the issue was not drawn.
std::optional<std::vector<CheckDraw>> drawsOf(const LotteryState& state, const CheckRange& range);

} // namespace quorlin

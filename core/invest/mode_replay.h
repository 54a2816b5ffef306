#pragma once

#include "invest/mode_rule.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quorlin {

/// A row of a block plan and of the result table: draw j within the block, multiple, stake,
/// total invested, prize, net profit, profit rate.
using ModePlanRow = std::array<std::int64_t, 7>;

/// Why a replay ended.
enum class ModeStop {
    End, ///< the history ran out
    FirstDayTooDear, ///< the first draw of a block is beyond the limits: "第一天投入已经超出中奖金额，无法投注！"
    MultipleTooLarge, ///< no multiple up to 100000 reaches the profit rate: "所需倍数太大，无法投注！"
};

/// One betting block of the result: the plan row at which it ended. A lost block shows its last
/// affordable row with the whole total as loss; it is cut short when a limit ended its plan early.
struct ModeBlock {
    ModePlanRow row;
    bool cutShort = false;
};

/// What replaying a rule over the history gave.
struct ModeResult {
    std::vector<ModeBlock> blocks;
    /// 总体赢余: the blocks' net profits; with 预计亏损 and an undisturbed end, the carried
    /// losses are left out, since the next block's plan already paid them back.
    std::int64_t surplus = 0;
    ModeStop stop = ModeStop::End;
};

/// The highest multiple a block plan may ask for.
inline constexpr std::int64_t kModeMultipleLimit = 100000;

/// The smallest multiple m of 1..kModeMultipleLimit whose block row reaches the profit rate
/// `lirun` after `invested` is already in, with `jushu` bets of prize `outofsin`; 0 when none.
/// Solved directly, not by trying every m. Throws MoneyOverflowError.
std::int64_t smallestModeMultiple(std::int64_t invested, std::int64_t jushu, std::int64_t outofsin, std::int64_t lirun);

/// The history as the replay walks it: the hit marks of one code list turned, once, into a table
/// of the next hit after every draw, so that replaying a rule only jumps from hit to hit.
class ModeReplay {
public:
    /// `marks` as markHits gives them (kHitMark for a hit).
    explicit ModeReplay(const std::vector<std::int32_t>& marks);

    /// Number of draws.
    std::int64_t draws() const { return draws_; }

    /// 分析: replays `rule` over the history. Needs jushu >= 1. Throws MoneyOverflowError.
    ModeResult analyse(const ModeRule& rule) const;
    /// The 总体赢余 of analyse(rule) without keeping the blocks: what the search compares.
    std::int64_t surplus(const ModeRule& rule) const;

private:
    template <class Sink> ModeStop replay(const ModeRule& rule, Sink& sink) const;
    /// Row (1-based) of the first hit at or after `row`, or draws + 1 when none follows.
    std::int64_t nextHit(std::int64_t row) const { return next_[static_cast<std::size_t>(row)]; }

    std::int64_t draws_;
    std::vector<std::int64_t> next_;
};

} // namespace quorlin

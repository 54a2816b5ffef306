#pragma once

#include "check/prize_check.h"
#include "check/prize_rules.h"
#include "common/grid.h"
#include "filter/total_filter.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorlin {

class Progress;
struct LotteryState;

/// The draws a replay plays over: the history rows ([0] issue, [1..width] front, then the back
/// numbers; oldest first), their dates as stored, and the game.
struct ReplayHistory {
    const Grid<std::int32_t>* hisfull = nullptr;
    const std::vector<std::string>* hisdate = nullptr;
    int total = 35;
    int width = 5;
    int backTotal = 12;
    int backWidth = 2;
};

/// One draw of a replay: the list the scheme would have made from the history before it, and
/// what that list won in it.
struct ReplayRow {
    DrawCheck check; ///< the draw, its rule set, hits, bets per level, fixed money
    std::uint64_t keptFronts = 0;
    std::uint64_t bets = 0;       ///< kept fronts × pairs of the back numbers
    std::int64_t stake = 0;       ///< 2 元 a bet, 3 with 追加; 0 for a draw before every rule set
    std::int64_t balance = 0;     ///< money − stake of this draw and every one before it in the replay
    double expectedMoney = 0;     ///< the money as many random bets win on average at the draw's prices
    bool expectedUnknown = false; ///< a level's money is not known in this draw: it adds nothing
    double expectedBalance = 0;   ///< the same for the random bets, running
};

/// Bets per level of one rule set, summed over the draws priced under it.
struct RuleSetTotals {
    PrizeRuleSetRef rules;
    std::vector<std::uint64_t> bets; ///< per level of `rules`
};

/// The draws one by one and the sums over them. A draw before every rule set is listed
/// (check.rules null) but neither staked nor priced, as the prize check counts it.
struct ReplayResult {
    std::vector<ReplayRow> rows;  ///< oldest first
    CheckTotals totals;           ///< over the priced draws; `unpriced` counts the others
    double expectedMoney = 0;     ///< of as many random bets
    bool expectedUnknown = false; ///< some level's money was not known in some draw
    /// Bets per level, one entry per rule set in the order the draws first use it (a level's name
    /// means different patterns and money in different sets, so they are not added together).
    std::vector<RuleSetTotals> levelTotals;
};

/// A replay as the window and the command line start it: the open lottery's draws, the settings
/// (every back number when they choose none) and the prize book (tables and published results).
struct ReplayJob {
    ReplayHistory history;
    TotalFilterSettings settings;
    PrizeBook book;
};

/// Makes the job of replaying `settings` over the open lottery (whose draws must outlive it).
/// Nothing, with `error` saying why, when the settings are refused or the prize tables cannot be read.
std::optional<ReplayJob> prepareReplay(const LotteryState& state, TotalFilterSettings settings, std::string& error);

/// Plays the settings over the newest `count` draws (fewer when the history is shorter; the oldest
/// draw of the history has no draw before it and is skipped): for each draw the fronts the settings
/// keep, judged with the history before it (the draw before for 偏度 and every history-relative
/// condition), paired with every pair of `settings.back` (all back numbers when empty), priced
/// against the draw at its prices (published amounts, the rule set's otherwise) without listing the
/// bets. Nothing when stopped.
/// Throws MoneyOverflowError when a sum leaves 64 bits.
std::optional<ReplayResult> runReplay(const ReplayHistory& history, const TotalFilterSettings& settings,
                                      std::size_t count, const PrizeBook& book, bool extra,
                                      Progress* progress = nullptr);
/// The same for a prepared job.
std::optional<ReplayResult> runReplay(const ReplayJob& job, std::size_t count, bool extra,
                                      Progress* progress = nullptr);

/// What random bets win on average in a draw.
struct ExpectedMoney {
    double money = 0;
    bool unknown = false; ///< a level's money is not known: it adds nothing
};
/// What `bets` random bets are expected to win in the priced draw: every hit pattern's probability
/// (C(5,f)·C(30,5−f)/C(35,5) × C(2,b)·C(10,2−b)/C(12,2) for the game) times its level's money at the
/// draw's prices, floating levels included, with the 追加 amounts for 追加 bets.
ExpectedMoney expectedMoney(const DrawCheck& priced, std::uint64_t bets, int total = 35, int width = 5,
                            int backTotal = 12, int backWidth = 2);

/// Return in percent, money × 100 / stake with one decimal ("104.3%"); "-" without stake.
std::string returnText(double money, std::int64_t stake);
/// An expected amount of money in 元 with one decimal ("92240903.5").
std::string expectedMoneyText(double money);

} // namespace quorlin

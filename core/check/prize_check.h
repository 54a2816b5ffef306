#pragma once

#include "check/prize_book.h"
#include "check/prize_rules.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorlin {

class BetList;
class Progress;
struct ListedTicket;
struct LoadedBetList;
struct LotteryState;

/// A drawn result as the check needs it.
struct CheckDraw {
    std::string issue;
    int date = 0; ///< year * 10000 + month * 100 + day; 0 when the stored date is not a date
    std::vector<int> front;
    std::vector<int> back;
    int previousIssue = 0; ///< the draw before it in the history (its pool is carried in); 0: none known
};

/// The draw of row `row` of the open lottery's history (hisfull, hisdate), with the row before it.
CheckDraw drawAt(const LotteryState& state, std::size_t row);

/// Bets per hit pattern: [front hits 0..5][back hits 0..2].
using HitCounts = std::array<std::array<std::uint64_t, 3>, 6>;

/// What one bet list won in one draw.
struct DrawCheck {
    CheckDraw draw;
    /// The rule set in force on the draw's date; null when the draw predates every shipped set
    /// (then only the hit patterns are known, and no money).
    PrizeRuleSetRef rules;
    HitCounts hits{};
    DrawPrices prices;                      ///< what each level of `rules` paid in the draw
    bool extra = false;                     ///< the bets were 追加 bets: money holds the 追加 amounts too
    std::vector<std::uint64_t> levelCounts; ///< bets per level of `rules`
    std::int64_t money = 0;                 ///< the money won, as far as it is known
    bool unknownWon = false;                ///< a level was won whose money (or part of it) is not known
    std::optional<std::size_t> bestLine;    ///< the first single line of the best level won (0-based)
    int bestLevel = -1;                     ///< its 0-based level in `rules` (-1 without rules)
    std::string bestBet; ///< the first bet of the best level, of a single line or a ticket; empty when nothing won
};

/// A check of the draw before anything is counted: its rule set and what each level paid in it,
/// from the book; with `extra` the bets are 追加 bets.
DrawCheck pricedCheck(const CheckDraw& draw, const PrizeBook& book, bool extra);
/// The same under a rule set chosen by the caller (a typed draw priced by today's rules).
DrawCheck pricedCheck(const CheckDraw& draw, const PrizeBook& book, bool extra, PrizeRuleSetRef set);

/// Fills in what the hits are worth at the check's prices: levelCounts, money, unknownWon and
/// bestLevel. Nothing when the check has no rule set. Throws MoneyOverflowError when the money
/// leaves 64 bits.
void settleLevels(DrawCheck& check);

/// A line of the list that won in a draw, with the hits it scored.
struct WinningLine {
    std::size_t line = 0; ///< 0-based among the single lines; of a ticket's bet, the single lines before it
    int frontHits = 0;
    int backHits = 0;
    int level = -1;     ///< 0-based in the draw's rule set; -1 when the draw has none
    std::string bet;    ///< the winning bet
    std::string ticket; ///< the ticket line it belongs to (normalised), empty for a single line
};

/// Scores a bet list against draws. The front and back parts of the list are scored once per
/// draw and the lines only counted, so a full list of 21 million bets costs a few milliseconds.
/// Lines without a back part are scored on the front alone (as if no back number hit). Tickets
/// (复式, 胆拖) kept whole are counted by ticketHits, never expanded.
class PrizeChecker {
public:
    explicit PrizeChecker(const BetList& bets);
    /// The list's single lines and its tickets; `list` must outlive the checker.
    explicit PrizeChecker(const LoadedBetList& list);

    /// Nothing when stopped through `progress`.
    std::optional<DrawCheck> check(const CheckDraw& draw, const PrizeBook& book, bool extra = false,
                                   Progress* progress = nullptr) const;

    /// Bets that have no back part (lines, and the bets of tickets without back part).
    std::size_t frontOnlyLines() const { return frontOnly_; }
    /// The bets of `check`'s draw that won a prize (of any hit pattern with a level, or with front
    /// or back hits when the draw has no rule set), best level first and in list order within a
    /// level (a ticket's winning bets where the ticket stands), at most `limit`.
    std::vector<WinningLine> winningLines(const DrawCheck& check, std::size_t limit) const;

private:
    // Ranks every hit pattern for the draw: the 0-based level, or -1 when it wins nothing.
    using PatternLevels = std::array<std::array<int, 3>, 6>;
    static PatternLevels levelsOf(const PrizeRuleSet* rules);
    void score(const CheckDraw& draw, std::vector<std::uint8_t>& frontHits, std::vector<std::uint8_t>& backHits) const;
    std::optional<std::size_t> firstLine(const std::vector<std::uint8_t>& frontHits,
                                         const std::vector<std::uint8_t>& backHits, const PatternLevels& levels,
                                         int level) const;

    // Adds the winning bets of a ticket at `level` to `lines`, up to `limit`.
    void takeTicketBets(const ListedTicket& listed, const CheckDraw& draw, const PatternLevels& levels, int level,
                        std::size_t limit, std::vector<WinningLine>& lines) const;
    // The first bet of the best level: a single line's or a ticket's.
    std::string firstBet(const DrawCheck& check, const PatternLevels& levels, int level) const;

    const BetList& bets_;
    const std::vector<ListedTicket>* tickets_ = nullptr;
    std::vector<std::uint64_t> frontMasks_;
    std::vector<std::uint64_t> backMasks_;
    std::size_t frontOnly_ = 0;
};

/// The sums over a range of draws, for the prize check and the replay alike. A draw before every
/// rule set is listed but neither staked nor priced: whether it would have paid is not known.
struct CheckTotals {
    std::size_t draws = 0;    ///< priced draws
    std::uint64_t bets = 0;   ///< the bets of the priced draws
    std::int64_t stake = 0;   ///< 2 per bet, 3 with 追加
    std::int64_t money = 0;   ///< the money won, as far as it is known
    std::int64_t balance = 0; ///< money − stake
    bool unknownWon = false;
    std::size_t unpriced = 0; ///< draws before every rule set

    /// Counts a draw in which `bets` bets were checked; gives its stake (0 for a draw before every
    /// rule set). Throws MoneyOverflowError when a sum leaves 64 bits.
    std::int64_t add(const DrawCheck& check, std::uint64_t bets, bool extra);
};
/// The totals of a list of `bets` bets over the checked draws.
CheckTotals totalOf(const std::vector<DrawCheck>& checks, std::uint64_t bets, bool extra);

/// The level's money text as the rule set gives it: the amount, "5000/6666" for a level whose
/// amount hangs on the pool, or "浮动".
std::string amountText(const PrizeLevel& level);

} // namespace quorlin

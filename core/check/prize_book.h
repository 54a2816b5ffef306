#pragma once

#include "check/prize_rules.h"
#include "store/prize_results.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorlin {

struct CheckDraw;
struct LotteryState;

/// What one bet of a level wins in one draw, in 元: the part that is known, and whether some of
/// it is not (a floating level without a published amount, a 追加 amount never published, a fixed
/// amount that hangs on an unknown pool: then the lower amount is counted).
struct LevelPrice {
    std::int64_t basic = 0;
    bool basicKnown = false;
    std::int64_t extra = 0; ///< what a 追加 bet wins on top; 0 where the level has no 追加
    bool extraKnown = true;

    /// The bet's money, with or without 追加, and whether all of it is known.
    std::int64_t money(bool withExtra) const { return basic + (withExtra ? extra : 0); }
    bool known(bool withExtra) const { return basicKnown && (!withExtra || extraKnown); }
};

/// What every level of a draw's rule set paid in that draw.
struct DrawPrices {
    std::vector<LevelPrice> levels; ///< per level of the rule set
    bool published = false;         ///< the draw's published results were at hand
};

/// The prices a rule set alone gives (no published results): fixed amounts, the pool deciding
/// between a level's two amounts when it is known (in 分, after the previous draw).
DrawPrices rulePrices(const PrizeRuleSet& set, std::optional<std::int64_t> poolBeforeFen);

/// The prize tables and a lottery's published results: what a bet won in any draw.
struct PrizeBook {
    PrizeRules rules;
    std::shared_ptr<const PrizeResults> results = std::make_shared<const PrizeResults>();

    PrizeBook() = default;
    /// The tables alone: every draw at the tables' amounts.
    PrizeBook(PrizeRules tables) : rules(std::move(tables)) {}

    /// The rule set in force for the draw (by its issue, else its date); null before every set.
    PrizeRuleSetRef ruleSetOf(const CheckDraw& draw) const;
    /// The draw's prices under `set`: its published amount per level where there is one, the
    /// set's amount for a fixed level otherwise. 派奖 lines never count.
    DrawPrices pricesOf(const CheckDraw& draw, const PrizeRuleSet& set) const;
    /// The pool after the draw before `draw`, in 分; nothing when unknown.
    std::optional<std::int64_t> poolBefore(const CheckDraw& draw) const;
};

/// The open lottery's prize book: the rule file beside the program and the results stored with
/// the draws. Nothing, with `error` naming the line, when the rule file cannot be read.
std::optional<PrizeBook> prizeBookOf(const LotteryState& state, std::string& error);

/// A bet's money at a level as the tables write it: "6666", "5000+浮动" (a part is unknown),
/// "浮动" (nothing of it is known).
std::string priceText(const LevelPrice& price, bool withExtra);
/// The same in full as a window's sentence writes it: "10,000,000元", "5,000元+浮动", "浮动".
std::string priceFullText(const LevelPrice& price, bool withExtra);

} // namespace quorlin

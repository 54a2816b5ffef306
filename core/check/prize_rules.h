#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorlin {

/// One prize level of a rule set: its name, the hit patterns (front hits, back hits) that win it,
/// and its fixed amount per bet, or nothing for a pool ("floating") level. A draw's published
/// amount for the level, where there is one, takes the place of the rule's.
struct PrizeLevel {
    std::string name;
    std::vector<std::pair<int, int>> patterns;
    std::optional<std::int64_t> amount;
    /// The fixed amount when the pool carried into the draw reaches the set's highPool.
    std::optional<std::int64_t> highAmount;
    /// A 追加 bet wins more at this level: the fixed extra amount, or the published one
    /// ("<level>(追加)") when extraAmount is nothing.
    bool hasExtra = false;
    std::optional<std::int64_t> extraAmount;
};

/// The prize table of the game as it stood from one draw on.
struct PrizeRuleSet {
    std::string title;
    int from = 0; ///< first draw date, year * 10000 + month * 100 + day
    std::vector<PrizeLevel> levels;
    int fromIssue = 0; ///< first issue (2026014); 0 when the set starts at a date only
    /// The pool after the previous draw, in 元, from which the levels' highAmount apply; 0: none.
    std::int64_t highPool = 0;

    /// The 0-based level won with these hits, or -1 for no prize.
    int levelOf(int frontHits, int backHits) const;
};

/// A rule set as checks and results hold it: shared, so whatever was priced under a set keeps it.
using PrizeRuleSetRef = std::shared_ptr<const PrizeRuleSet>;

/// The rule sets shipped beside the program, oldest first.
struct PrizeRules {
    std::vector<PrizeRuleSetRef> sets;

    /// The set in force on the draw date (year * 10000 + month * 100 + day), or nothing when the
    /// draw predates every set or its date is unknown (0).
    PrizeRuleSetRef forDate(int date) const;
    /// The set in force for the draw: by its issue (2026087) where the sets name their first
    /// issue, by its date otherwise; nothing when it predates every set or neither is known (0).
    PrizeRuleSetRef forDraw(int issue, int date) const;
    /// The newest set, as a draw of today is priced; nothing without sets.
    PrizeRuleSetRef newest() const;
};

/// The largest fixed amount a level may have, in 元 per bet: the game's top prize. With it a replay
/// of every bet of the game over the most draws a lottery loads stays inside 64 bits; the sums of
/// longer lists are checked as they are made.
inline constexpr std::int64_t kMaxPrizeAmount = 10'000'000;

/// Reads the rule file ("附属\大乐透奖级.txt"): blank lines and lines from "#" are skipped;
/// "规则 [首期期号] YYYY-MM-DD 标题" starts a set; "高奖池 金额" gives its highPool; each following
/// "名称 金额[/高奖池金额]|浮动 前+后 … [追加 金额|浮动|未知]" line is its next level. Sets are sorted
/// by date. Nothing, with `error` naming the line, when the file is wrong (an amount above
/// kMaxPrizeAmount included).
std::optional<PrizeRules> readPrizeRules(const std::string& path, std::string& error);

/// The date of a draw as stored ("2007-05-30", "2007/5/30") as year * 10000 + month * 100 + day,
/// or 0 when the text is not a date.
int drawDateNumber(const std::string& text);

/// The rule file's name below the program directory.
inline constexpr const char* kPrizeRulesFile = "附属/大乐透奖级.txt";

} // namespace quorlin

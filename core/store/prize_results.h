#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorlin {

/// One line of a draw's published prize results, as the results service lists it.
struct PublishedPrize {
    std::string level;                  ///< "一等奖", "一等奖(追加)", "三等奖派奖", …
    std::int64_t winners = 0;           ///< 0 when nobody won (the service's "---")
    std::optional<std::int64_t> amount; ///< per bet in 分; nothing when not published

    bool operator==(const PublishedPrize&) const = default;
};

/// What was published for one draw: its prize lines in the published order, its sales and the
/// prize pool after it.
struct DrawResults {
    std::string issue;                  ///< 记录期号, "2026087"
    std::string date;                   ///< "2026-08-03" (as the results files write it; may be empty)
    std::vector<PublishedPrize> prizes; ///< empty when not (yet) published
    std::optional<std::int64_t> sales;  ///< 分
    std::optional<std::int64_t> pool;   ///< 分, after the draw

    /// The published line of `level` ("三等奖", "一等奖(追加)"), or null.
    const PublishedPrize* find(const std::string& level) const;
};

/// A lottery's stored results, by issue as a number (2026087), oldest first. Draws without any
/// stored result are absent.
struct PrizeResults {
    std::map<int, DrawResults> draws;

    /// The draw's results, or null.
    const DrawResults* find(int issue) const;
};

/// Whether a level line is a 派奖 (bonus promotion) line: shown with the results, never added to
/// what a bet won.
bool isBonusLevel(const std::string& level);

/// "一等奖" → "一等奖(追加)": the line of a level's 追加 amount.
std::string extraLevelName(const std::string& level);

} // namespace quorlin

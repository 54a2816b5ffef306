#pragma once

#include "store/prize_results.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorlin {

struct LotteryState;

// What was published of a draw, as 开奖公告 shows it and `quorlin-cli prizes` prints it.

/// The note of a draw whose results are not stored.
inline constexpr const char* kResultsNotStored = "本期开奖结果未存储：下载开奖号码时一并取得";
/// The note of a 派奖 line.
inline constexpr const char* kBonusNote = "派奖，不计入中奖金额";

/// The stored results of the draw in row `row` of the open lottery's history, or null.
const DrawResults* storedResults(const LotteryState& state, std::size_t row);

/// The printed rows of the draw in row `row`: one per published level in the published order
/// (issue, date as the draw table stores it, level, winners, the amount per bet in 元 or "-" when
/// not published), then issue, date, "销售额", sales and issue, date, "奖池", the pool after the
/// draw (each "-" when unknown). A draw without stored results has the last two rows only.
std::vector<std::vector<std::string>> drawResultsRows(const LotteryState& state, std::size_t row);

/// Money in 元 with the whole 元 grouped ("817,996,545.38", "1,234.50", "10,000,000"), or "未公布".
std::string publishedMoneyText(const std::optional<std::int64_t>& fen);

/// "销售额：817,996,545.38元", "奖池：未公布".
std::string moneyLine(const std::string& label, const std::optional<std::int64_t>& fen);

/// One line of the window's table of levels.
struct NoticeLine {
    std::string level;
    std::string winners; ///< grouped ("1,234")
    std::string amount;  ///< publishedMoneyText
    std::string note;    ///< kBonusNote for a 派奖 line, else empty
    bool bonus = false;
    // The same ungrouped, as an export writes them: "1234", "123456.5" (or "未公布").
    std::string plainWinners;
    std::string plainAmount;
};

/// The lines of a draw's results in the published order.
std::vector<NoticeLine> noticeLines(const DrawResults& results);

/// The main window's sentence on the newest draw, its money in short: "第2026104期：一等奖 3注，
/// 每注 1,000.00万元；奖池 7.68亿元" ("一等奖 0注" when nobody won, "未公布" for what is not
/// stored); empty without draws.
std::string newestPrizeLine(const LotteryState& state);

} // namespace quorlin

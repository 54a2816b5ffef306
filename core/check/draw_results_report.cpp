#include "check/draw_results_report.h"

#include "common/money_text.h"
#include "common/yuan_amount.h"
#include "store/lottery_state.h"

namespace quorlin {

namespace {

constexpr const char* kUnpublished = "未公布";

std::string dateAt(const LotteryState& state, std::size_t row)
{
    return row < state.hisdate.size() ? state.hisdate[row] : std::string();
}

std::string plainMoneyText(const std::optional<std::int64_t>& fen)
{
    return fen ? yuanText(*fen) : "-";
}

// The status bar is narrow: "1,000.00万元", "7.68亿元".
std::string shortMoneyText(const std::optional<std::int64_t>& fen)
{
    return fen ? fenShortText(*fen) : kUnpublished;
}

} // namespace

const DrawResults* storedResults(const LotteryState& state, std::size_t row)
{
    return state.prizeResults->find(state.hisfull.at(row, 0));
}

std::vector<std::vector<std::string>> drawResultsRows(const LotteryState& state, std::size_t row)
{
    const std::string issue = std::to_string(state.hisfull.at(row, 0));
    const std::string date = dateAt(state, row);
    const DrawResults* results = storedResults(state, row);
    std::vector<std::vector<std::string>> rows;
    if (results)
        for (const PublishedPrize& prize : results->prizes)
            rows.push_back({issue, date, prize.level, std::to_string(prize.winners), plainMoneyText(prize.amount)});
    rows.push_back({issue, date, "销售额", plainMoneyText(results ? results->sales : std::nullopt)});
    rows.push_back({issue, date, "奖池", plainMoneyText(results ? results->pool : std::nullopt)});
    return rows;
}

std::string publishedMoneyText(const std::optional<std::int64_t>& fen)
{
    return fen ? fenFullText(*fen, "") : kUnpublished;
}

std::string moneyLine(const std::string& label, const std::optional<std::int64_t>& fen)
{
    return label + "：" + publishedMoneyText(fen) + (fen ? "元" : "");
}

std::vector<NoticeLine> noticeLines(const DrawResults& results)
{
    std::vector<NoticeLine> lines;
    for (const PublishedPrize& prize : results.prizes) {
        const bool bonus = isBonusLevel(prize.level);
        lines.push_back({prize.level, groupedNumber(prize.winners), publishedMoneyText(prize.amount),
                         bonus ? kBonusNote : "", bonus, std::to_string(prize.winners),
                         prize.amount ? yuanText(*prize.amount) : kUnpublished});
    }
    return lines;
}

std::string newestPrizeLine(const LotteryState& state)
{
    if (state.hisfull.empty())
        return {};
    const std::size_t row = state.hisfull.rows() - 1;
    const DrawResults* results = storedResults(state, row);
    std::string line = "第" + std::to_string(state.hisfull.at(row, 0)) + "期：一等奖 ";
    const PublishedPrize* first = results ? results->find("一等奖") : nullptr;
    if (!first)
        line += kUnpublished;
    else if (first->winners == 0)
        line += "0注";
    else
        line += countFullText(first->winners, "注") + "，每注 " + shortMoneyText(first->amount);
    return line + "；奖池 " + shortMoneyText(results ? results->pool : std::nullopt);
}

} // namespace quorlin

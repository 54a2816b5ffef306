#include "check/check_report.h"

namespace quorlin {

namespace {

constexpr const char* kBeforeEveryTable = "早于所有奖级表";

} // namespace

std::string moneyText(std::int64_t money, bool floatingWon)
{
    return std::to_string(money) + (floatingWon ? "+浮动" : "");
}

std::string moneyText(const DrawCheck& check)
{
    return check.rules ? moneyText(check.money, check.floatingWon) : "-";
}

std::string ruleSetText(const DrawCheck& check)
{
    return check.rules ? check.rules->title : kBeforeEveryTable;
}

std::string levelNamesLine(const PrizeRuleSet* set)
{
    if (!set)
        return std::string("奖级\t") + kBeforeEveryTable + "\t奖金";
    std::string line = "奖级\t" + set->title;
    for (const PrizeLevel& level : set->levels)
        line += '\t' + level.name + '(' + amountText(level) + ')';
    return line + "\t奖金";
}

std::string hitPatternText(int frontHits, int backHits)
{
    return std::to_string(frontHits) + '+' + std::to_string(backHits);
}

std::string bestBetText(const DrawCheck& check)
{
    if (check.bestBet.empty())
        return "未中奖";
    return check.rules ? check.bestBet + ' ' + check.rules->levels.at(static_cast<std::size_t>(check.bestLevel)).name
                       : check.bestBet;
}

std::string winningLineText(const DrawCheck& check, const WinningLine& line)
{
    std::string text = hitPatternText(line.frontHits, line.backHits);
    if (check.rules && line.level >= 0) {
        const PrizeLevel& level = check.rules->levels.at(static_cast<std::size_t>(line.level));
        text += ' ' + level.name + ' ' + amountText(level);
    }
    return text;
}

std::string totalsSentence(const CheckTotals& totals)
{
    std::string text = "共" + std::to_string(totals.draws) + "期，每期" + std::to_string(totals.bets) + "注，投入" +
                       std::to_string(totals.stake) + "元，固定奖金" + std::to_string(totals.money) + "元" +
                       (totals.floatingWon ? "（另有浮动奖金未计）" : "") + "，盈亏" + std::to_string(totals.balance) +
                       "元";
    if (totals.unpriced != 0)
        text +=
            "；其中" + std::to_string(totals.unpriced) + "期" + kBeforeEveryTable + "，只按中奖号码个数列出，奖金未计";
    return text;
}

std::string totalsRow(const CheckTotals& totals)
{
    std::string text = "合计\t" + std::to_string(totals.draws) + "期\t" + std::to_string(totals.bets) + "注\t投入" +
                       std::to_string(totals.stake) + "\t奖金" + moneyText(totals.money, totals.floatingWon) +
                       "\t盈亏" + std::to_string(totals.balance);
    if (totals.unpriced != 0)
        text += "\t其中" + std::to_string(totals.unpriced) + "期" + kBeforeEveryTable + "，奖金未计";
    return text;
}

} // namespace quorlin

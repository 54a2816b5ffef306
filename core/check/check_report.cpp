#include "check/check_report.h"

namespace quorlin {

namespace {

constexpr const char* kBeforeEveryTable = "早于所有奖级表";

// "合计\t3期\t6注\t投入12\t奖金5300+浮动\t盈亏5288"
std::string sumsRow(const CheckTotals& t)
{
    return "合计\t" + std::to_string(t.draws) + "期\t" + std::to_string(t.bets) + "注\t投入" + std::to_string(t.stake) +
           "\t奖金" + moneyText(t.money, t.floatingWon) + "\t盈亏" + std::to_string(t.balance);
}

// The draws before every prize table, after `separator`; nothing when there are none.
std::string unpricedNote(const CheckTotals& t, const char* separator)
{
    if (t.unpriced == 0)
        return {};
    return separator + ("另有" + std::to_string(t.unpriced) + "期") + kBeforeEveryTable +
           "，只按中奖号码个数列出，不计投入和奖金";
}

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
    return "共" + std::to_string(totals.draws) + "期" + std::to_string(totals.bets) + "注，投入" +
           std::to_string(totals.stake) + "元，固定奖金" + std::to_string(totals.money) + "元" +
           (totals.floatingWon ? "（另有浮动奖金未计）" : "") + "，盈亏" + std::to_string(totals.balance) + "元" +
           unpricedNote(totals, "；");
}

std::string totalsRow(const CheckTotals& totals)
{
    return sumsRow(totals) + unpricedNote(totals, "\t");
}

std::string replayTotalsSentence(const ReplayResult& result)
{
    const CheckTotals& t = result.totals;
    return "共" + std::to_string(t.draws) + "期" + std::to_string(t.bets) + "注，投入" + std::to_string(t.stake) +
           "元，固定奖金" + std::to_string(t.money) + "元" + (t.floatingWon ? "（另有浮动奖金未计）" : "") + "，盈亏" +
           std::to_string(t.balance) + "元，回报率" + returnText(static_cast<double>(t.money), t.stake) +
           "；随机投注同样注数的期望奖金" + expectedMoneyText(result.expectedMoney) + "元，回报率" +
           returnText(result.expectedMoney, t.stake) + unpricedNote(t, "；");
}

std::string replayTotalsRows(const ReplayResult& result)
{
    const CheckTotals& t = result.totals;
    return sumsRow(t) + "\t回报率" + returnText(static_cast<double>(t.money), t.stake) + unpricedNote(t, "\t") +
           "\n随机基准\t期望奖金" + expectedMoneyText(result.expectedMoney) + "\t回报率" +
           returnText(result.expectedMoney, t.stake);
}

std::string replayLevelsText(const ReplayResult& result)
{
    std::string text;
    for (const RuleSetTotals& set : result.levelTotals) {
        text += (text.empty() ? "" : "；") + set.rules->title + "：";
        for (std::size_t k = 0; k < set.bets.size(); ++k)
            text += (k == 0 ? "" : "，") + set.rules->levels[k].name + ' ' + std::to_string(set.bets[k]) + "注";
    }
    return "各奖级中奖注数（" + text + "）";
}

} // namespace quorlin

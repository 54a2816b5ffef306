#include "check/check_report.h"

#include <algorithm>

namespace quorlin {

namespace {

constexpr const char* kBeforeEveryTable = "早于所有奖级表";

// The most levels a rule set of the draws has.
std::size_t mostLevels(const std::vector<DrawCheck>& checks)
{
    std::size_t most = 0;
    for (const DrawCheck& c : checks)
        if (c.rules)
            most = std::max(most, c.rules->levels.size());
    return most;
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

std::string levelNamesLine(const PrizeRuleSet& set)
{
    std::string line = "奖级\t" + set.title;
    for (const PrizeLevel& level : set.levels)
        line += '\t' + level.name + '(' + amountText(level) + ')';
    return line + "\t奖金";
}

std::vector<std::string> levelColumnTitles(const std::vector<DrawCheck>& checks)
{
    std::vector<std::string> titles(mostLevels(checks));
    for (std::size_t k = 0; k < titles.size(); ++k) {
        std::vector<std::string> names;
        for (const DrawCheck& c : checks)
            if (c.rules && k < c.rules->levels.size() &&
                std::find(names.begin(), names.end(), c.rules->levels[k].name) == names.end())
                names.push_back(c.rules->levels[k].name);
        for (const std::string& name : names)
            titles[k] += (titles[k].empty() ? "" : "/") + name;
    }
    return titles;
}

std::vector<LevelTotal> levelTotals(const std::vector<DrawCheck>& checks)
{
    std::vector<LevelTotal> totals;
    const std::size_t levels = mostLevels(checks);
    for (std::size_t k = 0; k < levels; ++k)
        for (const DrawCheck& c : checks) {
            if (!c.rules || k >= c.rules->levels.size())
                continue;
            const std::string& name = c.rules->levels[k].name;
            auto total =
                std::find_if(totals.begin(), totals.end(), [&](const LevelTotal& t) { return t.name == name; });
            if (total == totals.end())
                total = totals.insert(totals.end(), LevelTotal{name, 0});
            if (k < c.levelCounts.size())
                total->bets += c.levelCounts[k];
        }
    return totals;
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

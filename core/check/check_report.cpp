#include "check/check_report.h"

#include "common/money_text.h"

#include <algorithm>

namespace quorlin {

namespace {

constexpr const char* kBeforeEveryTable = "早于所有奖级表";

// "合计\t3期\t6注\t投入12\t奖金5300+浮动\t盈亏5288"
std::string sumsRow(const CheckTotals& t)
{
    return "合计\t" + std::to_string(t.draws) + "期\t" + std::to_string(t.bets) + "注\t投入" + std::to_string(t.stake) +
           "\t奖金" + moneyText(t.money, t.unknownWon) + "\t盈亏" + std::to_string(t.balance);
}

constexpr const char* kUnknownNote = "（另有浮动奖金未计）";

// "共3期6注，投入12元，奖金5,300元（另有浮动奖金未计），盈亏5,288元"
std::string sumsSentence(const CheckTotals& t)
{
    return "共" + countFullText(t.draws, "期") + countFullText(t.bets, "注") + "，投入" + yuanFullText(t.stake) +
           "，奖金" + yuanFullText(t.money) + (t.unknownWon ? kUnknownNote : "") + "，盈亏" + yuanFullText(t.balance);
}

// The draws before every prize table, after `separator`; nothing when there are none.
std::string unpricedNote(const CheckTotals& t, const char* separator)
{
    if (t.unpriced == 0)
        return {};
    return separator + ("另有" + std::to_string(t.unpriced) + "期") + kBeforeEveryTable +
           "，只按中奖号码个数列出，不计投入和奖金";
}

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

std::string moneyText(std::int64_t money, bool unknownWon)
{
    return std::to_string(money) + (unknownWon ? "+浮动" : "");
}

std::string moneyText(const DrawCheck& check)
{
    return check.rules ? moneyText(check.money, check.unknownWon) : "-";
}

std::string moneyShortText(std::int64_t money, bool unknownWon)
{
    return yuanShortText(money) + (unknownWon ? "+浮动" : "");
}

std::string moneyShortText(const DrawCheck& check)
{
    return check.rules ? moneyShortText(check.money, check.unknownWon) : "-";
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
        const auto k = static_cast<std::size_t>(line.level);
        const LevelPrice price = k < check.prices.levels.size() ? check.prices.levels[k]
                                                                : rulePrices(*check.rules, std::nullopt).levels.at(k);
        text += ' ' + check.rules->levels.at(k).name + ' ' + priceFullText(price, check.extra);
    }
    return text;
}

std::string totalsSentence(const CheckTotals& totals)
{
    return sumsSentence(totals) + unpricedNote(totals, "；");
}

std::string totalsRow(const CheckTotals& totals)
{
    return sumsRow(totals) + unpricedNote(totals, "\t");
}

std::string replayTotalsSentence(const ReplayResult& result)
{
    const CheckTotals& t = result.totals;
    return sumsSentence(t) + "，回报率" + returnText(static_cast<double>(t.money), t.stake) +
           "；随机投注同样注数的期望奖金" + yuanFullText(result.expectedMoney) +
           (result.expectedUnknown ? kUnknownNote : "") + "，回报率" + returnText(result.expectedMoney, t.stake) +
           unpricedNote(t, "；");
}

std::string replayTotalsRows(const ReplayResult& result)
{
    const CheckTotals& t = result.totals;
    return sumsRow(t) + "\t回报率" + returnText(static_cast<double>(t.money), t.stake) + unpricedNote(t, "\t") +
           "\n随机基准\t期望奖金" + expectedMoneyText(result.expectedMoney) + (result.expectedUnknown ? "+浮动" : "") +
           "\t回报率" + returnText(result.expectedMoney, t.stake);
}

std::string replayLevelsText(const ReplayResult& result)
{
    std::string text;
    for (const RuleSetTotals& set : result.levelTotals) {
        text += (text.empty() ? "" : "；") + set.rules->title + "：";
        for (std::size_t k = 0; k < set.bets.size(); ++k)
            text += (k == 0 ? "" : "，") + set.rules->levels[k].name + ' ' + countFullText(set.bets[k], "注");
    }
    return "各奖级中奖注数（" + text + "）";
}

} // namespace quorlin

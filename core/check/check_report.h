#pragma once

#include "check/prize_check.h"
#include "check/scheme_replay.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

// The texts of a prize check and of a scheme replay, shared by the windows and the command line.

/// Fixed money with "+浮动" when a pool level was won as well: its money is not known here.
std::string moneyText(std::int64_t money, bool unknownWon);
/// The draw's fixed money, or "-" for a draw before every prize table.
std::string moneyText(const DrawCheck& check);
/// The same as a narrow column of a window shows it: "12.35万元+浮动" (common/money_text.h).
std::string moneyShortText(std::int64_t money, bool unknownWon);
std::string moneyShortText(const DrawCheck& check);
/// The title of the draw's prize table, or "早于所有奖级表".
std::string ruleSetText(const DrawCheck& check);
/// The line naming a rule set's levels above the draws priced under it, as the command line prints
/// it: "奖级\t九个奖级\t一等奖(浮动)\t…\t奖金"; for draws before every prize table (null)
/// "奖级\t早于所有奖级表\t奖金". A printed table's first line is always one of these: its header.
std::string levelNamesLine(const PrizeRuleSet* set);
/// The titles of the level columns of a table of draws: one per level of the largest rule set among
/// them, each the name the sets give that level ("三等奖"), or their names joined by "/" where the
/// sets name it differently. Empty when no draw has a rule set.
std::vector<std::string> levelColumnTitles(const std::vector<DrawCheck>& checks);

/// The bets won at one level name over a range of draws.
struct LevelTotal {
    std::string name;
    std::uint64_t bets = 0;
};
/// The bets won per level name over the draws that have a rule set, every name its rule sets hold
/// once (won or not), by level and in the order of the draws.
std::vector<LevelTotal> levelTotals(const std::vector<DrawCheck>& checks);

/// "4+2": front hits + back hits.
std::string hitPatternText(int frontHits, int backHits);
/// The draw's best bet and its level ("01 02 03 04 05+01 02 一等奖"), the bet alone for a draw
/// before every prize table, or "未中奖".
std::string bestBetText(const DrawCheck& check);
/// What a winning line won: "3+2 六等奖 200元", "5+2 一等奖 10,000,000元+浮动", or the hits alone for a draw before
/// every prize table.
std::string winningLineText(const DrawCheck& check, const WinningLine& line);
/// The totals as a window's sentence: "共3期9注，投入18元，奖金1,500元，盈亏1,482元", and how many draws
/// before every prize table were left out.
std::string totalsSentence(const CheckTotals& totals);
/// The totals as a tab-separated row: "合计\t3期\t6注\t投入12\t奖金5300+浮动\t盈亏5288".
std::string totalsRow(const CheckTotals& totals);

/// A replay's totals as a sentence: the check's totals with the return, beside the random bets.
std::string replayTotalsSentence(const ReplayResult& result);
/// A replay's totals as the command line prints them: the 合计 row with the return, then the
/// 随机基准 row ("随机基准\t期望奖金1.1\t回报率27.7%").
std::string replayTotalsRows(const ReplayResult& result);
/// A replay's bets per level, per rule set: "各奖级中奖注数（七个奖级：一等奖 0注，…）".
std::string replayLevelsText(const ReplayResult& result);

} // namespace quorlin

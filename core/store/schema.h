#pragma once

#include "common/save_target.h"

#include <string>

namespace quorlin {

class Database;

/// Suffixes that turn a lottery's name into its two table names.
inline constexpr const char* kDrawTableSuffix = "彩票号码表";
inline constexpr const char* kDefinitionTableSuffix = "彩票选项表";
/// The lottery the program ships with.
inline constexpr const char* kShippedLottery = "中国体彩超级大乐透";

/// The definition row of a lottery (its 彩票选项表).
struct LotteryDefinition {
    std::string name;         ///< 彩票名称
    int type = 0;             ///< 彩票类型: 0 乐透型, 1 数字型
    int numberTotal = 0;      ///< 号码总数
    int numberCount = 0;      ///< 选择号码数: the draw table's number columns
    std::string drawTime;     ///< 开奖时间, free text
    std::string drawWeekdays; ///< 开奖星期, e.g. "136"

    bool operator==(const LotteryDefinition&) const = default;
};

std::string drawTableName(const std::string& lottery);
std::string definitionTableName(const std::string& lottery);

/// The create statement of a draw table with `numberCount` number columns "1".."M".
std::string drawTableStatement(const std::string& lottery, int numberCount);
/// The create statement of a definition table.
std::string definitionTableStatement(const std::string& lottery);

/// Creates both tables of a lottery and writes its definition row, in one transaction. A name
/// refusedLotteryName refuses throws DatabaseError before anything is written.
void createLottery(Database& db, const LotteryDefinition& definition);

/// Why `name` cannot name a new lottery, or empty when it can: file names are made from it, so it
/// must not be empty nor hold "/" or "..".
std::string refusedLotteryName(const std::string& name);
/// The file name `lottery` + `suffix`, kept to one file in whatever folder it is put in: a "/" or
/// ".." in the name (only a database made elsewhere can hold one) becomes "_" or "__".
std::string lotteryFileName(const std::string& lottery, const std::string& suffix);

/// The definition of the lottery the program ships with.
LotteryDefinition shippedLotteryDefinition();

} // namespace quorlin

#pragma once

#include "store/schema.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

class Database;

/// The lotteries of the database: every table whose name ends in 彩票号码表, with that suffix removed.
std::vector<std::string> listlotteries(Database& db);

/// Reads the first row of a lottery's definition table. Throws DatabaseError when the table is
/// missing or holds no row, and ConversionError when 彩票类型 is empty or, like 号码总数 and
/// 选择号码数, holds something that is not a whole number (an empty count reads as 0).
LotteryDefinition readDefinition(Database& db, const std::string& lottery);

/// The number of draws stored in a lottery's draw table. Throws DatabaseError when it is missing.
std::int64_t countDraws(Database& db, const std::string& lottery);

} // namespace quorlin

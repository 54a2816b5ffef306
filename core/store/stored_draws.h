#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorlin {

class Database;
struct ImportedDraw;

/// A draw already in a 5+2 draw table, as far as imports and downloads compare it with a new one.
struct StoredDraw {
    std::array<std::int64_t, 7> numbers{};
    std::string date; ///< 开奖日期 as stored
};

/// The draws of a lottery's 7-column table by their 记录期号 as stored.
using StoredDraws = std::unordered_map<std::string, StoredDraw>;

/// Reads every draw of the lottery's table; throws DatabaseError.
StoredDraws readStoredDraws(Database& db, const std::string& lottery);

/// True when the stored draw has the same numbers in the same columns and, when `compareDate`,
/// the same day however its date is written.
bool sameDraw(const StoredDraw& stored, const ImportedDraw& draw, bool compareDate = true);

/// The stored draw as the user reads it: "2007-05-30 22 24 29 31 35 + 04 11".
std::string storedDrawText(const StoredDraw& stored);

/// Inserts the draws into the lottery's table (inside the caller's transaction); throws DatabaseError.
void appendDraws(Database& db, const std::string& lottery, const std::vector<ImportedDraw>& draws);

} // namespace quorlin

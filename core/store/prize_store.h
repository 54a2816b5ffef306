#pragma once

#include "store/prize_results.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quorlin {

class Database;

// The published results of a lottery's draws live beside its draw table in two tables of their
// own: the prize lines (N + "奖级结果表") and the sales and pool (N + "销售奖池表"). Money is
// stored in 分; a NULL amount, sales or pool is one that was not published.

std::string prizeTableName(const std::string& lottery);
std::string poolSalesTableName(const std::string& lottery);

/// Whether the lottery has both result tables.
bool hasPrizeTables(Database& db, const std::string& lottery);
/// Creates the missing result tables, inside the caller's transaction.
void createPrizeTables(Database& db, const std::string& lottery);

/// Every stored result of the lottery; empty when it has no result tables. Throws DatabaseError.
PrizeResults readPrizeResults(Database& db, const std::string& lottery);

/// What storing one draw's results did.
struct ResultsMerge {
    bool added = false;   ///< something new was written (prize lines, sales or pool)
    std::string conflict; ///< why nothing was written: the stored results differ; empty otherwise
};

/// Stores a draw's results inside the caller's transaction: its prize lines when the draw has
/// none stored, its sales and pool where they are not stored yet; what is stored already and equal
/// is skipped. A value that contradicts a stored one writes nothing of this draw and says so in
/// `conflict`. Throws DatabaseError.
ResultsMerge mergeDrawResults(Database& db, const std::string& lottery, const DrawResults& results);

} // namespace quorlin

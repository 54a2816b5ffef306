#pragma once

#include <string>

namespace quorlin {

class Database;

/// Where the program keeps its copies of the published results below the program directory.
inline constexpr const char* kShippedPrizesRelativePath = "附属/dlt_prizes.csv";
inline constexpr const char* kShippedPoolSalesRelativePath = "附属/dlt_pool_sales.csv";

/// Gives a lottery the result tables it lacks, when the database can be written, in one
/// transaction: the shipped lottery's are filled from the copies below `apppath` (a program
/// directory with its trailing separator) for the draws its draw table stores with the same issue
/// and day; another lottery's, and the shipped one's when the copies are missing, start empty. A
/// database that cannot be written, or that another program is writing, is left as it is (a later
/// open adds them); returns whether the lottery has the tables.
/// A copy that does not read throws DatabaseError naming the file and line, nothing written; so
/// does a lottery without a draw table.
bool addPrizeTables(Database& db, const std::string& lottery, const std::string& apppath);

} // namespace quorlin

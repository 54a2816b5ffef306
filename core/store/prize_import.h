#pragma once

#include <string>

namespace quorlin {

class Database;

/// What an import of published results did, or why the files were refused (nothing written then).
struct PrizeImportResult {
    bool ok = false;
    int prizeLines = 0; ///< prize lines added
    int poolSales = 0;  ///< draws whose sales or pool was added
    int skipped = 0;    ///< rows skipped as stored already (the same, or nothing to add)
    std::string error;
};

/// Adds the results of a prize-lines file and, when `poolSalesPath` is not empty, a sales-and-pool
/// file (the forms of store/prize_results_csv.h) to a lottery in one transaction, creating its
/// result tables when it lacks them. Every draw is stored through mergeDrawResults, also one that
/// the draw table does not hold yet. A file that does not read, a row dating a stored draw on
/// another day, or results that contradict the stored ones refuse both files, naming the file and
/// line; a prize-lines file without any row is refused too.
PrizeImportResult importPrizeResults(Database& db, const std::string& lottery, const std::string& prizesPath,
                                     const std::string& poolSalesPath = {});

} // namespace quorlin

#pragma once

#include "store/prize_results.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quorlin {

// The two CSV forms of published results: the prize lines (one row per draw and level, in the
// published order) and the sales and pool (one row per draw). Money is written in 元 with at most
// two decimals; an empty amount, sales or pool is one that was not published.

inline constexpr const char* kPrizesCsvHeader = "issue,date,level,winners,amount_per_bet";
inline constexpr const char* kPoolSalesCsvHeader = "issue,date,sales,pool_after";

/// One draw as a results file holds it, with the line it starts on (counted from 1).
struct CsvDrawResults {
    DrawResults results;
    std::size_t line = 0;
};

/// The draws of a prize-lines file in file order (their sales and pool empty). The file is read
/// as UTF-8 or GBK, LF or CR LF; blank lines are passed over. A wrong header, a wrong number of
/// fields, an issue that is not 7 digits, a date that is not one, winners that are not a whole
/// number, an amount that is not one in 元, a draw whose lines are not together, a draw with two
/// dates or a level twice in one draw refuses the file: nothing, and `error` says
/// "文件 PATH 第 N 行：…".
std::optional<std::vector<CsvDrawResults>> readPrizesCsv(const std::string& path, std::string& error);
/// The same for a sales-and-pool file (its draws hold no prize lines); a draw twice is refused.
std::optional<std::vector<CsvDrawResults>> readPoolSalesCsv(const std::string& path, std::string& error);

/// The same for lines already read; `file` names them in messages.
std::optional<std::vector<CsvDrawResults>> readPrizesCsvLines(const std::vector<std::string>& lines,
                                                              const std::string& file, std::string& error);
std::optional<std::vector<CsvDrawResults>> readPoolSalesCsvLines(const std::vector<std::string>& lines,
                                                                 const std::string& file, std::string& error);

/// The files' text (UTF-8, LF): every prize line of every draw, oldest draw first; and a sales and
/// pool row for every draw of `results`, its fields empty where nothing is known. Empty, with
/// `error` set, when a level holds a character the form cannot carry (a comma, a quote, a line end).
std::optional<std::string> prizesCsvText(const PrizeResults& results, std::string& error);
std::string poolSalesCsvText(const PrizeResults& results);

/// Writes the two forms to a file the user chose, replacing it only when complete (saveFileBytes);
/// false with `error` set when it cannot be written.
bool writePrizesCsv(const std::string& path, const PrizeResults& results, std::string& error);
bool writePoolSalesCsv(const std::string& path, const PrizeResults& results, std::string& error);

/// The results the two files describe together, by issue. A draw that both files date differently
/// is refused with `error` naming the pool file's line.
std::optional<PrizeResults> combineCsvResults(const std::vector<CsvDrawResults>& prizes,
                                              const std::vector<CsvDrawResults>& poolSales,
                                              const std::string& poolSalesFile, std::string& error);

} // namespace quorlin

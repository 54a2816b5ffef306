#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace quorlin {

class Database;

/// What an export of a lottery's history did: the lines written, or why nothing was written.
struct HistoryExportResult {
    bool ok = false;
    int lines = 0;
    std::string error;
};

/// One line of the history export: every value as a whole number, those below 10 with a leading
/// "0", each followed by one blank ("2001001 03 08 15 22 31 04 11 ").
std::string historyLine(std::span<const std::int64_t> values);

/// Writes the history of a lottery to `path` (GBK, CR LF, replacing the file only when complete):
/// one line per draw, oldest issue first, holding every column of the draw table but the last
/// (the issue and the numbers, not the date). An empty table writes an empty file. A value that
/// is not a whole number or a table that cannot be read is reported in `error`.
HistoryExportResult exportHistory(Database& db, const std::string& lottery, const std::string& path);

} // namespace quorlin

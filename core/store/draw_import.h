#pragma once

#include <string>
#include <vector>

namespace quorlin {

class Database;

/// What an import did: the draws added, or why the file was refused (nothing written then).
struct ImportResult {
    bool ok = false;
    int added = 0;
    std::string error;
};

/// Appends the draws of a text file to a lottery's draw table in one transaction. One draw per
/// line: issue, date (YYYY-MM-DD) and the 5 front and 2 back numbers, separated by commas,
/// blanks or tabs; a header line is skipped; a 5-digit issue is widened with "20" in front.
/// A bad line refuses the whole file with a message naming its line number.
ImportResult importDraws(Database& db, const std::string& lottery, const std::string& path);

/// The same for lines already read (line numbers count from 1).
ImportResult importDrawLines(Database& db, const std::string& lottery, const std::vector<std::string>& lines);

} // namespace quorlin

#pragma once

#include "common/calendar.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

class Database;

/// What an import did: the draws added and those skipped as already stored, or why the file was
/// refused (nothing written then).
struct ImportResult {
    bool ok = false;
    int added = 0;
    int skipped = 0;
    std::string error;
};

/// Adds the draws of a text file (UTF-8 or GBK, read line by line; the lines are described at
/// DrawLineParser) to a lottery's draw table in one transaction. A draw whose issue is stored with
/// the same date and numbers is skipped, so an updated full history can be imported again; a line
/// without a date (the history export) is skipped when its issue is stored with the same numbers.
/// One stored differently, a new draw without a date, a repeated issue, a bad line or a file
/// without any draw refuses the whole file with a message naming the line. `today` bounds the
/// dates a draw may have.
ImportResult importDraws(Database& db, const std::string& lottery, const std::string& path,
                         std::int32_t today = todayDate());

/// The same for lines already read (line numbers count from 1).
ImportResult importDrawLines(Database& db, const std::string& lottery, const std::vector<std::string>& lines,
                             std::int32_t today = todayDate());

} // namespace quorlin

#pragma once

#include <string>

namespace quorlin {

/// What became of a backup or a restore: done, or why not, in words for the user.
struct DatabaseCopyResult {
    bool ok = false;
    std::string error;
};

/// 数据备份: writes a consistent copy of the lottery database `database` to `target`, replacing it.
/// The copy is read through SQLite in one transaction (so a lottery open at the same time does not
/// matter) and written by writeDatabaseFile: a failure leaves `target` as it was. The database
/// itself, and any file in the program's database folder (refusedSaveTarget), is refused.
DatabaseCopyResult backupDatabase(const std::string& database, const std::string& target);

/// Empty when the file at `path` is a database holding at least one lottery draw table (a table
/// whose name ends in 彩票号码表, with the columns 记录期号, "1".."7" and 开奖日期); else why not.
std::string checkLotteryDatabase(const std::string& path);

/// 数据恢复: replaces the lottery database `database` by a copy of `source`. The source is checked
/// first (checkLotteryDatabase) and read; then the current database is kept as `database` + ".bak"
/// and the copy is written over it by writeDatabaseFile. Any failure leaves
/// `database` as it was. Restoring from that ".bak" itself works: it is read before it is replaced.
/// The lottery must be closed: nothing may hold the database open.
DatabaseCopyResult restoreDatabase(const std::string& source, const std::string& database);

} // namespace quorlin

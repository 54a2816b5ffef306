#include "store/database_backup.h"

#include "common/save_target.h"
#include "store/database.h"
#include "store/database_file.h"
#include "store/draw_cursor.h"
#include "store/lottery_catalog.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace quorlin {

namespace {

namespace fs = std::filesystem;

// The draw columns a restored database must have: 记录期号, "1".."7" and 开奖日期.
constexpr int kDrawColumns = 7;

// A consistent copy of the database `from`, taken through SQLite so that a lottery open at the
// same time does not matter.
std::string databaseImage(const std::string& from)
{
    Database source;
    source.open(from, Database::Mode::ReadOnly);
    return source.image();
}

// Keeps the database as `database`.bak, byte for byte: it may be the damaged file the user is
// replacing, which SQLite would refuse to read.
void keepBackup(const std::string& database)
{
    std::error_code ec;
    if (!fs::exists(database, ec))
        return;
    // A journal left by an interrupted write belongs to the old file: opening the file once lets
    // SQLite roll it back, so that the kept copy is whole.
    try {
        Database settle;
        settle.open(database);
    } catch (const DatabaseError&) {
        // A damaged file is kept as it is.
    }
    const std::string bak = database + ".bak";
    std::ifstream in(database, std::ios::binary);
    std::ostringstream bytes;
    if (!(bytes << in.rdbuf()) && fs::file_size(database, ec) != 0)
        throw DatabaseError("无法保留原数据库 " + bak + "：读不出 " + database);
    writeDatabaseFile(bak, bytes.str());
}

DatabaseCopyResult failed(const std::string& error)
{
    return {false, error};
}

} // namespace

DatabaseCopyResult backupDatabase(const std::string& database, const std::string& target)
{
    // Renaming a copy over the database itself would cut it off from the open lottery's connection.
    std::error_code ec;
    if (fs::equivalent(database, target, ec))
        return failed("不能备份到数据库文件本身：" + target);
    if (std::string refused = refusedSaveTarget(target); !refused.empty())
        return failed(refused);
    try {
        writeDatabaseFile(target, databaseImage(database));
        return {true, {}};
    } catch (const DatabaseError& e) {
        return failed(e.what());
    }
}

std::string checkLotteryDatabase(const std::string& path)
{
    Database db;
    try {
        db.open(path, Database::Mode::ReadOnly);
        for (const std::string& lottery : listlotteries(db)) {
            try {
                verifyDrawTable(db, lottery, kDrawColumns);
                return {};
            } catch (const DatabaseError&) {
                // Another table of the file may still be a draw table.
            }
        }
    } catch (const DatabaseError& e) {
        return e.what();
    }
    return "文件 " + path + " 中没有彩票号码表（名称以“彩票号码表”结尾，含 记录期号、1 至 7、开奖日期 列）";
}

DatabaseCopyResult restoreDatabase(const std::string& source, const std::string& database)
{
    if (std::string refused = checkLotteryDatabase(source); !refused.empty())
        return failed(refused);
    try {
        // The source is read before the backup is kept: it may be that very backup.
        const std::string image = databaseImage(source);
        keepBackup(database);
        writeDatabaseFile(database, image);
    } catch (const DatabaseError& e) {
        return failed(e.what());
    }
    // The old file's journal, if one survived, must not be applied to the restored file.
    std::error_code ec;
    fs::remove(database + "-journal", ec);
    return {true, {}};
}

} // namespace quorlin

#include "store/database_backup.h"

#include "common/scratch_file.h"
#include "store/database.h"
#include "store/draw_cursor.h"
#include "store/lottery_catalog.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace quorlin {

namespace {

namespace fs = std::filesystem;

// The draw columns a restored database must have: 记录期号, "1".."7" and 开奖日期.
constexpr int kDrawColumns = 7;

// A scratch file beside a target, removed again unless it was renamed into place.
class Scratch {
public:
    explicit Scratch(const std::string& target) : target_(target)
    {
        std::FILE* file = createScratchFile(target, path_);
        if (!file)
            throw DatabaseError("无法在文件 " + target + " 所在的文件夹中写入：" + std::strerror(errno));
        std::fclose(file);
    }
    ~Scratch()
    {
        if (!path_.empty())
            std::remove(path_.c_str());
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const std::string& path() const { return path_; }

    /// Renames the scratch file over the target.
    void replaceTarget()
    {
        if (std::rename(path_.c_str(), target_.c_str()) != 0)
            throw DatabaseError("无法写入文件 " + target_ + "：" + std::strerror(errno));
        path_.clear();
    }

private:
    std::string target_;
    std::string path_;
};

// Copies the database `from`, page by page, into the empty scratch file.
void copyPages(const std::string& from, const Scratch& scratch)
{
    Database source;
    source.open(from, Database::Mode::ReadOnly);
    Database copy;
    copy.open(scratch.path());
    sqlite3_backup* backup = sqlite3_backup_init(copy.handle(), "main", source.handle(), "main");
    if (!backup)
        throw DatabaseError("无法复制数据库 " + from + "：" + sqlite3_errmsg(copy.handle()));
    const int stepped = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE)
        throw DatabaseError("复制数据库 " + from + " 时出错：" + sqlite3_errstr(stepped));
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
    Scratch scratch(bak);
    fs::copy_file(database, scratch.path(), fs::copy_options::overwrite_existing, ec);
    if (ec)
        throw DatabaseError("无法保留原数据库 " + bak + "：" + ec.message());
    scratch.replaceTarget();
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
    try {
        Scratch scratch(target);
        copyPages(database, scratch);
        scratch.replaceTarget();
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
        Scratch scratch(database);
        copyPages(source, scratch);
        keepBackup(database);
        scratch.replaceTarget();
    } catch (const DatabaseError& e) {
        return failed(e.what());
    }
    // The old file's journal, if one survived, must not be applied to the restored file.
    std::error_code ec;
    fs::remove(database + "-journal", ec);
    return {true, {}};
}

} // namespace quorlin

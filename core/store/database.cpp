#include "store/database.h"

#include <sqlite3.h>

#include <charconv>
#include <cmath>
#include <utility>

namespace quorlin {

namespace {

bool isBusy(int rc)
{
    const int primary = rc & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

// A lock held by another program outlasts the busy timeout only while that program keeps the file
// in a long write; the user can try again later, so it must not read like a damaged file.
std::string busyText(const std::string& file)
{
    return "数据库文件 " + file + " 正被其他程序使用，请稍后再试";
}

[[noreturn]] void fail(sqlite3* db, const std::string& what)
{
    if (db && isBusy(sqlite3_extended_errcode(db)))
        throw DatabaseError(busyText(sqlite3_db_filename(db, "main")));
    throw DatabaseError(what + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

} // namespace

std::string quoteIdentifier(std::string_view name)
{
    std::string quoted = "\"";
    for (char ch : name) {
        if (ch == '"')
            quoted += '"';
        quoted += ch;
    }
    quoted += '"';
    return quoted;
}

Database::~Database()
{
    close();
}

Database::Database(Database&& other) noexcept : db_(std::exchange(other.db_, nullptr)), path_(std::move(other.path_)) {}

Database& Database::operator=(Database&& other) noexcept
{
    if (this != &other) {
        close();
        db_ = std::exchange(other.db_, nullptr);
        path_ = std::move(other.path_);
    }
    return *this;
}

void Database::open(const std::string& path, Mode mode)
{
    close();
    int flags = (mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_FULLMUTEX;
    if (mode == Mode::Create)
        flags |= SQLITE_OPEN_CREATE;
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = rc == SQLITE_CANTOPEN ? "无法打开数据库文件 " + path
                                                          : "数据库文件 " + path + " 打开失败: " + sqlite3_errstr(rc);
        sqlite3_close(db);
        throw DatabaseError(message);
    }
    db_ = db;
    path_ = path;
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    // Reading the schema proves the file is a database and not some other file of that name.
    const int read = sqlite3_exec(db_, "pragma schema_version", nullptr, nullptr, nullptr);
    if (read != SQLITE_OK) {
        const std::string message = isBusy(read) ? busyText(path) : "文件 " + path + " 不是有效的彩票数据库";
        close();
        throw DatabaseError(message);
    }
}

void Database::close()
{
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

bool Database::readOnly() const
{
    return db_ && sqlite3_db_readonly(db_, "main") == 1;
}

void Database::exec(const std::string& sql)
{
    if (!db_)
        throw DatabaseError("数据库未连接");
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(db_, "数据库语句执行失败");
}

Statement Database::prepare(const std::string& sql)
{
    return Statement(*this, sql);
}

std::vector<std::string> Database::tableNames()
{
    std::vector<std::string> names;
    Statement st(*this,
                 "select name from sqlite_master where type = 'table' and name not like 'sqlite\\_%' escape '\\' "
                 "order by name");
    while (st.step())
        names.push_back(st.text(0));
    return names;
}

bool Database::hasTable(const std::string& name)
{
    Statement st(*this, "select 1 from sqlite_master where type = 'table' and name = ?1");
    st.bind(1, name);
    return st.step();
}

std::vector<std::string> Database::columnNames(const std::string& table)
{
    std::vector<std::string> names;
    Statement st(*this, "select name from pragma_table_info(?1) order by cid");
    st.bind(1, table);
    while (st.step())
        names.push_back(st.text(0));
    return names;
}

std::string Database::image()
{
    if (!db_)
        throw DatabaseError("数据库未连接");
    sqlite3_int64 size = 0;
    unsigned char* bytes = sqlite3_serialize(db_, "main", &size, 0);
    // A database without a single page is an empty file.
    if (!bytes && size == 0 && sqlite3_errcode(db_) == SQLITE_OK)
        return {};
    if (!bytes)
        fail(db_, "无法读取数据库 " + path_);
    std::string copy(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
    sqlite3_free(bytes);
    return copy;
}

Statement::Statement(Database& db, const std::string& sql) : db_(db.handle())
{
    if (!db_)
        throw DatabaseError("数据库未连接");
    if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK)
        fail(db_, "数据库语句有误");
}

Statement::~Statement()
{
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept : db_(other.db_), stmt_(std::exchange(other.stmt_, nullptr)) {}

Statement& Statement::bind(int index, std::int64_t value)
{
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK)
        fail(db_, "数据库参数有误");
    return *this;
}

Statement& Statement::bind(int index, std::string_view value)
{
    if (sqlite3_bind_text(stmt_, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        fail(db_, "数据库参数有误");
    return *this;
}

Statement& Statement::bindNull(int index)
{
    if (sqlite3_bind_null(stmt_, index) != SQLITE_OK)
        fail(db_, "数据库参数有误");
    return *this;
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(db_, "数据库读写失败");
}

void Statement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

bool Statement::isNull(int col) const
{
    return sqlite3_column_type(stmt_, col) == SQLITE_NULL;
}

std::int64_t Statement::integer(int col) const
{
    return sqlite3_column_int64(stmt_, col);
}

std::int64_t Statement::wholeNumber(int col, const std::string& what) const
{
    switch (sqlite3_column_type(stmt_, col)) {
    case SQLITE_INTEGER:
        return integer(col);
    case SQLITE_NULL:
        throw ConversionError(what + "为空");
    case SQLITE_FLOAT: {
        // Whole reals fit a 64-bit integer below 2^63.
        const double value = sqlite3_column_double(stmt_, col);
        if (std::trunc(value) == value && std::abs(value) < 9.2e18)
            return static_cast<std::int64_t>(value);
        throw ConversionError(what + " " + text(col) + " 不是整数");
    }
    default: {
        // A text of digits is stored as text only in a column without number affinity.
        const std::string stored = text(col);
        if (stored.empty())
            throw ConversionError(what + "为空");
        std::int64_t value = 0;
        const char* end = stored.data() + stored.size();
        const auto [last, ec] = std::from_chars(stored.data(), end, value);
        if (ec == std::errc() && last == end)
            return value;
        throw ConversionError(what + "“" + stored + "”不是数字");
    }
    }
}

std::string Statement::text(int col) const
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, col));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, col))) : std::string();
}

Transaction::Transaction(Database& db, Kind kind) : db_(db)
{
    db_.exec(kind == Kind::Write ? "begin immediate" : "begin");
}

Transaction::~Transaction()
{
    if (open_) {
        try {
            db_.exec("rollback");
        } catch (const DatabaseError&) {
            // The connection already ended the transaction; nothing more to undo.
        }
    }
}

void Transaction::commit()
{
    db_.exec("commit");
    open_ = false;
}

} // namespace quorlin

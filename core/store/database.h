#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace quorlin {

/// A failure of the lottery database (missing file, missing table or column, locked file);
/// its text is what the user is shown.
class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A stored value that does not read as what the program needs (a text or a fraction where a
/// whole number belongs); its text names the value and where it is stored.
class ConversionError : public DatabaseError {
public:
    using DatabaseError::DatabaseError;
};

class Statement;

/// One connection to the lottery database file (SQLite).
class Database {
public:
    /// ReadOnly opens an existing file without ever writing to it (a file the user picked, say).
    enum class Mode { OpenExisting, Create, ReadOnly };

    Database() = default;
    ~Database();
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    /// How long a statement waits for another program's lock before it fails.
    static constexpr int kBusyTimeoutMs = 2000;

    /// Opens the file; OpenExisting fails with DatabaseError when the file is missing or unreadable.
    void open(const std::string& path, Mode mode = Mode::OpenExisting);
    void close();
    bool connected() const { return db_ != nullptr; }
    const std::string& path() const { return path_; }
    /// True when the connection cannot write: opened ReadOnly, or the file lacks write permission.
    bool readOnly() const;

    /// Runs statements that return no rows.
    void exec(const std::string& sql);
    Statement prepare(const std::string& sql);

    /// Names of the user tables (no system tables), ordered by name.
    std::vector<std::string> tableNames();
    bool hasTable(const std::string& name);
    /// Column names of a table in their declared order; empty when the table does not exist.
    std::vector<std::string> columnNames(const std::string& table);
    /// The bytes of a consistent copy of the database file, read in one transaction; another
    /// connection may go on using the file meanwhile.
    std::string image();

    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
    std::string path_;
};

/// A prepared statement; step() walks its rows.
class Statement {
public:
    Statement(Database& db, const std::string& sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement& operator=(Statement&&) = delete;

    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, std::string_view value);
    Statement& bindNull(int index);
    /// Advances to the next row; false at the end.
    bool step();
    void reset();

    bool isNull(int col) const;
    std::int64_t integer(int col) const;
    /// The value as a whole number: an integer, a real without fraction or a text of digits.
    /// Throws ConversionError "`what`为空" for NULL or empty text, "`what`“…”不是数字" for other
    /// texts and "`what` 3.5 不是整数" for a fraction.
    std::int64_t wholeNumber(int col, const std::string& what) const;
    std::string text(int col) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

/// A transaction that rolls back unless committed: a write transaction takes the write lock at
/// once ("begin immediate"); a read transaction gives its reads one consistent view of the file.
class Transaction {
public:
    enum class Kind { Write, Read };
    explicit Transaction(Database& db, Kind kind = Kind::Write);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& db_;
    bool open_ = true;
};

/// Quotes a table or column name for SQL text ("name" with inner quotes doubled).
std::string quoteIdentifier(std::string_view name);

} // namespace quorlin

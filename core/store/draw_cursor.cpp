#include "store/draw_cursor.h"

#include "common/text_encoding.h"
#include "common/text_file.h"
#include "store/database.h"
#include "store/schema.h"

#include <algorithm>

namespace quorlin {

void verifyDrawTable(Database& db, const std::string& lottery, int numberCount)
{
    const std::string table = drawTableName(lottery);
    const std::vector<std::string> columns = db.columnNames(table);
    if (columns.empty())
        throw DatabaseError("找不到彩票“" + lottery + "”的号码表 " + table);
    std::vector<std::string> wanted{"记录期号"};
    for (int i = 1; i <= numberCount; ++i)
        wanted.push_back(std::to_string(i));
    wanted.emplace_back("开奖日期");
    for (const std::string& name : wanted) {
        if (std::find(columns.begin(), columns.end(), name) == columns.end())
            throw DatabaseError("号码表 " + table + " 缺少列“" + name + "”");
    }
}

namespace {

// A 期号 is read as a 32-bit integer, so it has at most nine digits.
constexpr std::size_t kMaxIssueDigits = 9;

std::string readIssue(const Statement& st)
{
    if (st.isNull(0))
        throw ConversionError("号码表中有一期的期号为空");
    std::string issue = st.text(0);
    if (!isAllDigits(issue))
        throw ConversionError("号码表中的期号" + quotedExcerpt(issue) + "不是数字");
    if (issue.size() > kMaxIssueDigits)
        throw ConversionError("号码表中的期号" + quotedExcerpt(issue) + "太长，最多 " +
                              std::to_string(kMaxIssueDigits) + " 位数字");
    return issue;
}

int readNumber(const Statement& st, const std::string& issue, int k, int limit)
{
    const std::string what = "第 " + issue + " 期第 " + std::to_string(k) + " 列的号码";
    const std::int64_t n = st.wholeNumber(k, what);
    if (n < 1 || n > limit)
        throw DatabaseError(what + " " + std::to_string(n) + " 超出范围 1-" + std::to_string(limit));
    return static_cast<int>(n);
}

} // namespace

void DrawCursor::open(Database& db, const std::string& lottery, std::span<const int> numberLimits, int newest)
{
    close();
    const int numberCount = static_cast<int>(numberLimits.size());
    verifyDrawTable(db, lottery, numberCount);
    std::string columns = "记录期号";
    for (int i = 1; i <= numberCount; ++i)
        columns += ",[" + std::to_string(i) + "]";
    columns += ",开奖日期";
    const std::string sql = "select " + columns + " from (select " + columns + " from " +
                            quoteIdentifier(drawTableName(lottery)) + " order by 记录期号 desc limit " +
                            std::to_string(newest) + ") order by 记录期号";

    // Count first so the number block is sized once; the count and the rows are read in one
    // transaction, so a draw another program adds meanwhile cannot make them disagree.
    Transaction snapshot(db, Transaction::Kind::Read);
    readRows(db, sql, numberLimits);
    snapshot.commit();
    active_ = true;
    pos_ = 0;
}

void DrawCursor::readRows(Database& db, const std::string& sql, std::span<const int> numberLimits)
{
    const auto numberCount = numberLimits.size();
    Statement count(db, "select count(*) from (" + sql + ")");
    count.step();
    const auto rows = static_cast<std::size_t>(count.integer(0));
    issues_.reserve(rows);
    dates_.reserve(rows);
    numbers_.resize(rows, numberCount);

    Statement st(db, sql);
    std::size_t r = 0;
    while (r < rows && st.step()) {
        issues_.push_back(readIssue(st));
        for (std::size_t k = 1; k <= numberCount; ++k)
            numbers_.at(r, k - 1) = readNumber(st, issues_.back(), static_cast<int>(k), numberLimits[k - 1]);
        dates_.push_back(st.text(static_cast<int>(numberCount) + 1));
        ++r;
    }
}

void DrawCursor::close()
{
    active_ = false;
    pos_ = 0;
    issues_.clear();
    dates_.clear();
    numbers_.resize(0, 0);
}

} // namespace quorlin

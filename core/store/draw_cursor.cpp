#include "store/draw_cursor.h"

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

void DrawCursor::open(Database& db, const std::string& lottery, int numberCount)
{
    close();
    verifyDrawTable(db, lottery, numberCount);
    std::string sql = "select 记录期号";
    for (int i = 1; i <= numberCount; ++i)
        sql += ",[" + std::to_string(i) + "]";
    sql += ",开奖日期 from " + quoteIdentifier(drawTableName(lottery)) + " order by 记录期号";

    // Count first so the number block is sized once.
    Statement count(db, "select count(*) from " + quoteIdentifier(drawTableName(lottery)));
    count.step();
    const auto rows = static_cast<std::size_t>(count.integer(0));
    issues_.reserve(rows);
    dates_.reserve(rows);
    numbers_.resize(rows, static_cast<std::size_t>(numberCount));

    Statement st(db, sql);
    std::size_t r = 0;
    while (st.step() && r < rows) {
        issues_.push_back(st.text(0));
        for (int k = 1; k <= numberCount; ++k) {
            if (st.isNull(k))
                throw DatabaseError("第 " + issues_.back() + " 期的第 " + std::to_string(k) + " 个号码为空");
            numbers_.at(r, static_cast<std::size_t>(k - 1)) = static_cast<int>(st.integer(k));
        }
        dates_.push_back(st.text(numberCount + 1));
        ++r;
    }
    active_ = true;
    pos_ = 0;
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

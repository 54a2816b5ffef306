#include "store/lottery_catalog.h"

#include "store/database.h"

#include <cstdint>
#include <limits>

namespace quorlin {

std::vector<std::string> listlotteries(Database& db)
{
    const std::string suffix = kDrawTableSuffix;
    std::vector<std::string> lotteries;
    for (const std::string& table : db.tableNames()) {
        if (table.size() >= suffix.size() && table.ends_with(suffix))
            lotteries.push_back(table.substr(0, table.size() - suffix.size()));
    }
    return lotteries;
}

namespace {

// A definition number as the program keeps it (32 bits); anything else in the column is refused
// rather than read as some other number.
int definitionNumber(const Statement& st, int col, const std::string& what)
{
    const std::int64_t value = st.wholeNumber(col, what);
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw ConversionError(what + " " + std::to_string(value) + " 超出范围");
    return static_cast<int>(value);
}

} // namespace

LotteryDefinition readDefinition(Database& db, const std::string& lottery)
{
    const std::string table = definitionTableName(lottery);
    if (!db.hasTable(table))
        throw DatabaseError("找不到彩票“" + lottery + "”的选项表 " + table);
    Statement st(db, "select 彩票名称,彩票类型,号码总数,选择号码数,开奖时间,开奖星期 from " + quoteIdentifier(table) +
                         " limit 1");
    if (!st.step())
        throw DatabaseError("彩票“" + lottery + "”的选项表是空的");
    const std::string of = "彩票“" + lottery + "”的";
    LotteryDefinition def;
    def.name = st.text(0);
    def.type = definitionNumber(st, 1, of + "彩票类型");
    // The two counts only describe the lottery; an empty one reads as 0.
    def.numberTotal = st.isNull(2) ? 0 : definitionNumber(st, 2, of + "号码总数");
    def.numberCount = st.isNull(3) ? 0 : definitionNumber(st, 3, of + "选择号码数");
    def.drawTime = st.text(4);
    def.drawWeekdays = st.text(5);
    return def;
}

std::int64_t countDraws(Database& db, const std::string& lottery)
{
    const std::string table = drawTableName(lottery);
    if (!db.hasTable(table))
        throw DatabaseError("找不到彩票“" + lottery + "”的号码表 " + table);
    Statement count(db, "select count(*) from " + quoteIdentifier(table));
    count.step();
    return count.integer(0);
}

} // namespace quorlin

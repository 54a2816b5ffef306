#include "store/lottery_catalog.h"

#include "store/database.h"

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

LotteryDefinition readDefinition(Database& db, const std::string& lottery)
{
    const std::string table = definitionTableName(lottery);
    if (!db.hasTable(table))
        throw DatabaseError("找不到彩票“" + lottery + "”的选项表 " + table);
    Statement st(db, "select 彩票名称,彩票类型,号码总数,选择号码数,开奖时间,开奖星期 from " + quoteIdentifier(table) +
                         " limit 1");
    if (!st.step())
        throw DatabaseError("彩票“" + lottery + "”的选项表是空的");
    if (st.isNull(1) || st.text(1).empty())
        throw DatabaseError("彩票“" + lottery + "”的彩票类型为空");
    LotteryDefinition def;
    def.name = st.text(0);
    def.type = static_cast<int>(st.integer(1));
    def.numberTotal = static_cast<int>(st.integer(2));
    def.numberCount = static_cast<int>(st.integer(3));
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

#include "store/schema.h"

#include "store/database.h"

namespace quorlin {

std::string drawTableName(const std::string& lottery)
{
    return lottery + kDrawTableSuffix;
}

std::string definitionTableName(const std::string& lottery)
{
    return lottery + kDefinitionTableSuffix;
}

std::string drawTableStatement(const std::string& lottery, int numberCount)
{
    std::string sql = "create table " + quoteIdentifier(drawTableName(lottery)) + "(记录期号 varchar(7),";
    for (int i = 1; i <= numberCount; ++i)
        sql += quoteIdentifier(std::to_string(i)) + " integer,";
    sql += "开奖日期 varchar(10))";
    return sql;
}

std::string definitionTableStatement(const std::string& lottery)
{
    return "create table " + quoteIdentifier(definitionTableName(lottery)) +
           "(彩票名称 varchar(20),彩票类型 Integer,号码总数 integer,选择号码数 integer,开奖时间 varchar(10),"
           "开奖星期 varchar(7))";
}

void createLottery(Database& db, const LotteryDefinition& definition)
{
    if (std::string refused = refusedLotteryName(definition.name); !refused.empty())
        throw DatabaseError(refused);
    Transaction tx(db);
    db.exec(drawTableStatement(definition.name, definition.numberCount));
    db.exec(definitionTableStatement(definition.name));
    Statement insert(db, "insert into " + quoteIdentifier(definitionTableName(definition.name)) +
                             "(彩票名称,彩票类型,号码总数,选择号码数,开奖时间,开奖星期) values (?1,?2,?3,?4,?5,?6)");
    insert.bind(1, definition.name)
        .bind(2, definition.type)
        .bind(3, definition.numberTotal)
        .bind(4, definition.numberCount)
        .bind(5, definition.drawTime)
        .bind(6, definition.drawWeekdays);
    insert.step();
    tx.commit();
}

std::string refusedLotteryName(const std::string& name)
{
    if (name.empty())
        return "彩票名称不能为空";
    if (name.find('/') != std::string::npos || name.find("..") != std::string::npos)
        return "彩票名称“" + name + "”不能含有“/”或“..”";
    return {};
}

std::string lotteryFileName(const std::string& lottery, const std::string& suffix)
{
    std::string name;
    for (std::size_t i = 0; i < lottery.size(); ++i) {
        if (lottery[i] == '/') {
            name += '_';
        } else if (lottery.compare(i, 2, "..") == 0) {
            name += "__";
            ++i;
        } else {
            name += lottery[i];
        }
    }
    name += suffix;
    return name == "." || name.empty() ? "_" + name : name;
}

LotteryDefinition shippedLotteryDefinition()
{
    return LotteryDefinition{kShippedLottery, 0, 35, 7, "21:25", "136"};
}

} // namespace quorlin

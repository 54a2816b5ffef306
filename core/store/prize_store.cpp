#include "store/prize_store.h"

#include "common/calendar.h"
#include "common/text_file.h"
#include "common/yuan_amount.h"
#include "store/database.h"
#include "store/schema.h"

#include <unordered_map>

namespace quorlin {

namespace {

constexpr const char* kPrizeTableSuffix = "奖级结果表";
constexpr const char* kPoolSalesTableSuffix = "销售奖池表";

// A stored 记录期号 as the key of PrizeResults; a hostile database may hold anything there.
int storedIssue(const std::string& text, const std::string& table)
{
    if (text.size() != 7 || !isAllDigits(text))
        throw ConversionError(table + " 中的记录期号“" + text + "”不是 7 位数字的期号");
    return std::stoi(text);
}

std::optional<std::int64_t> optionalInteger(const Statement& st, int col, const std::string& what)
{
    if (st.isNull(col))
        return std::nullopt;
    return st.wholeNumber(col, what);
}

void bindOptional(Statement& st, int index, const std::optional<std::int64_t>& value)
{
    if (value)
        st.bind(index, *value);
    else
        st.bindNull(index);
}

// The draw dates of the draw table, written YYYY-MM-DD whatever form they are stored in.
std::unordered_map<std::string, std::string> drawDates(Database& db, const std::string& lottery)
{
    std::unordered_map<std::string, std::string> dates;
    const std::string table = drawTableName(lottery);
    if (!db.hasTable(table))
        return dates;
    Statement st(db, "select 记录期号,开奖日期 from " + quoteIdentifier(table));
    while (st.step()) {
        if (std::string date = canonicalDateText(st.text(1)); !date.empty())
            dates.try_emplace(st.text(0), std::move(date));
    }
    return dates;
}

std::string prizeText(const PublishedPrize& p)
{
    return p.level + " " + std::to_string(p.winners) + " 注 " + (p.amount ? yuanText(*p.amount) + " 元" : "未公布");
}

// Why the published lines differ from the stored ones, naming the first line that does.
std::string prizeConflict(const std::string& issue, const std::vector<PublishedPrize>& stored,
                          const std::vector<PublishedPrize>& given)
{
    const std::string head = "期号 " + issue + " 的奖级结果已存为";
    for (std::size_t i = 0; i < stored.size() || i < given.size(); ++i) {
        if (i < stored.size() && i < given.size() && stored[i] == given[i])
            continue;
        if (i >= given.size())
            return head + "第 " + std::to_string(i + 1) + " 项 " + prizeText(stored[i]) + "，新的结果没有这一项";
        if (i >= stored.size())
            return head + " " + std::to_string(stored.size()) + " 项，新的结果多出 " + prizeText(given[i]);
        return head + "第 " + std::to_string(i + 1) + " 项 " + prizeText(stored[i]) + "，新的结果却是 " +
               prizeText(given[i]);
    }
    return {};
}

std::string moneyConflict(const std::string& issue, const char* what, std::int64_t stored, std::int64_t given)
{
    return "期号 " + issue + " 的" + what + "已存为 " + yuanText(stored) + " 元，新的结果却是 " + yuanText(given) +
           " 元";
}

} // namespace

std::string prizeTableName(const std::string& lottery)
{
    return lottery + kPrizeTableSuffix;
}

std::string poolSalesTableName(const std::string& lottery)
{
    return lottery + kPoolSalesTableSuffix;
}

bool hasPrizeTables(Database& db, const std::string& lottery)
{
    return db.hasTable(prizeTableName(lottery)) && db.hasTable(poolSalesTableName(lottery));
}

void createPrizeTables(Database& db, const std::string& lottery)
{
    db.exec("create table if not exists " + quoteIdentifier(prizeTableName(lottery)) +
            "(记录期号 varchar(7),序号 integer,奖级 varchar(20),中奖注数 integer,单注奖金分 integer,"
            "primary key(记录期号,序号)) without rowid");
    db.exec("create table if not exists " + quoteIdentifier(poolSalesTableName(lottery)) +
            "(记录期号 varchar(7) primary key,销售额分 integer,奖池分 integer) without rowid");
}

PrizeResults readPrizeResults(Database& db, const std::string& lottery)
{
    PrizeResults results;
    const std::string prizeTable = prizeTableName(lottery);
    const std::string poolTable = poolSalesTableName(lottery);
    const bool hasPrizes = db.hasTable(prizeTable);
    const bool hasPool = db.hasTable(poolTable);
    if (!hasPrizes && !hasPool)
        return results;
    const auto dates = drawDates(db, lottery);
    // The rows of one draw come together, so the draw of the row before is looked up once.
    DrawResults* last = nullptr;
    auto draw = [&](const std::string& issueText, const std::string& table) -> DrawResults& {
        if (last && last->issue == issueText)
            return *last;
        auto [it, isNew] = results.draws.try_emplace(storedIssue(issueText, table));
        if (isNew) {
            it->second.issue = issueText;
            if (const auto date = dates.find(issueText); date != dates.end())
                it->second.date = date->second;
        }
        last = &it->second;
        return it->second;
    };
    if (hasPrizes) {
        const std::string winners = prizeTable + " 中的中奖注数";
        const std::string amount = prizeTable + " 中的单注奖金分";
        Statement st(db, "select 记录期号,奖级,中奖注数,单注奖金分 from " + quoteIdentifier(prizeTable) +
                             " order by 记录期号,序号");
        while (st.step()) {
            DrawResults& d = draw(st.text(0), prizeTable);
            PublishedPrize& prize = d.prizes.emplace_back();
            prize.level = st.text(1);
            prize.winners = st.wholeNumber(2, winners);
            prize.amount = optionalInteger(st, 3, amount);
        }
    }
    if (hasPool) {
        const std::string sales = poolTable + " 中的销售额分";
        const std::string pool = poolTable + " 中的奖池分";
        Statement st(db, "select 记录期号,销售额分,奖池分 from " + quoteIdentifier(poolTable));
        while (st.step()) {
            const auto storedSales = optionalInteger(st, 1, sales);
            const auto storedPool = optionalInteger(st, 2, pool);
            if (!storedSales && !storedPool)
                continue;
            DrawResults& d = draw(st.text(0), poolTable);
            d.sales = storedSales;
            d.pool = storedPool;
        }
    }
    return results;
}

ResultsMerge mergeDrawResults(Database& db, const std::string& lottery, const DrawResults& results)
{
    ResultsMerge merge;
    const std::string& issue = results.issue;
    const std::string prizeTable = quoteIdentifier(prizeTableName(lottery));
    const std::string poolTable = quoteIdentifier(poolSalesTableName(lottery));

    std::vector<PublishedPrize> stored;
    {
        Statement st(db, "select 奖级,中奖注数,单注奖金分 from " + prizeTable + " where 记录期号 = ?1 order by 序号");
        st.bind(1, issue);
        const std::string of = prizeTableName(lottery) + " 中的";
        while (st.step())
            stored.push_back(PublishedPrize{st.text(0), st.wholeNumber(1, of + "中奖注数"),
                                            optionalInteger(st, 2, of + "单注奖金分")});
    }
    if (!stored.empty() && !results.prizes.empty() && stored != results.prizes) {
        merge.conflict = prizeConflict(issue, stored, results.prizes);
        return merge;
    }
    const bool addPrizes = stored.empty() && !results.prizes.empty();

    bool hasPoolRow = false;
    std::optional<std::int64_t> storedSales;
    std::optional<std::int64_t> storedPool;
    {
        Statement st(db, "select 销售额分,奖池分 from " + poolTable + " where 记录期号 = ?1");
        st.bind(1, issue);
        if (st.step()) {
            hasPoolRow = true;
            const std::string of = poolSalesTableName(lottery) + " 中的";
            storedSales = optionalInteger(st, 0, of + "销售额分");
            storedPool = optionalInteger(st, 1, of + "奖池分");
        }
    }
    if (results.sales && storedSales && *results.sales != *storedSales) {
        merge.conflict = moneyConflict(issue, "销售额", *storedSales, *results.sales);
        return merge;
    }
    if (results.pool && storedPool && *results.pool != *storedPool) {
        merge.conflict = moneyConflict(issue, "奖池", *storedPool, *results.pool);
        return merge;
    }
    const auto sales = storedSales ? storedSales : results.sales;
    const auto pool = storedPool ? storedPool : results.pool;
    const bool addMoney = sales != storedSales || pool != storedPool;

    if (addPrizes) {
        Statement insert(db, "insert into " + prizeTable +
                                 "(记录期号,序号,奖级,中奖注数,单注奖金分) values (?1,?2,?3,?4,?5)");
        std::int64_t order = 0;
        for (const PublishedPrize& prize : results.prizes) {
            insert.reset();
            insert.bind(1, issue).bind(2, ++order).bind(3, prize.level).bind(4, prize.winners);
            bindOptional(insert, 5, prize.amount);
            insert.step();
        }
    }
    if (addMoney) {
        Statement write(db, hasPoolRow ? "update " + poolTable + " set 销售额分 = ?2, 奖池分 = ?3 where 记录期号 = ?1"
                                       : "insert into " + poolTable + "(记录期号,销售额分,奖池分) values (?1,?2,?3)");
        write.bind(1, issue);
        bindOptional(write, 2, sales);
        bindOptional(write, 3, pool);
        write.step();
    }
    merge.added = addPrizes || addMoney;
    return merge;
}

} // namespace quorlin

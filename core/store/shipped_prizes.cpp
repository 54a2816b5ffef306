#include "store/shipped_prizes.h"

#include "store/database.h"
#include "store/draw_line_parser.h"
#include "store/prize_results_csv.h"
#include "store/prize_store.h"
#include "store/schema.h"

#include <sqlite3.h>

#include <filesystem>
#include <optional>
#include <unordered_map>

namespace quorlin {

namespace {

// A shipped copy's draws; none when the file is missing.
std::vector<CsvDrawResults> shippedCopy(const std::string& path,
                                        std::optional<std::vector<CsvDrawResults>> (*read)(const std::string&,
                                                                                           std::string&))
{
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::u8path(path), ec))
        return {};
    std::string error;
    std::optional<std::vector<CsvDrawResults>> draws = read(path, error);
    if (!draws)
        throw DatabaseError("程序附带的开奖结果无法读取：" + error);
    return std::move(*draws);
}

// The results of the shipped copies for the draws the lottery stores with the same day.
std::vector<DrawResults> shippedResultsOfStoredDraws(Database& db, const std::string& lottery,
                                                     const std::string& apppath)
{
    const std::string prizesPath = apppath + kShippedPrizesRelativePath;
    const std::string poolSalesPath = apppath + kShippedPoolSalesRelativePath;
    const std::vector<CsvDrawResults> prizes = shippedCopy(prizesPath, readPrizesCsv);
    const std::vector<CsvDrawResults> poolSales = shippedCopy(poolSalesPath, readPoolSalesCsv);
    std::string error;
    std::optional<PrizeResults> shipped = combineCsvResults(prizes, poolSales, poolSalesPath, error);
    if (!shipped)
        throw DatabaseError("程序附带的开奖结果无法读取：" + error);

    std::unordered_map<std::string, std::int32_t> storedDays;
    Statement st(db, "select 记录期号,开奖日期 from " + quoteIdentifier(drawTableName(lottery)));
    while (st.step()) {
        std::int32_t day = 0;
        if (parseDrawDate(st.text(1), day))
            storedDays.try_emplace(st.text(0), day);
    }
    std::vector<DrawResults> results;
    for (auto& [number, draw] : shipped->draws) {
        const auto stored = storedDays.find(draw.issue);
        std::int32_t day = 0;
        if (stored != storedDays.end() && parseDrawDate(draw.date, day) && day == stored->second)
            results.push_back(std::move(draw));
    }
    return results;
}

// A write refused because the file or its folder cannot be written, or another program is writing.
bool refusedWrite(Database& db)
{
    const int primary = sqlite3_extended_errcode(db.handle()) & 0xff;
    return primary == SQLITE_READONLY || primary == SQLITE_CANTOPEN || primary == SQLITE_PERM ||
           primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

// The tables are added when the file is free; opening does not wait for another program's write.
class NoWaitForLocks {
public:
    explicit NoWaitForLocks(Database& db) : db_(db) { sqlite3_busy_timeout(db_.handle(), 0); }
    ~NoWaitForLocks() { sqlite3_busy_timeout(db_.handle(), Database::kBusyTimeoutMs); }
    NoWaitForLocks(const NoWaitForLocks&) = delete;
    NoWaitForLocks& operator=(const NoWaitForLocks&) = delete;

private:
    Database& db_;
};

} // namespace

bool addPrizeTables(Database& db, const std::string& lottery, const std::string& apppath)
{
    if (hasPrizeTables(db, lottery))
        return true;
    if (!db.hasTable(drawTableName(lottery)))
        throw DatabaseError("找不到彩票“" + lottery + "”的号码表 " + drawTableName(lottery));
    if (db.readOnly())
        return false;
    const std::vector<DrawResults> results =
        lottery == kShippedLottery ? shippedResultsOfStoredDraws(db, lottery, apppath) : std::vector<DrawResults>();
    const NoWaitForLocks noWait(db);
    // Declared outside the try, so that the error is read before the rollback.
    std::optional<Transaction> tx;
    try {
        tx.emplace(db);
        createPrizeTables(db, lottery);
        for (const DrawResults& draw : results)
            mergeDrawResults(db, lottery, draw);
        tx->commit();
    } catch (const DatabaseError&) {
        if (refusedWrite(db))
            return false;
        throw;
    }
    return true;
}

} // namespace quorlin

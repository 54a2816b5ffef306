#include "store/prize_import.h"

#include "store/database.h"
#include "store/draw_line_parser.h"
#include "store/prize_results_csv.h"
#include "store/prize_store.h"
#include "store/schema.h"

#include <unordered_map>

namespace quorlin {

namespace {

PrizeImportResult refusal(const std::string& reason)
{
    PrizeImportResult result;
    result.error = reason + "。未导入任何结果。";
    return result;
}

std::string lineRefusal(const std::string& file, std::size_t line, const std::string& reason)
{
    return "文件 " + file + " 第 " + std::to_string(line) + " 行：" + reason;
}

/// One import: the stored draw dates, the transaction and the counts while the draws are stored.
class PrizeImporter {
public:
    PrizeImporter(Database& db, const std::string& lottery) : db_(db), lottery_(lottery), tx_(db)
    {
        createPrizeTables(db_, lottery_);
        Statement st(db_, "select 记录期号,开奖日期 from " + quoteIdentifier(drawTableName(lottery_)));
        while (st.step())
            storedDates_.try_emplace(st.text(0), st.text(1));
    }

    /// Stores one draw of `file`; returns why the import is refused, or an empty text.
    std::string store(const CsvDrawResults& draw, const std::string& file, std::size_t rows)
    {
        const DrawResults& results = draw.results;
        if (const auto stored = storedDates_.find(results.issue);
            stored != storedDates_.end() && !results.date.empty()) {
            std::int32_t storedDay = 0;
            std::int32_t day = 0;
            if (!parseDrawDate(stored->second, storedDay) || !parseDrawDate(results.date, day) || storedDay != day)
                return lineRefusal(file, draw.line,
                                   "期号 " + results.issue + " 已存为 " + stored->second + " 开奖，文件中却是 " +
                                       results.date);
        }
        const ResultsMerge merge = mergeDrawResults(db_, lottery_, results);
        if (!merge.conflict.empty())
            return lineRefusal(file, draw.line, merge.conflict);
        if (!merge.added)
            skipped_ += static_cast<int>(rows);
        else if (results.prizes.empty())
            ++poolSales_;
        else
            prizeLines_ += static_cast<int>(rows);
        return {};
    }

    PrizeImportResult finish()
    {
        tx_.commit();
        return PrizeImportResult{true, prizeLines_, poolSales_, skipped_, {}};
    }

private:
    Database& db_;
    std::string lottery_;
    Transaction tx_;
    std::unordered_map<std::string, std::string> storedDates_;
    int prizeLines_ = 0;
    int poolSales_ = 0;
    int skipped_ = 0;
};

} // namespace

PrizeImportResult importPrizeResults(Database& db, const std::string& lottery, const std::string& prizesPath,
                                     const std::string& poolSalesPath)
{
    std::string error;
    const auto prizes = readPrizesCsv(prizesPath, error);
    if (!prizes)
        return refusal(error);
    if (prizes->empty())
        return refusal("文件 " + prizesPath + " 中没有奖级结果（只有标题行）");
    std::vector<CsvDrawResults> poolSales;
    if (!poolSalesPath.empty()) {
        auto read = readPoolSalesCsv(poolSalesPath, error);
        if (!read)
            return refusal(error);
        poolSales = std::move(*read);
    }
    // Both files dating one draw differently are refused even for a draw not stored.
    if (!combineCsvResults(*prizes, poolSales, poolSalesPath, error))
        return refusal(error);
    try {
        if (!db.hasTable(drawTableName(lottery)))
            return refusal("找不到彩票“" + lottery + "”的号码表 " + drawTableName(lottery));
        PrizeImporter importer(db, lottery);
        for (const CsvDrawResults& draw : *prizes) {
            if (std::string refused = importer.store(draw, prizesPath, draw.results.prizes.size()); !refused.empty())
                return refusal(refused);
        }
        for (const CsvDrawResults& draw : poolSales) {
            if (std::string refused = importer.store(draw, poolSalesPath, 1); !refused.empty())
                return refusal(refused);
        }
        return importer.finish();
    } catch (const DatabaseError& e) {
        return refusal(e.what());
    }
}

} // namespace quorlin

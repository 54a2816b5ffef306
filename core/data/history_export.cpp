#include "data/history_export.h"

#include "common/text_writer.h"
#include "store/database.h"
#include "store/draw_cursor.h"
#include "store/schema.h"

#include <vector>

namespace quorlin {

std::string historyLine(std::span<const std::int64_t> values)
{
    std::string line;
    for (const std::int64_t value : values) {
        if (value < 10)
            line += '0';
        line += std::to_string(value);
        line += ' ';
    }
    return line;
}

HistoryExportResult exportHistory(Database& db, const std::string& lottery, const std::string& path)
{
    try {
        // At least 记录期号, one number and 开奖日期.
        verifyDrawTable(db, lottery, 1);
        const std::string table = drawTableName(lottery);
        std::vector<std::string> columns = db.columnNames(table);
        // The last column is the draw date, which the export leaves out.
        columns.pop_back();
        std::string sql = "select ";
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i)
                sql += ',';
            sql += quoteIdentifier(columns[i]);
        }
        sql += " from " + quoteIdentifier(table) + " order by 记录期号";

        TextWriter writer(path);
        Statement st(db, sql);
        std::vector<std::int64_t> values(columns.size());
        int lines = 0;
        while (st.step()) {
            const std::string issue = st.text(0);
            values[0] = st.wholeNumber(0, "期号");
            for (std::size_t i = 1; i < columns.size(); ++i)
                values[i] = st.wholeNumber(static_cast<int>(i), "第 " + issue + " 期第 " + columns[i] + " 列的号码");
            if (!writer.writeLine(historyLine(values)))
                break;
            ++lines;
        }
        if (!writer.commit())
            return {false, 0, writer.error()};
        return {true, lines, {}};
    } catch (const DatabaseError& e) {
        return {false, 0, e.what()};
    }
}

} // namespace quorlin

#include "export/table_export.h"

#include "export/xlsx_workbook.h"

namespace quorlin {

bool writeXlsx(const ExportTable& table, const std::string& path, std::string& error)
{
    if (table.rows.size() >= kWorksheetRows) {
        error = "表格行数超过 Excel 工作表的 " + std::to_string(kWorksheetRows - 1) + " 行，请导出为 CSV 文件";
        return false;
    }
    XlsxWorkbook book(path, table.title);
    book.setWidths(fittedWidths(table.headers, table.rows));
    book.writeHeader(table.headers);
    for (std::size_t r = 0; r < table.rows.size() && !book.failed(); ++r) {
        const auto& row = table.rows[r];
        for (std::size_t c = 0; c < row.size(); ++c)
            book.writeCell(static_cast<std::uint32_t>(r + 1), static_cast<std::uint16_t>(c), row[c]);
    }
    if (!book.commit()) {
        error = book.error();
        return false;
    }
    return true;
}

} // namespace quorlin

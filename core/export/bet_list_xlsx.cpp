#include "export/bet_list_xlsx.h"

#include "common/progress.h"
#include "export/bet_csv_writer.h"
#include "export/table_export.h"
#include "export/xlsx_workbook.h"
#include "filter/bet_list.h"

namespace quorlin {

namespace {

constexpr std::size_t kProgressBets = 1 << 14;

} // namespace

bool writeBetListXlsx(const BetList& list, const std::string& path, Progress* progress, std::string& error)
{
    const std::size_t total = list.size();
    if (total >= kWorksheetRows) {
        error = "投注号码超过 Excel 工作表的 " + std::to_string(kWorksheetRows - 1) + " 行，请导出为 CSV 文件";
        return false;
    }
    const int frontWidth = list.frontWidth();
    const int backWidth = list.hasBack() ? list.backWidth() : 0;
    const std::vector<std::string> headers = betColumnHeaders(frontWidth, backWidth);
    XlsxWorkbook book(path, "投注号码");
    book.setWidths(fittedWidths(headers, {}));
    book.writeHeader(headers);
    const auto fw = static_cast<std::size_t>(frontWidth);
    const auto bw = static_cast<std::size_t>(list.backWidth());
    for (std::size_t i = 0; i < total && !book.failed(); ++i) {
        if (progress && i % kProgressBets == 0) {
            if (progress->cancelled()) {
                error = "已停止";
                return false;
            }
            progress->report(static_cast<std::int64_t>(i), static_cast<std::int64_t>(total));
        }
        const auto [front, back] = list.lineParts(i);
        const auto row = static_cast<std::uint32_t>(i + 1);
        for (std::size_t k = 0; k < fw; ++k)
            book.writeNumber(row, static_cast<std::uint16_t>(k), list.frontData()[front * fw + k]);
        if (backWidth > 0 && back != BetList::kNoBack)
            for (std::size_t k = 0; k < bw; ++k)
                book.writeNumber(row, static_cast<std::uint16_t>(fw + k), list.backData()[back * bw + k]);
    }
    if (!book.commit()) {
        error = book.error();
        return false;
    }
    if (progress)
        progress->report(static_cast<std::int64_t>(total), static_cast<std::int64_t>(total));
    return true;
}

} // namespace quorlin

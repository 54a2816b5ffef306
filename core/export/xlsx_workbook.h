#pragma once

#include "common/scratch_file.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace quorlin {

struct CellValue;

/// One .xlsx workbook of one sheet, written row by row (rows in order: the sheet is kept on disk,
/// not in memory). The workbook is assembled in a ScratchFile beside the target, which replaces
/// the target only in commit(): a failure anywhere leaves the old file, and a killed process
/// leaves no file behind. The target passes userSaveTarget. The first failure is kept; later
/// calls do nothing.
class XlsxWorkbook {
public:
    XlsxWorkbook(std::string path, std::string_view title);
    ~XlsxWorkbook();
    XlsxWorkbook(const XlsxWorkbook&) = delete;
    XlsxWorkbook& operator=(const XlsxWorkbook&) = delete;

    /// Column widths (in characters); call before the first row.
    void setWidths(const std::vector<int>& widths);
    /// Row 0: bold, frozen so it stays in view while scrolling.
    void writeHeader(const std::vector<std::string>& headers);
    /// A cell typed by cellValue(): number, date or text. Rows count from 1 below the header.
    void writeCell(std::uint32_t row, std::uint16_t column, std::string_view text);
    void writeNumber(std::uint32_t row, std::uint16_t column, double number);

    /// Closes the workbook and puts it in place of the target; false with error() set on failure.
    bool commit();
    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }
    void fail(std::string message);

private:
    lxw_format* numberFormat(const std::string& code);
    lxw_format* shownAsWritten(const CellValue& value);
    void check(int result, std::uint32_t row, std::uint16_t column);

    std::string path_;
    std::optional<ScratchFile> scratch_; ///< the workbook as the library writes it
    lxw_workbook* workbook_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* bold_ = nullptr;
    lxw_format* dashDate_ = nullptr;
    lxw_format* slashDate_ = nullptr;
    std::map<std::string, lxw_format*> numberFormats_;
    std::string error_;
};

/// The name a sheet may carry: `title` without []:*?/\ and outer apostrophes, cut to 31 characters.
std::string sheetName(std::string_view title);

/// Column widths that fit the longest cell of each column, header included.
std::vector<int> fittedWidths(const std::vector<std::string>& headers,
                              const std::vector<std::vector<std::string>>& rows);

} // namespace quorlin

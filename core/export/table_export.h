#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

class Progress;

/// A table as it leaves the program: a header row and rows of text cells, exactly as shown or
/// printed. Writers decide per cell what it holds: a cell that reads wholly as a number
/// ("12", "-3", "66.2", "27.5%" is not) is stored as a number, one that reads as a date
/// ("2026-10-10", "2026/10/10") as a date, anything else as text.
struct ExportTable {
    std::string title; ///< the sheet's name in a workbook (cut to what the format allows)
    std::vector<std::string> headers;
    std::vector<std::vector<std::string>> rows;
};

/// The most rows a worksheet holds, its header included.
inline constexpr std::uint32_t kWorksheetRows = 1'048'576;

/// Writes the table as CSV: UTF-8 with a byte-order mark (so spreadsheet programs read Chinese
/// text right), CR LF, fields with a comma, quote or line break quoted and quotes doubled. Through
/// a scratch file that replaces `path` only when complete. False with `error` set on failure.
bool writeCsv(const ExportTable& table, const std::string& path, std::string& error);

/// Writes the table as an .xlsx workbook (one sheet) with a bold frozen header row, numbers as
/// numbers, dates as dates and column widths fitted to the content. Refused (false, `error`
/// saying so) when the rows do not fit a worksheet. Through a scratch file as writeCsv.
bool writeXlsx(const ExportTable& table, const std::string& path, std::string& error);

/// Reads tab-separated lines (a command's printed table: the first line its header) as a table.
ExportTable tableFromTabText(const std::string& text, const std::string& title);

} // namespace quorlin

#include "export/xlsx_workbook.h"

#include "common/save_target.h"
#include "common/scratch_file.h"
#include "export/cell_value.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quorlin {

namespace {

constexpr std::size_t kSheetNameChars = 31;
constexpr int kWidestColumn = 80;

std::string systemError()
{
    return std::strerror(errno);
}

} // namespace

std::string sheetName(std::string_view title)
{
    std::string name;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < title.size() && chars < kSheetNameChars;) {
        const auto lead = static_cast<unsigned char>(title[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string_view ch = title.substr(i, length);
        i += length;
        if (ch.size() == 1 && std::strchr("[]:*?/\\", ch[0]))
            continue;
        // A character beyond the basic plane takes two of the 31 places Excel counts.
        const std::size_t places = length == 4 ? 2 : 1;
        if (chars + places > kSheetNameChars)
            break;
        name += ch;
        chars += places;
    }
    while (!name.empty() && name.front() == '\'')
        name.erase(0, 1);
    while (!name.empty() && name.back() == '\'')
        name.pop_back();
    return name.empty() ? "Sheet1" : name;
}

std::vector<int> fittedWidths(const std::vector<std::string>& headers,
                              const std::vector<std::vector<std::string>>& rows)
{
    std::vector<int> widths(headers.size(), 0);
    const auto widen = [&widths](const std::vector<std::string>& cells) {
        if (widths.size() < cells.size())
            widths.resize(cells.size(), 0);
        for (std::size_t c = 0; c < cells.size(); ++c)
            widths[c] = std::max(widths[c], displayWidth(cells[c]));
    };
    widen(headers);
    for (const auto& row : rows)
        widen(row);
    for (int& w : widths)
        w = std::min(w + 2, kWidestColumn);
    return widths;
}

XlsxWorkbook::XlsxWorkbook(std::string path, std::string_view title) : path_(std::move(path))
{
    SaveTarget target = userSaveTarget(path_);
    if (!target.refused.empty()) {
        fail(std::move(target.refused));
        return;
    }
    // The library writes the workbook by name into the scratch file beside the target; its own
    // temporary files are unnamed. Nothing is left behind when the process is killed.
    scratch_.emplace(target.file);
    const std::string scratchPath = scratch_->path();
    if (scratchPath.empty()) {
        fail(!scratch_->refused().empty() ? scratch_->refused() : "无法写入文件 " + path_ + "：" + systemError());
        return;
    }
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    workbook_ = workbook_new_opt(scratchPath.c_str(), &options);
    const std::string name = sheetName(title);
    sheet_ = workbook_ ? workbook_add_worksheet(workbook_, name.c_str()) : nullptr;
    if (!sheet_) {
        fail("无法创建 Excel 工作簿 " + path_);
        return;
    }
    bold_ = workbook_add_format(workbook_);
    format_set_bold(bold_);
    dashDate_ = workbook_add_format(workbook_);
    format_set_num_format(dashDate_, "yyyy-mm-dd");
    slashDate_ = workbook_add_format(workbook_);
    format_set_num_format(slashDate_, "yyyy/m/d");
}

XlsxWorkbook::~XlsxWorkbook()
{
    if (workbook_) {
        // Nothing useful can be written now; the library still frees the workbook.
        workbook_close(workbook_);
    }
}

void XlsxWorkbook::fail(std::string message)
{
    if (error_.empty())
        error_ = std::move(message);
}

void XlsxWorkbook::check(int result, std::uint32_t row, std::uint16_t column)
{
    if (result != LXW_NO_ERROR)
        fail("第 " + std::to_string(row + 1) + " 行第 " + std::to_string(column + 1) + " 列无法写入 Excel 文件：" +
             lxw_strerror(static_cast<lxw_error>(result)));
}

void XlsxWorkbook::setWidths(const std::vector<int>& widths)
{
    if (failed())
        return;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const auto col = static_cast<lxw_col_t>(c);
        worksheet_set_column(sheet_, col, col, widths[c], nullptr);
    }
}

void XlsxWorkbook::writeHeader(const std::vector<std::string>& headers)
{
    if (failed())
        return;
    for (std::size_t c = 0; c < headers.size() && !failed(); ++c) {
        const auto col = static_cast<lxw_col_t>(c);
        check(worksheet_write_string(sheet_, 0, col, headers[c].c_str(), bold_), 0, col);
    }
    worksheet_freeze_panes(sheet_, 1, 0);
}

lxw_format* XlsxWorkbook::numberFormat(const std::string& code)
{
    lxw_format*& format = numberFormats_[code];
    if (!format) {
        format = workbook_add_format(workbook_);
        format_set_num_format(format, code.c_str());
    }
    return format;
}

lxw_format* XlsxWorkbook::shownAsWritten(const CellValue& value)
{
    if (value.digits == 0 && value.decimals == 0)
        return nullptr;
    std::string code(static_cast<std::size_t>(std::max(value.digits, 1)), '0');
    if (value.decimals > 0)
        code += "." + std::string(static_cast<std::size_t>(value.decimals), '0');
    return numberFormat(code);
}

void XlsxWorkbook::writeCell(std::uint32_t row, std::uint16_t column, std::string_view text)
{
    if (failed() || text.empty())
        return;
    const CellValue value = cellValue(text);
    int result = LXW_NO_ERROR;
    switch (value.kind) {
    case CellValue::Kind::Number:
        result = worksheet_write_number(sheet_, row, column, value.number, shownAsWritten(value));
        break;
    case CellValue::Kind::Date: {
        lxw_datetime date{value.date / 10000, value.date / 100 % 100, value.date % 100, 0, 0, 0};
        result = worksheet_write_datetime(sheet_, row, column, &date, value.slashDate ? slashDate_ : dashDate_);
        break;
    }
    case CellValue::Kind::Text:
        result = worksheet_write_string(sheet_, row, column, std::string(text).c_str(), nullptr);
        break;
    }
    check(result, row, column);
}

void XlsxWorkbook::writeNumber(std::uint32_t row, std::uint16_t column, double number)
{
    if (!failed())
        check(worksheet_write_number(sheet_, row, column, number, nullptr), row, column);
}

bool XlsxWorkbook::commit()
{
    if (failed())
        return false;
    const lxw_error closed = workbook_close(workbook_);
    workbook_ = nullptr;
    if (closed != LXW_NO_ERROR) {
        fail("无法写入 Excel 文件 " + path_ + "：" + lxw_strerror(closed));
        return false;
    }
    if (!scratch_->commit()) {
        fail(!scratch_->refused().empty() ? scratch_->refused() : "无法写入文件 " + path_ + "：" + systemError());
        return false;
    }
    return true;
}

} // namespace quorlin

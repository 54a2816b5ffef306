#pragma once

#include "common/printed_page.h"
#include "invest/code_drawing.h"

#include <QString>

#include <utility>
#include <vector>

class QPaintDevice;

/// Codes on one printed page: three blocks of 25 side by side.
inline constexpr int kCodesPerPrintedPage = 75;

/// Pages of a printed code list.
int codePageCount(std::size_t codes);
/// 打印号码: the title and "共" + codes + "注 打印日期:" + date on the first page, then on each page
/// up to 75 codes under "序号" and "投注号码" in a ruled grid of three blocks, and the footer.
std::vector<PrintedPage> codePages(const QString& title, const QString& date, const quorlin::CodeList& codes,
                                   QPaintDevice& device);
/// 打印设置: the title, "打印日期:" + date, and six rows of two entries.
PrintedPage settingsPage(const QString& title, const QString& date,
                         const std::vector<std::pair<QString, QString>>& entries, QPaintDevice& device);

#pragma once

#include "common/printed_page.h"

#include <functional>
#include <vector>

class QPaintDevice;
class QPrinter;
class QWidget;

/// Lays the pages of a printout out for the device it will be printed on.
using PrintLayout = std::function<std::vector<PrintedPage>(QPaintDevice& device)>;
/// Prints pages `from`..`to` (1-based; 0 for the first or last page) on the printer; false when it
/// could not be painted on.
using PagePrinter = std::function<bool(QPrinter& printer, int from, int to)>;

/// A job of more pages than this asks before it prints.
inline constexpr int kPagesPrintedWithoutAsking = 20;

/// One print job of the windows: the print dialog (a PDF file, named in a save dialog proposing
/// `pdfName`, where no printer is installed); for more than kPagesPrintedWithoutAsking pages the
/// question "将打印N页，是否继续？"; then the pages, and a box saying the job is done. A cancelled
/// dialog or a No prints nothing; a printer or file that fails shows "请安装打印机！".
void runPrintJob(QWidget* parent, int pages, const QString& pdfName, const PagePrinter& print);
/// The same for a printout laid out page by page for the chosen printer.
void runPrintJob(QWidget* parent, int pages, const QString& pdfName, const PrintLayout& layout);

#pragma once

#include "common/printed_page.h"

#include <functional>
#include <vector>

class QPaintDevice;
class QWidget;

/// Lays the pages of a printout out for the device it will be printed on.
using PrintLayout = std::function<std::vector<PrintedPage>(QPaintDevice& device)>;

/// One print job of the windows: the print dialog (a PDF file, named in a save dialog proposing
/// `pdfName`, where no printer is installed), then the pages laid out for the chosen printer. A
/// cancelled dialog prints nothing; a printer or file that fails shows "请安装打印机！".
void runPrintJob(QWidget* parent, int pages, const QString& pdfName, const PrintLayout& layout);

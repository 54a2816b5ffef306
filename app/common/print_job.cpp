#include "common/print_job.h"

#include "common/message_box.h"
#include "common/print_dialog.h"

#include <QApplication>
#include <QPrinter>

#include <algorithm>

namespace {

// The pages of `pages` the dialog chose: its range, or all of them.
int chosenPages(const QPrinter& printer, int pages)
{
    const int from = printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int to = printer.toPage() > 0 ? std::min(printer.toPage(), pages) : pages;
    return std::max(0, to - from + 1);
}

} // namespace

void runPrintJob(QWidget* parent, int pages, const QString& pdfName, const PagePrinter& print)
{
    QPrinter printer(QPrinter::HighResolution);
    // The layouts' fixed offsets (a rule 120 units above a row, say) are meant for 600 dots an inch.
    printer.setResolution(600);
    if (!PrintDialog::exec(parent, printer, pages, pdfName))
        return;
    const int printed = chosenPages(printer, pages);
    // A long list would go on for reams of paper: the user sees how many sheets before they go.
    if (printed > kPagesPrintedWithoutAsking &&
        MessageBox::question(parent, QStringLiteral("打印"), QStringLiteral("将打印%1页，是否继续？").arg(printed)) !=
            QMessageBox::Yes)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = print(printer, printer.fromPage(), printer.toPage()) && printer.printerState() != QPrinter::Error;
    QApplication::restoreOverrideCursor();
    if (!ok) {
        refuse(parent, QStringLiteral("请安装打印机！"));
        return;
    }
    const QString file = printer.outputFormat() == QPrinter::PdfFormat
                             ? QStringLiteral("，已存为“%1”").arg(printer.outputFileName())
                             : QString();
    MessageBox::information(parent, QStringLiteral("打印"),
                            QStringLiteral("打印完成：共%1页%2。").arg(printed).arg(file));
}

void runPrintJob(QWidget* parent, int pages, const QString& pdfName, const PrintLayout& layout)
{
    runPrintJob(parent, pages, pdfName, PagePrinter([&layout](QPrinter& printer, int from, int to) {
                    return printPages(printer, layout(printer), from, to);
                }));
}

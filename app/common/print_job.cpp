#include "common/print_job.h"

#include "common/message_box.h"
#include "common/print_dialog.h"

#include <QPrinter>

void runPrintJob(QWidget* parent, int pages, const QString& pdfName, const PrintLayout& layout)
{
    QPrinter printer(QPrinter::HighResolution);
    // The layouts' fixed offsets (a rule 120 units above a row, say) are meant for 600 dots an inch.
    printer.setResolution(600);
    if (!PrintDialog::exec(parent, printer, pages, pdfName))
        return;
    if (!printPages(printer, layout(printer), printer.fromPage(), printer.toPage()) ||
        printer.printerState() == QPrinter::Error)
        refuse(parent, QStringLiteral("请安装打印机！"));
}

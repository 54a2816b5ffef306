#include "common/print_dialog.h"

#include "common/file_dialog.h"
#include "common/message_box.h"
#include "common/save_target.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

bool& testMode()
{
    static bool on = false;
    return on;
}

// Points the printer at the file `name` once it passed the check every save does; refused with a
// message otherwise.
bool printInto(QWidget* parent, QPrinter& printer, const QString& name)
{
    const quorlin::SaveTarget target = quorlin::userSaveTarget(name.toStdString());
    if (!target.refused.empty()) {
        refuse(parent, QString::fromStdString(target.refused));
        return false;
    }
    printer.setOutputFileName(QString::fromStdString(target.file));
    return true;
}

bool toPdf(QWidget* parent, QPrinter& printer, const QString& pdfName)
{
    const QString name = FileDialog::getSaveFileName(parent, QStringLiteral("打印到 PDF 文件"), pdfName,
                                                     QStringLiteral("PDF 文件(*.pdf)|*.pdf"));
    if (name.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    return printInto(parent, printer, name);
}

} // namespace

bool PrintDialog::exec(QWidget* parent, QPrinter& printer, int pages, const QString& pdfName)
{
    if (testMode() || QPrinterInfo::availablePrinters().isEmpty())
        return toPdf(parent, printer, pdfName);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, pages);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // The dialog's "print to file" passes the check every save does.
    return printer.outputFileName().isEmpty() || printInto(parent, printer, printer.outputFileName());
}

void PrintDialog::setTestMode(bool on)
{
    testMode() = on;
}

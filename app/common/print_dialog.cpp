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

bool toPdf(QWidget* parent, QPrinter& printer, const QString& pdfName)
{
    const QString name = FileDialog::getSaveFileName(parent, QStringLiteral("打印到 PDF 文件"), pdfName,
                                                     QStringLiteral("PDF 文件(*.pdf)|*.pdf"));
    if (name.isEmpty())
        return false;
    const quorlin::SaveTarget target = quorlin::userSaveTarget(name.toStdString());
    if (!target.refused.empty()) {
        refuse(parent, QString::fromStdString(target.refused));
        return false;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(target.file));
    return true;
}

} // namespace

bool PrintDialog::exec(QWidget* parent, QPrinter& printer, int pages, const QString& pdfName)
{
    if (testMode() || QPrinterInfo::availablePrinters().isEmpty())
        return toPdf(parent, printer, pdfName);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, pages);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialog.exec() == QDialog::Accepted;
}

void PrintDialog::setTestMode(bool on)
{
    testMode() = on;
}

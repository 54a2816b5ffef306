#include "invest/mode_printout.h"

#include "invest/plan_printout.h"

#include <QPaintDevice>

namespace {

void addTitle(PrintedPage& page, const QString& title, QPaintDevice& device)
{
    const int w = device.width();
    page.addText((w - printTextWidth(title, PrintedPage::Font::Title, device)) / 2, device.height() / 29 - 50, title,
                 PrintedPage::Font::Title);
}

QString codeText(const quorlin::CodeList& codes, std::size_t index)
{
    QString text;
    for (const std::uint8_t digit : codes.row(index))
        text += QChar('0' + digit);
    return text;
}

} // namespace

int codePageCount(std::size_t codes)
{
    return static_cast<int>((codes + kCodesPerPrintedPage - 1) / kCodesPerPrintedPage);
}

std::vector<PrintedPage> codePages(const QString& title, const QString& date, const quorlin::CodeList& codes,
                                   QPaintDevice& device)
{
    const QSize size(device.width(), device.height());
    const int w = size.width();
    const int h = size.height();
    const int pages = codePageCount(codes.rows());
    const QStringList headers{QStringLiteral("序号"),     QStringLiteral("投注号码"), QStringLiteral("序号"),
                              QStringLiteral("投注号码"), QStringLiteral("序号"),     QStringLiteral("投注号码")};
    std::vector<PrintedPage> laid(static_cast<std::size_t>(pages));
    for (int p = 1; p <= pages; ++p) {
        PrintedPage& page = laid[static_cast<std::size_t>(p - 1)];
        if (p == 1) {
            addTitle(page, title, device);
            page.addText(w / 14, 2 * h / 29 - 20, QStringLiteral("共%1注 打印日期:").arg(codes.rows()) + date);
        }
        std::vector<QStringList> rows(kPrintRowsPerPage, QStringList(6));
        const std::size_t first = static_cast<std::size_t>(p - 1) * kCodesPerPrintedPage;
        for (std::size_t i = first; i < codes.rows() && i < first + kCodesPerPrintedPage; ++i) {
            const std::size_t place = i - first;
            const auto block = static_cast<int>(place / kPrintRowsPerPage);
            QStringList& row = rows[place % kPrintRowsPerPage];
            row[2 * block] = QString::number(i + 1);
            row[2 * block + 1] = codeText(codes, i);
        }
        addRuledTable(page, size, headers, rows, 100, 220);
        page.addText(8 * w / 10 + 330, 28 * h / 29 + 130, printFooter(pages, p));
    }
    return laid;
}

PrintedPage settingsPage(const QString& title, const QString& date,
                         const std::vector<std::pair<QString, QString>>& entries, QPaintDevice& device)
{
    const int w = device.width();
    const int h = device.height();
    PrintedPage page;
    addTitle(page, title, device);
    page.addText(w / 14, 2 * h / 29 - 20, QStringLiteral("打印日期:") + date);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const int y = static_cast<int>(k + 4) * h / 30;
        page.addText(w / 10, y, entries[k].first);
        page.addText(w / 10 + w / 2, y, entries[k].second);
    }
    return page;
}

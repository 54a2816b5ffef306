#include "common/printed_page.h"

#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

QFont printFont(PrintedPage::Font font)
{
    if (font == PrintedPage::Font::Title) {
        QFont title(QStringLiteral("录书"), 18, QFont::Bold, true);
        return title;
    }
    return QFont(QStringLiteral("宋体"), 10);
}

int printTextWidth(const QString& text, PrintedPage::Font font, QPaintDevice& device)
{
    return QFontMetrics(printFont(font), &device).horizontalAdvance(text);
}

QString printDate(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-M-d"));
}

QString printFooter(int pages, int page)
{
    return QStringLiteral("共%1页\\第%2页").arg(pages).arg(page);
}

void paintPage(QPainter& painter, const PrintedPage& page)
{
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    for (const QLine& rule : page.rules)
        painter.drawLine(rule);
    for (const PrintedPage::Text& text : page.texts) {
        // Texts are placed by their top edge, as the layouts give them; Qt draws on the baseline.
        painter.setFont(printFont(text.font));
        painter.drawText(text.at + QPoint(0, painter.fontMetrics().ascent()), text.text);
    }
    painter.restore();
}

bool printPages(QPagedPaintDevice& device, const std::vector<PrintedPage>& pages, int from, int to)
{
    const int count = static_cast<int>(pages.size());
    const int first = from > 0 ? from : 1;
    const int last = to > 0 ? std::min(to, count) : count;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage())
            return false;
        paintPage(painter, pages[static_cast<std::size_t>(page - 1)]);
    }
    return painter.end();
}

#include "common/bet_list_printer.h"

#include "filter/bet_list.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kColumns = 2;
constexpr int kLinesPerColumn = BetListPrinter::kBetsPerPage / kColumns;

} // namespace

BetListPrinter::BetListPrinter(const quorlin::BetList& bets, QString title) : bets_(bets), title_(std::move(title)) {}

int BetListPrinter::pageCount() const
{
    return static_cast<int>((bets_.size() + kBetsPerPage - 1) / kBetsPerPage);
}

QString BetListPrinter::footer(int page) const
{
    return QStringLiteral("共%1页\\第%2页").arg(pageCount()).arg(page);
}

void BetListPrinter::paintPage(QPainter& painter, const QRect& area, int page) const
{
    // Positions are whole fractions of the page, so every device gets the same layout.
    const int left = area.left() + area.width() / 10;
    const int width = area.width() * 8 / 10;
    const int lineHeight = area.height() / 64;
    const int titleTop = area.top() + area.height() / 20;
    const int bodyTop = titleTop + 3 * lineHeight;

    painter.save();
    QFont title(QStringLiteral("录书"));
    title.setPixelSize(std::max(1, lineHeight * 3 / 2));
    painter.setFont(title);
    painter.drawText(QRect(left, titleTop, width, 2 * lineHeight), Qt::AlignHCenter | Qt::AlignVCenter, title_);

    QFont body(QStringLiteral("宋体"));
    body.setPixelSize(std::max(1, lineHeight * 3 / 4));
    painter.setFont(body);
    const std::size_t first = static_cast<std::size_t>(page - 1) * kBetsPerPage;
    const std::size_t end = std::min(bets_.size(), first + kBetsPerPage);
    for (std::size_t i = first; i < end; ++i) {
        const int slot = static_cast<int>(i - first);
        const QRect line(left + (slot / kLinesPerColumn) * width / kColumns,
                         bodyTop + (slot % kLinesPerColumn) * lineHeight, width / kColumns, lineHeight);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(bets_.numbered(i)));
    }

    const QRect footerLine(left, area.bottom() - area.height() / 20 - lineHeight, width, lineHeight);
    painter.drawText(footerLine, Qt::AlignHCenter | Qt::AlignVCenter, footer(page));
    painter.restore();
}

bool BetListPrinter::print(QPagedPaintDevice& device, int from, int to) const
{
    const int last = to > 0 ? std::min(to, pageCount()) : pageCount();
    const int start = from > 0 ? from : 1;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRect area(0, 0, device.width(), device.height());
    for (int page = start; page <= last; ++page) {
        if (page > start && !device.newPage())
            return false;
        paintPage(painter, area, page);
    }
    return painter.end();
}

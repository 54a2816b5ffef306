#include "invest/plan_printout.h"

#include <QPaintDevice>

using quorlin::PlanKind;

void addRuledTable(PrintedPage& page, QSize size, const QStringList& headers, const std::vector<QStringList>& rows,
                   int headerOffset, int cellOffset)
{
    const int w = size.width();
    const int h = size.height();
    const int n = static_cast<int>(headers.size());
    auto x = [&](int c) { return w / 13 + 9 * c * w / (10 * n); };
    for (int i = 0; i <= kPrintRowsPerPage + 1; ++i)
        page.addRule(x(0), (i + 3) * h / 29 - 120, x(n), (i + 3) * h / 29 - 120);
    for (int c = 0; c <= n; ++c)
        page.addRule(x(c), 3 * h / 29 - 120, x(c), h - 120);
    for (int c = 0; c < n; ++c)
        page.addText(x(c) + headerOffset, 3 * h / 30, headers[c]);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int place = static_cast<int>(r) + 1;
        for (int c = 0; c < n && c < rows[r].size(); ++c)
            page.addText(x(c) + cellOffset, (place + 3) * h / 29, rows[r][c]);
    }
}

QString planPrintTitle(PlanKind kind)
{
    switch (kind) {
    case PlanKind::Fixed:
        return QStringLiteral("固定投资计划表");
    case PlanKind::Staged:
        return QStringLiteral("阶段投资计划表");
    case PlanKind::Variable:
        break;
    }
    return QStringLiteral("可变投资计划表");
}

QString planParameterLine(PlanKind kind, const QStringList& fields, const QString& date)
{
    // The fixed plan's printout has always set its items two blanks apart, the others one.
    const QString gap = kind == PlanKind::Fixed ? QStringLiteral("  ") : QStringLiteral(" ");
    QString line = QStringLiteral("前期亏损:") + fields.value(0) + gap + QStringLiteral("预测利润:") + fields.value(1) +
                   gap + QStringLiteral("单倍投入:") + fields.value(2) + gap + QStringLiteral("单注奖金:") +
                   fields.value(3) + gap + QStringLiteral("投注天数:") + fields.value(4);
    if (kind == PlanKind::Staged)
        line += QStringLiteral(" 阶段次数:") + fields.value(5);
    if (kind == PlanKind::Variable)
        line += QStringLiteral(" 本期注数:") + fields.value(5);
    return line + gap + QStringLiteral("打印日期:") + date;
}

int planPageCount(std::size_t rows)
{
    return static_cast<int>((rows + kPrintRowsPerPage - 1) / kPrintRowsPerPage);
}

std::vector<PrintedPage> planPages(const PlanPrintout& plan, QPaintDevice& device)
{
    const QSize size(device.width(), device.height());
    const int w = size.width();
    const int h = size.height();
    const bool wide = plan.kind == PlanKind::Variable;
    const int pages = planPageCount(plan.rows.size());
    std::vector<PrintedPage> laid(static_cast<std::size_t>(pages));
    for (int p = 1; p <= pages; ++p) {
        PrintedPage& page = laid[static_cast<std::size_t>(p - 1)];
        if (p == 1) {
            const QString title = planPrintTitle(plan.kind);
            page.addText((w - printTextWidth(title, PrintedPage::Font::Title, device)) / 2, h / 29 - 50, title,
                         PrintedPage::Font::Title);
            page.addText(w / 12, 2 * h / 29 - 20, plan.parameters);
        }
        const auto first = plan.rows.begin() + (p - 1) * kPrintRowsPerPage;
        const auto last = plan.rows.begin() + std::min<std::ptrdiff_t>(p * kPrintRowsPerPage,
                                                                       static_cast<std::ptrdiff_t>(plan.rows.size()));
        addRuledTable(page, size, plan.headers, std::vector<QStringList>(first, last), wide ? 80 : 100,
                      wide ? 180 : 220);
        page.addText(wide ? 8 * w / 10 + 350 : 7 * w / 10 + 800, 28 * h / 29 + 130, printFooter(pages, p));
    }
    return laid;
}

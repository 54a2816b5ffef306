#pragma once

#include "common/printed_page.h"
#include "invest/plan_store.h"

#include <QSize>
#include <QStringList>

#include <vector>

class QPaintDevice;

/// Rows of a ruled table on one printed page.
inline constexpr int kPrintRowsPerPage = 25;

/// The ruled table of the plan printouts on a page of `size`: 27 rules across and n + 1 down, the
/// header texts, and up to kPrintRowsPerPage rows, with the cells `headerOffset` and `cellOffset`
/// to the right of their column's rule.
void addRuledTable(PrintedPage& page, QSize size, const QStringList& headers, const std::vector<QStringList>& rows,
                   int headerOffset, int cellOffset);

/// A plan table as printed: its kind, the parameter line and the table's texts.
struct PlanPrintout {
    quorlin::PlanKind kind = quorlin::PlanKind::Fixed;
    QString parameters;
    QStringList headers;
    std::vector<QStringList> rows;
};

/// "固定投资计划表", "阶段投资计划表" or "可变投资计划表".
QString planPrintTitle(quorlin::PlanKind kind);
/// The parameter line under the title from the fields' texts in window order (前期亏损, 预期利润,
/// 单倍投入, 单注奖金, 投注期数, then 阶段次数 or 本期注数) and the date.
QString planParameterLine(quorlin::PlanKind kind, const QStringList& fields, const QString& date);
/// Pages of a plan: one for every 25 rows.
int planPageCount(std::size_t rows);
/// The plan's pages laid out for `device`: the title and the parameter line on the first, the
/// ruled table and the footer on each.
std::vector<PrintedPage> planPages(const PlanPrintout& plan, QPaintDevice& device);

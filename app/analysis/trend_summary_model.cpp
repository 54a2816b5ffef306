#include "analysis/trend_summary_model.h"

#include "analysis/code_trend_model.h"

namespace {

struct RowText {
    const char* caption;
    const char* definition;
};

const RowText kRows[TrendSummaryModel::RowCount] = {
    {"出现次数", "出现次数：号码在表中各期开出的次数。"},
    {"平均遗漏", "平均遗漏 =（期数 − 出现次数）÷（出现次数 + 1），即首次开出前、两次开出之间和最近一次开出后"
                 "各段遗漏的平均期数。"},
    {"最大遗漏", "最大遗漏：号码连续没有开出的最多期数，含首次开出前和目前的遗漏。"},
    {"最大连出", "最大连出：号码连续开出的最多期数。"},
};

} // namespace

TrendSummaryModel::TrendSummaryModel(const CodeTrendModel& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid)
{
    connect(&grid, &QAbstractItemModel::modelReset, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int TrendSummaryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount;
}

int TrendSummaryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : grid_.columnCount();
}

QVariant TrendSummaryModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::BackgroundRole:
        return grid_.background(column);
    case Qt::TextAlignmentRole:
        return Qt::AlignCenter;
    case Qt::ToolTipRole:
        return QString::fromUtf8(kRows[index.row()].definition);
    case Qt::DisplayRole:
        return column == 0 ? QString::fromUtf8(kRows[index.row()].caption) : figure(index.row(), column);
    default:
        return {};
    }
}

QVariant TrendSummaryModel::figure(int row, int column) const
{
    const CodeTrendModel::ColumnKind kind = grid_.columnKind(column);
    if (kind != CodeTrendModel::ColumnKind::Front && kind != CodeTrendModel::ColumnKind::Back)
        return {};
    const quorlin::TrendColumnSummary& summary = grid_.omission().summary(column);
    switch (row) {
    case Occurrences:
        return QString::number(summary.occurrences);
    case MeanOmission:
        return QString::number(summary.meanOmission, 'f', 1);
    case LongestOmission:
        return QString::number(summary.longestOmission);
    case LongestRun:
        return QString::number(summary.longestRun);
    default:
        return {};
    }
}

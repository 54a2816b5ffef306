#include "analysis/trend_summary_model.h"

#include "analysis/code_trend_model.h"
#include "common/definition_tip.h"

#include <algorithm>

namespace {

// The term of each row; its name is the row's caption.
const quorlin::Term kRows[TrendSummaryModel::RowCount] = {
    quorlin::Term::TrendOccurrences, quorlin::Term::TrendMeanOmission, quorlin::Term::TrendLongestOmission,
    quorlin::Term::TrendLongestRun};

} // namespace

TrendSummaryModel::TrendSummaryModel(const CodeTrendModel& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid)
{
    recount();
    connect(&grid, &QAbstractItemModel::modelReset, this, [this] {
        beginResetModel();
        recount();
        endResetModel();
    });
}

void TrendSummaryModel::setDraws(int draws)
{
    beginResetModel();
    draws_ = std::max(draws, 0);
    recount();
    endResetModel();
}

void TrendSummaryModel::recount()
{
    summaries_ = grid_.omission().summaries(static_cast<std::size_t>(draws_));
}

QVariant TrendSummaryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal)
        return grid_.headerData(section, orientation, role);
    return QAbstractTableModel::headerData(section, orientation, role);
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
        return definitionTip(kRows[index.row()]);
    case Qt::DisplayRole:
        return column == 0 ? QString::fromUtf8(quorlin::glossaryEntry(kRows[index.row()]).name)
                           : figure(index.row(), column);
    default:
        return {};
    }
}

QVariant TrendSummaryModel::figure(int row, int column) const
{
    const CodeTrendModel::ColumnKind kind = grid_.columnKind(column);
    if (kind != CodeTrendModel::ColumnKind::Front && kind != CodeTrendModel::ColumnKind::Back)
        return {};
    if (static_cast<std::size_t>(column) >= summaries_.size())
        return {};
    const quorlin::TrendColumnSummary& summary = summaries_[static_cast<std::size_t>(column)];
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

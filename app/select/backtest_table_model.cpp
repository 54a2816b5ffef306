#include "select/backtest_table_model.h"

#include "common/definition_tip.h"

void BacktestTableModel::setReport(std::shared_ptr<const quorlin::BacktestReport> report)
{
    beginResetModel();
    report_ = std::move(report);
    endResetModel();
}

int BacktestTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !report_ ? 0 : static_cast<int>(report_->rows.size());
}

int BacktestTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(quorlin::kBacktestHeader.size());
}

QVariant BacktestTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !report_ || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const quorlin::BacktestRow& row = report_->rows[static_cast<std::size_t>(index.row())];
    const std::string* cells[] = {&row.issue, &row.draw, &row.bet, &row.hits};
    return QString::fromStdString(*cells[index.column()]);
}

QVariant BacktestTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::ToolTipRole && section == columnCount() - 1) // 中奖个数
        return definitionTip(quorlin::Term::HitCount);
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromStdString(quorlin::kBacktestHeader[static_cast<std::size_t>(section)]);
}

#pragma once

#include "select/backtest_report.h"

#include <QAbstractTableModel>

#include <memory>

/// The history table of a back-test: the header row 记录期号, 开奖号码, 投注号码, 中奖个数 and one
/// line per draw, read from the report without copying it.
class BacktestTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setReport(std::shared_ptr<const quorlin::BacktestReport> report);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const quorlin::BacktestReport> report_;
};

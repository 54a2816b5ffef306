#pragma once

#include "analysis/trend_omission.h"

#include <QAbstractTableModel>

#include <vector>

class CodeTrendModel;

/// The summary rows under the trend grid: 出现次数, 平均遗漏, 最大遗漏 and 最大连出 of every number over
/// the newest draws the grid shows (all of them, or the last N), in the grid's columns; the caption
/// stands in the issue column. Follows the grid's reloads.
class TrendSummaryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Row { Occurrences, MeanOmission, LongestOmission, LongestRun, RowCount };

    explicit TrendSummaryModel(const CodeTrendModel& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    /// The grid's headers, for copies and files.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    /// Sums up the newest `draws` draws; 0 for all of them.
    void setDraws(int draws);
    int draws() const { return draws_; }

private:
    QVariant figure(int row, int column) const;
    void recount();

    const CodeTrendModel& grid_;
    int draws_ = 0;
    std::vector<quorlin::TrendColumnSummary> summaries_;
};

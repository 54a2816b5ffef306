#pragma once

#include <QAbstractTableModel>

class CodeTrendModel;

/// The summary rows under the trend grid: 出现次数, 平均遗漏, 最大遗漏 and 最大连出 of every number over
/// the draws the grid shows, in the grid's columns; the caption stands in the issue column. Follows
/// the grid's reloads.
class TrendSummaryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Row { Occurrences, MeanOmission, LongestOmission, LongestRun, RowCount };

    explicit TrendSummaryModel(const CodeTrendModel& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QVariant figure(int row, int column) const;

    const CodeTrendModel& grid_;
};

#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>

/// A read-only table of texts under a row of headers. The cells are asked of the window that owns
/// the table when they are painted, so a history of thousands of draws is not copied.
class TextTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Cell = std::function<QString(int row, int column)>;

    explicit TextTableModel(QObject* parent = nullptr);

    /// Shows a new table: `rows` rows under `headers`, each cell given by `cell`; a header's tooltip
    /// is its entry of `headerTips` (none where that is empty or missing).
    void reset(QStringList headers, int rows, Cell cell, QStringList headerTips = {});

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList headers_;
    QStringList headerTips_;
    int rows_ = 0;
    Cell cell_;
};

#pragma once

#include <QAbstractTableModel>

namespace quorlin {
struct LotteryState;
}

/// The trend table of the open lottery: one row per draw, newest first, with the issue, the draw
/// text and one column per front and back number marked "●" where that number was drawn. Every
/// cell is read from the state's display rows when it is painted, so long histories cost nothing.
/// A rebuild of the tables shows at the next reload(); until then a row the tables no longer hold
/// is empty.
class CodeTrendModel : public QAbstractTableModel {
    Q_OBJECT
public:
    /// The columns' kinds, left to right: issue, draw text, separator, front numbers, separator,
    /// back numbers.
    enum class ColumnKind { Issue, DrawText, Separator, Front, Back };

    explicit CodeTrendModel(const quorlin::LotteryState& state, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    ColumnKind columnKind(int column) const;
    /// The number a front or back column stands for.
    int columnNumber(int column) const;

    /// Shows the display rows as they are now (after a rebuild of the tables).
    void reload();

private:
    QVariant background(int column) const;

    const quorlin::LotteryState& state_;
    // The row count the views were last told; the tables may be rebuilt before the next reload.
    int rows_ = 0;
};

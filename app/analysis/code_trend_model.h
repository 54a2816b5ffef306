#pragma once

#include "analysis/trend_omission.h"

#include <QAbstractTableModel>

namespace quorlin {
struct LotteryState;
}

/// The trend table of the open lottery: one row per draw, newest first, with the issue, the draw
/// text and one column per front and back number marked "●" where that number was drawn (red in
/// the front block, blue in the back block) and, while omissions are shown, the number's current
/// omission in the other cells. Copies and files get the drawn number in place of the mark, under
/// number columns headed 前区01 … 后区12. The marks and omissions are counted once per rebuild of
/// the tables (recount()); the texts are read from the state's display rows when painted. The
/// views learn of a rebuild at the next reload(); until then a row the tables no longer hold is
/// empty.
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
    /// Counts the marks and omissions of the display rows as they are now, without telling the
    /// views (a burst of rebuilds is shown by one reload()).
    void recount();

    /// Writes each number's omission in the cells where it was not drawn.
    void setOmissionShown(bool shown);
    bool omissionShown() const { return omissionShown_; }
    /// The omissions and figures of the rows shown now, oldest row first.
    const quorlin::TrendOmission& omission() const { return omission_; }
    /// The rows shown now hold relabelled front numbers (变幻走势).
    bool transformed() const { return transformed_; }

    /// The fill of a column, as the header and the summary rows below the grid share it.
    QVariant background(int column) const;

private:
    QVariant numberCell(int column, std::size_t draw, int role) const;

    const quorlin::LotteryState& state_;
    quorlin::TrendOmission omission_;
    bool omissionShown_ = true;
    bool transformed_ = false;
    // The row count the views were last told; the tables may be rebuilt before the next reload.
    int rows_ = 0;
};

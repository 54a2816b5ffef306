#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

#include <functional>

/// A read-only table of texts under a row of headers. The cells are asked of the window that owns
/// the table when they are painted, so a history of thousands of draws is not copied.
class TextTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Cell = std::function<QString(int row, int column)>;
    /// The text colour of a row; an invalid colour keeps the view's own.
    using RowColour = std::function<QColor(int row)>;
    /// The tooltip of every cell of a row; an empty text shows none.
    using RowTip = std::function<QString(int row)>;

    explicit TextTableModel(QObject* parent = nullptr);

    /// Shows a new table: `rows` rows under `headers`, each cell given by `cell`; a header's tooltip
    /// is its entry of `headerTips` (none where that is empty or missing).
    void reset(QStringList headers, int rows, Cell cell, QStringList headerTips = {});
    /// Colours the text of the rows from now on (none: the view's colour).
    void setRowColour(RowColour colour);
    /// Gives the cells the plain text `plain` returns, which copies and exports write in place of
    /// the text shown (kPlainTextRole); a null text keeps the shown one. A reset forgets it.
    void setPlainCell(Cell plain);
    /// Gives the cells of each row the tooltip `tip` returns for it from now on (none: no tooltips).
    void setRowTip(RowTip tip);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList headers_;
    QStringList headerTips_;
    int rows_ = 0;
    Cell cell_;
    Cell plainCell_;
    RowColour rowColour_;
    RowTip rowTip_;
};

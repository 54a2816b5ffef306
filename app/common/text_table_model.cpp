#include "common/text_table_model.h"

#include "common/plain_text_role.h"

TextTableModel::TextTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TextTableModel::reset(QStringList headers, int rows, Cell cell, QStringList headerTips)
{
    beginResetModel();
    headers_ = std::move(headers);
    headerTips_ = std::move(headerTips);
    rows_ = rows;
    cell_ = std::move(cell);
    plainCell_ = {};
    endResetModel();
}

void TextTableModel::setPlainCell(Cell plain)
{
    plainCell_ = std::move(plain);
}

void TextTableModel::setRowColour(RowColour colour)
{
    rowColour_ = std::move(colour);
    if (rows_ > 0 && !headers_.isEmpty())
        emit dataChanged(index(0, 0), index(rows_ - 1, static_cast<int>(headers_.size()) - 1), {Qt::ForegroundRole});
}

void TextTableModel::setRowTip(RowTip tip)
{
    rowTip_ = std::move(tip);
}

int TextTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int TextTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_ || index.column() >= headers_.size())
        return {};
    if (role == Qt::DisplayRole)
        return cell_(index.row(), index.column());
    if (role == kPlainTextRole && plainCell_) {
        const QString plain = plainCell_(index.row(), index.column());
        return plain.isNull() ? QVariant() : QVariant(plain);
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role == Qt::ForegroundRole && rowColour_) {
        const QColor colour = rowColour_(index.row());
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    if (role == Qt::ToolTipRole && rowTip_) {
        const QString tip = rowTip_(index.row());
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    return {};
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= headers_.size())
        return {};
    if (role == Qt::DisplayRole)
        return headers_[section];
    if (role == Qt::ToolTipRole && section < headerTips_.size() && !headerTips_[section].isEmpty())
        return headerTips_[section];
    return {};
}

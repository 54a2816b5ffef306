#include "analysis/code_trend_model.h"

#include "store/lottery_state.h"

#include <QBrush>
#include <QColor>
#include <QPalette>

namespace {

const QColor kSeparatorFill(100, 100, 100);
const QColor kFrontFill(150, 150, 100);
const QColor kBackFill(100, 150, 150);
const QString kMark = QStringLiteral("●");

} // namespace

CodeTrendModel::CodeTrendModel(const quorlin::LotteryState& state, QObject* parent)
    : QAbstractTableModel(parent), state_(state), rows_(static_cast<int>(state.histext.rows()))
{
}

int CodeTrendModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int CodeTrendModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : state_.caisum + state_.housum + 4;
}

CodeTrendModel::ColumnKind CodeTrendModel::columnKind(int column) const
{
    if (column == 0)
        return ColumnKind::Issue;
    if (column == 1)
        return ColumnKind::DrawText;
    if (column == 2 || column == state_.caisum + 3)
        return ColumnKind::Separator;
    return column <= state_.caisum + 2 ? ColumnKind::Front : ColumnKind::Back;
}

int CodeTrendModel::columnNumber(int column) const
{
    return columnKind(column) == ColumnKind::Front ? column - 2 : column - state_.caisum - 3;
}

QVariant CodeTrendModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int column = index.column();
    if (role == Qt::BackgroundRole)
        return background(column);
    if (role == Qt::TextAlignmentRole)
        return Qt::AlignCenter;
    if (role != Qt::DisplayRole)
        return {};
    // Newest draw on top.
    const auto drawRows = static_cast<int>(state_.histext.rows());
    if (index.row() >= drawRows)
        return {};
    const auto draw = static_cast<std::size_t>(drawRows - 1 - index.row());
    switch (columnKind(column)) {
    case ColumnKind::Issue:
        return QString::fromStdString(state_.histext.issue(draw));
    case ColumnKind::DrawText:
        return QString::fromStdString(state_.histext.drawText(draw));
    case ColumnKind::Separator:
        return {};
    case ColumnKind::Front:
    case ColumnKind::Back:
        return state_.histext.marked(draw, column) ? kMark : QVariant();
    }
    return {};
}

QVariant CodeTrendModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::BackgroundRole)
        return background(section);
    if (role == Qt::TextAlignmentRole)
        return Qt::AlignCenter;
    if (role != Qt::DisplayRole)
        return {};
    switch (columnKind(section)) {
    case ColumnKind::Issue:
        return QStringLiteral("记录期号");
    case ColumnKind::DrawText:
        return QStringLiteral("开奖号码");
    case ColumnKind::Separator:
        return QString();
    case ColumnKind::Front:
    case ColumnKind::Back:
        return QString::number(columnNumber(section));
    }
    return {};
}

QVariant CodeTrendModel::background(int column) const
{
    switch (columnKind(column)) {
    case ColumnKind::Issue:
    case ColumnKind::DrawText:
        return QBrush(QPalette().color(QPalette::ToolTipBase));
    case ColumnKind::Separator:
        return QBrush(kSeparatorFill);
    case ColumnKind::Front:
        return QBrush(kFrontFill);
    case ColumnKind::Back:
        return QBrush(kBackFill);
    }
    return {};
}

void CodeTrendModel::reload()
{
    beginResetModel();
    rows_ = static_cast<int>(state_.histext.rows());
    endResetModel();
}

#include "analysis/code_trend_model.h"

#include "common/plain_text_role.h"
#include "store/lottery_state.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPalette>

namespace {

const QColor kSeparatorFill(100, 100, 100);
const QColor kFrontFill(150, 150, 100);
const QColor kBackFill(100, 150, 150);
const QString kMark = QStringLiteral("●");
// Drawn balls as players know them; omissions quieter than the balls.
const QColor kFrontBall(Qt::red);
const QColor kBackBall(Qt::blue);
const QColor kOmissionText(60, 60, 60);
constexpr double kBallScale = 1.5;
const QString kTransformedHint =
    QStringLiteral("变幻走势：前区号码按随机映射重新编号后的号码，不是实际开出的号码；后区号码不变。");

} // namespace

CodeTrendModel::CodeTrendModel(const quorlin::LotteryState& state, QObject* parent)
    : QAbstractTableModel(parent), state_(state)
{
    recount();
    rows_ = static_cast<int>(omission_.rows());
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
    const ColumnKind kind = columnKind(column);
    if (role == Qt::ToolTipRole)
        return kind == ColumnKind::DrawText && transformed_ ? kTransformedHint : QVariant();
    // Newest draw on top; the views may not yet know that a rebuild changed the row count.
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= omission_.rows())
        return {};
    const std::size_t draw = omission_.rows() - 1 - row;
    if (kind == ColumnKind::Front || kind == ColumnKind::Back)
        return numberCell(column, draw, role);
    if (role != Qt::DisplayRole || draw >= state_.histext.rows())
        return {};
    if (kind == ColumnKind::Issue)
        return QString::fromStdString(state_.histext.issue(draw));
    if (kind == ColumnKind::DrawText)
        return QString::fromStdString(state_.histext.drawText(draw));
    return {};
}

QVariant CodeTrendModel::numberCell(int column, std::size_t draw, int role) const
{
    const bool drawn = omission_.drawn(draw, column);
    if (role == Qt::FontRole && drawn) {
        // The ball stands out from the omission figures around it.
        QFont ball;
        ball.setPointSizeF(ball.pointSizeF() * kBallScale);
        return ball;
    }
    if (role == Qt::ForegroundRole) {
        if (!drawn)
            return QBrush(kOmissionText);
        return QBrush(columnKind(column) == ColumnKind::Front ? kFrontBall : kBackBall);
    }
    if (role == kPlainTextRole)
        return drawn ? QVariant(QString::asprintf("%.2d", columnNumber(column))) : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    if (drawn)
        return kMark;
    return omissionShown_ ? QVariant(QString::number(omission_.omission(draw, column))) : QVariant();
}

QVariant CodeTrendModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::BackgroundRole)
        return background(section);
    if (role == Qt::TextAlignmentRole)
        return Qt::AlignCenter;
    if (role == Qt::ToolTipRole) {
        const ColumnKind kind = columnKind(section);
        return transformed_ && (kind == ColumnKind::DrawText || kind == ColumnKind::Front) ? kTransformedHint
                                                                                           : QVariant();
    }
    if (role == kPlainTextRole) {
        // A file names the zone of each number column.
        const ColumnKind kind = columnKind(section);
        if (kind != ColumnKind::Front && kind != ColumnKind::Back)
            return {};
        return (kind == ColumnKind::Front ? QStringLiteral("前区") : QStringLiteral("后区")) +
               QString::asprintf("%.2d", columnNumber(section));
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (columnKind(section)) {
    case ColumnKind::Issue:
        return QStringLiteral("记录期号");
    case ColumnKind::DrawText:
        return transformed_ ? QStringLiteral("变幻后号码") : QStringLiteral("开奖号码");
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
    recount();
    rows_ = static_cast<int>(omission_.rows());
    endResetModel();
}

void CodeTrendModel::recount()
{
    omission_ = quorlin::TrendOmission(state_.histext);
    transformed_ = state_.histext.transformed();
}

void CodeTrendModel::setOmissionShown(bool shown)
{
    if (shown == omissionShown_)
        return;
    omissionShown_ = shown;
    if (rows_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1), {Qt::DisplayRole});
}

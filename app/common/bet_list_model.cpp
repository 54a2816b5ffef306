#include "common/bet_list_model.h"

#include "filter/bet_list.h"

BetListModel::BetListModel(QObject* parent) : QAbstractListModel(parent), bets_(std::make_shared<quorlin::BetList>()) {}

BetListModel::~BetListModel() = default;

void BetListModel::setBets(std::shared_ptr<const quorlin::BetList> bets)
{
    beginResetModel();
    bets_ = bets ? std::move(bets) : std::make_shared<quorlin::BetList>();
    endResetModel();
}

int BetListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(bets_->size());
}

QVariant BetListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    return QString::fromStdString(bets_->numbered(static_cast<std::size_t>(index.row())));
}

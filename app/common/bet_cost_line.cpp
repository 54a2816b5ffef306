#include "common/bet_cost_line.h"

#include "check/bet_price.h"
#include "common/bet_list_model.h"
#include "filter/bet_list.h"

BetCostLine::BetCostLine(QWidget* parent) : QLabel(parent)
{
    setObjectName("lblcost");
}

void BetCostLine::showBets(std::uint64_t bets, bool extra)
{
    setText(bets == 0 ? QString() : QString::fromStdString(quorlin::betCostText(bets, extra)));
}

void BetCostLine::showFronts(std::uint64_t fronts)
{
    setText(fronts == 0 ? QString() : QString::fromStdString(quorlin::frontOnlyCostText(fronts)));
}

void BetCostLine::showBacks(std::uint64_t backs)
{
    setText(backs == 0 ? QString() : QString::fromStdString(quorlin::backOnlyCostText(backs)));
}

void BetCostLine::showList(const quorlin::BetList& bets)
{
    if (bets.hasBack())
        showBets(bets.size());
    else
        showFronts(bets.size());
}

void BetCostLine::follow(const BetListModel* model)
{
    connect(model, &QAbstractItemModel::modelReset, this, [this, model] { showList(*model->bets()); });
    showList(*model->bets());
}

#pragma once

#include <QLabel>

#include <cstdint>

class BetListModel;

/// The line "共N注，金额M元" beside a bet list: what the list shown costs. Blank while no bet is
/// shown. Its objectName is "lblcost".
class BetCostLine : public QLabel {
    Q_OBJECT
public:
    explicit BetCostLine(QWidget* parent = nullptr);

    /// Shows what `bets` bets cost, `extra` with 追加投注; 0 blanks the line.
    void showBets(std::uint64_t bets, bool extra = false);
    /// Keeps showing what the list in `model` costs, whenever the model is given another list.
    void follow(const BetListModel* model);
};

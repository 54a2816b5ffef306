#pragma once

#include <QLabel>

#include <cstdint>

class BetListModel;

namespace quorlin {
class BetList;
}

/// The line "共N注，金额M元" beside a bet list: what the list shown costs. A list of one zone's
/// combinations (front numbers without back numbers) holds no bets yet: the line counts the
/// combinations and says what a bet costs once the other zone is chosen. Blank while nothing is shown. Its objectName
/// is "lblcost".
class BetCostLine : public QLabel {
    Q_OBJECT
public:
    explicit BetCostLine(QWidget* parent = nullptr);

    /// Shows what `bets` bets cost, `extra` with 追加投注; 0 blanks the line.
    void showBets(std::uint64_t bets, bool extra = false);
    /// Shows `fronts` front combinations without back numbers; 0 blanks the line.
    void showFronts(std::uint64_t fronts);
    /// Shows `backs` back combinations without front numbers; 0 blanks the line.
    void showBacks(std::uint64_t backs);
    /// Shows `bets` as bets when they carry back numbers, else as front combinations.
    void showList(const quorlin::BetList& bets);
    /// Keeps showing what the list in `model` costs, whenever the model is given another list.
    void follow(const BetListModel* model);
};

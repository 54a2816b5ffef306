#pragma once

#include "check/prize_check.h"
#include "check/ticket.h"

#include <QGroupBox>

#include <memory>
#include <optional>
#include <vector>

namespace quorlin {
struct LotteryState;
} // namespace quorlin

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class TextGrid;

/// The prize part of 投注计算器: a drawn issue of the history (newest first) or a typed draw, and
/// what each ticket of the list and the whole list win in it, counted without expanding: the bets
/// per level of the draw's prize table (the newest table for a typed draw) and the money at the
/// draw's published amounts (the table's fixed ones otherwise), 追加 included for 追加 bets.
class TicketPrizePane : public QGroupBox {
    Q_OBJECT
public:
    TicketPrizePane(const quorlin::LotteryState& state, const quorlin::TicketShape& shape, QWidget* parent = nullptr);
    ~TicketPrizePane() override;

    /// The list the prizes are for, and whether its bets are 追加 bets; a result shown is worked out
    /// again for it.
    void setTickets(std::shared_ptr<const std::vector<quorlin::Ticket>> tickets, bool extra);
    /// 计算奖金: the prizes of the chosen draw.
    void calculate();
    /// Per ticket what it won in the draw shown; empty when none is.
    const std::vector<quorlin::DrawCheck>& checks() const;

private:
    struct Basis;
    struct Result;
    void showPrizes();

    const quorlin::LotteryState& state_;
    quorlin::TicketShape shape_;
    std::shared_ptr<const std::vector<quorlin::Ticket>> tickets_;
    bool extra_ = false;
    std::unique_ptr<Basis> basis_;
    // Shared with the grid's cells, which the grid may still ask for while it is destroyed.
    std::shared_ptr<const Result> result_;

    QRadioButton* optqihao_;
    QComboBox* comqihao_;
    QRadioButton* optshuru_;
    QLineEdit* edtkaijiang_;
    QLabel* lblguize_;
    TextGrid* tabjiang_;
};

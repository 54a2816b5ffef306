#pragma once

#include "check/ticket.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class BetCostLine;
class LotteryDocument;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TaskProgressStrip;
class TaskRunner;
class TextGrid;
class TicketNumberPad;
class TicketPrizePane;

/// 投注计算器: builds 单式, 复式 and 胆拖 tickets on number buttons (or typed as lines) with their
/// bets and cost, keeps a list of them that is saved and loaded as ticket lines and expanded into
/// single bets in the background, and shows what each ticket and the list win in a draw.
class Tfrmjisuanqi : public QWidget {
    Q_OBJECT
public:
    explicit Tfrmjisuanqi(LotteryDocument& document, QWidget* parent = nullptr);
    ~Tfrmjisuanqi() override;

    /// The tickets of the list, in the order shown.
    const std::vector<quorlin::Ticket>& tickets() const { return tickets_; }
    bool isBusy() const;

private:
    /// The ticket the number buttons stand for; nothing, with `problem` saying why, when they stand
    /// for no bet. `chosen` gets the line the chosen numbers write so far (empty when none is).
    std::optional<quorlin::Ticket> builtTicket(std::string& problem, std::string* chosen = nullptr) const;
    void showBuilt();
    void addBuilt();
    void addTyped();
    /// False when the list cannot take it (refused with a message).
    bool add(const quorlin::Ticket& ticket);
    void removeSelected();
    void clearList();
    void saveList();
    void loadList();
    void expand();
    /// Shows the list, its cost and its prizes after any change.
    void showTickets();
    void updateCommandStates();
    /// Brings back the list left unsaved when the window last went (the lottery closed or reopened);
    /// a kept file that cannot be read is said and left as it is.
    void restoreKeptList();
    /// Keeps an unsaved list for the next window, or removes the kept file when nothing is unsaved;
    /// a list that cannot be kept is said, the kept file then left as it was.
    void keepUnsavedList();

    quorlin::TicketShape shape_;
    /// Where an unsaved list waits while the window is gone: the window goes with the lottery.
    std::string keptPath_;
    std::vector<quorlin::Ticket> tickets_;
    // The list changed since it was last saved or loaded.
    bool modified_ = false;
    // The kept file could not be read: it is never written over nor removed.
    bool keptUnreadable_ = false;
    TaskRunner* runner_;

    TicketNumberPad* front_;
    TicketNumberPad* back_;
    QRadioButton* optxuanhao_;
    QRadioButton* optxuandan_;
    QLabel* lblpiaomian_;
    BetCostLine* lblzhushu_;
    QCheckBox* chkzhuijia_;
    QLineEdit* edtpiaomian_;
    TextGrid* tabpiao_;
    BetCostLine* lblcost_;
    TaskProgressStrip* strip_;
    QList<QPushButton*> commands_;
    TicketPrizePane* prizes_;
};

#pragma once

#include <QWidget>

#include <cstddef>

class LotteryDocument;
class QLabel;
class QPushButton;
class TextGrid;

/// 开奖公告: what was published of one draw of the open lottery — its issue, date and numbers, every
/// prize level with its winners and amount per bet in the published order (派奖 lines marked, as
/// they add nothing to what a bet won), the sales and the pool after the draw; 上一期 and 下一期
/// walk the history.
class Tfrmgonggao : public QWidget {
    Q_OBJECT
public:
    explicit Tfrmgonggao(LotteryDocument& document, QWidget* parent = nullptr);

    /// Shows the draw `issue`; false, and nothing changed, when the history does not hold it.
    bool showIssue(int issue);
    /// Shows the newest draw.
    void showNewest();
    /// The issue shown; 0 before a draw is shown or without draws.
    int issue() const { return issue_; }

    void btnshangyiqiClick();
    void btnxiayiqiClick();

private:
    void showRow(std::size_t row);
    /// Shows the same issue again after the history changed, or the newest when it is gone.
    void reload();

    LotteryDocument& document_;
    int issue_ = 0;
    std::size_t row_ = 0;

    QLabel* lblqihao_;
    QLabel* lblriqi_;
    QLabel* lblhaoma_;
    TextGrid* tabjiangji_;
    QLabel* lblxiaoshou_;
    QLabel* lbljiangchi_;
    QLabel* lbltishi_;
    QPushButton* btnshangyiqi_;
    QPushButton* btnxiayiqi_;
};

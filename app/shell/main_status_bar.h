#pragma once

#include <QDateTime>
#include <QStatusBar>

#include <functional>

class LotteryDocument;
class QLabel;
class QPushButton;

/// The main window's status line: the open lottery, its draw count, the newest draw with its 一等奖
/// and the pool after it, and the active number mapping; while no lottery is open, what to do next (and how to fill an
/// empty database). Either way it names the coming draw and, when the stored history lags behind the draw days, says so
/// with a button that downloads.
class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    MainStatusBar(LotteryDocument& document, QWidget* parent = nullptr);

    /// Shows the document as it is now; also re-reads the database's draws.
    void refresh();
    /// The local time the coming draw is reckoned from; tests set a fixed one.
    void setClock(Clock clock);

signals:
    /// The lag warning was clicked: the user wants the new draws.
    void downloadRequested();

private:
    QString closedHint() const;
    void showOutlook();

    LotteryDocument& document_;
    Clock clock_;
    QLabel* lblcaipiao_;
    QLabel* lblqishu_;
    QLabel* lblzuixin_;
    QLabel* lblgonggao_;
    QLabel* lblzoushi_;
    QLabel* lblxiaqi_;
    QPushButton* btnxiazai_;
};

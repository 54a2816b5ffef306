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
/// with a button that downloads. A download running in the background shows its state here too.
class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    MainStatusBar(LotteryDocument& document, QWidget* parent = nullptr);

    /// Shows the document as it is now; also re-reads the database's draws.
    void refresh();
    /// The local time the coming draw is reckoned from; tests set a fixed one.
    void setClock(Clock clock);
    /// How many draws the schedule says the stored history lacks; 0 when it knows of none.
    int behind() const { return behind_; }

    /// The background download's state ("正在下载新开奖…", "已下载 3 期"); empty hides it.
    void showDownloadState(const QString& text);
    /// The background download failed: a short line and 重试; `detail` is its tooltip.
    void showDownloadFailure(const QString& line, const QString& detail);

signals:
    /// The lag warning was clicked: the user wants the new draws.
    void downloadRequested();
    /// A draw time passed while the program ran and the history lacks more draws than before.
    void drawsMissing();
    /// 重试 of a failed background download was clicked.
    void retryRequested();

private:
    QString closedHint() const;
    void showOutlook();
    /// Looks at the time again and says when a draw time has passed since the last look.
    void checkClock();

    LotteryDocument& document_;
    Clock clock_;
    QLabel* lblcaipiao_;
    QLabel* lblqishu_;
    QLabel* lblzuixin_;
    QLabel* lblgonggao_;
    QLabel* lblzoushi_;
    QLabel* lblxiaqi_;
    QPushButton* btnxiazai_;
    QLabel* lblxinkaijiang_;
    QPushButton* btnchongshi_;
    int behind_ = 0;
};

#pragma once

#include <QStatusBar>

class LotteryDocument;
class QLabel;

/// The main window's status line: the open lottery, its draw count, the newest draw and the active
/// number mapping; while no lottery is open, what to do next (and how to fill an empty database).
class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    MainStatusBar(LotteryDocument& document, QWidget* parent = nullptr);

    /// Shows the document as it is now; also re-reads whether the database holds any draw.
    void refresh();

private:
    QString closedHint() const;

    LotteryDocument& document_;
    QLabel* lblcaipiao_;
    QLabel* lblqishu_;
    QLabel* lblzuixin_;
    QLabel* lblzoushi_;
};

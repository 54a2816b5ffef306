#pragma once

#include <QWidget>

class CodeTrendModel;
class LotteryDocument;
class QTableView;
class RepaintThrottle;

/// 号码走势: the trend grid of the open lottery, the view of the first analysis tab.
class Tfrmcode : public QWidget {
    Q_OBJECT
public:
    /// Rebuilds the standard display tables, so the grid always opens on the real numbers.
    explicit Tfrmcode(LotteryDocument& document, QWidget* parent = nullptr);

    /// Repaints the grid from the display rows as they are now.
    void refresh();
    /// Refreshes once the event loop is free, folding a burst of table rebuilds into one repaint.
    void scheduleRefresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutColumns();

    CodeTrendModel* model_;
    QTableView* grdcode_;
    RepaintThrottle* throttle_;
};

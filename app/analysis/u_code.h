#pragma once

#include <QWidget>

class CodeTrendModel;
class LotteryDocument;
class QCheckBox;
class QTableView;
class RepaintThrottle;

/// 号码走势: the trend grid of the open lottery, the view of the first analysis tab. With "显示遗漏"
/// (on unless the player turned it off earlier in the run) the empty cells show the omissions and
/// the summary rows stand under the grid.
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
    void showOmission(bool shown);

    CodeTrendModel* model_;
    QCheckBox* chkyilou_;
    QTableView* grdcode_;
    QTableView* grdtongji_;
    RepaintThrottle* throttle_;
};

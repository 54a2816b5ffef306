#pragma once

#include <QWidget>

class CodeTrendModel;
class LotteryDocument;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QTableView;
class RepaintThrottle;
class TrendSummaryModel;

/// 号码走势: the trend grid of the open lottery, the view of the first analysis tab. With "显示遗漏"
/// (on unless the player turned it off earlier in the run) the empty cells show the omissions and
/// the summary rows stand under the grid, over the newest draws chosen in 统计期数 (all of them
/// unless the player chose fewer). A draw row's context menu item 开奖公告 and a double-click
/// on it ask for the published results of that draw.
class Tfrmcode : public QWidget {
    Q_OBJECT
public:
    /// Rebuilds the standard display tables, so the grid always opens on the real numbers.
    explicit Tfrmcode(LotteryDocument& document, QWidget* parent = nullptr);

    /// Repaints the grid from the display rows as they are now.
    void refresh();
    /// Refreshes once the event loop is free, folding a burst of table rebuilds into one repaint.
    void scheduleRefresh();

signals:
    /// 开奖公告 of the draw `issue` was asked for.
    void noticeRequested(int issue);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutColumns();
    void showOmission(bool shown);
    /// The issue of the draw in grid row `row`; 0 for none.
    int issueAt(int row) const;

    CodeTrendModel* model_;
    QCheckBox* chkyilou_;
    QTableView* grdcode_;
    QTableView* grdtongji_;
    TrendSummaryModel* summary_;
    QLabel* lbltongji_;
    QComboBox* comtongjiqishu_;
    QAction* actgonggao_;
    // The issue of the row the context menu was opened on; 0 when not a draw row.
    int contextIssue_ = 0;
    RepaintThrottle* throttle_;
};

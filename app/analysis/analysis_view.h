#pragma once

#include "common/text_table_model.h"

#include <QWidget>

class BarChart;
class LotteryDocument;
class QCheckBox;
class QHBoxLayout;
class QPushButton;
class QSplitter;
class QVBoxLayout;
class RecentCountBox;
class RepaintThrottle;
class TextGrid;

/// The frame the indicator views and the zone view share: the history grid under "历史走势：", the
/// bar chart of the newest N draws, the recent-count box, "显示标注" and the recount button. While
/// it is the current tab it follows the main window's 标准走势 / 变幻走势.
class AnalysisView : public QWidget {
    Q_OBJECT
public:
protected:
    AnalysisView(LotteryDocument& document, const QString& objectName, const QString& caption,
                 const QString& recountCaption, QWidget* parent);

    /// Fills the table and the grid in the number space the main window shows now.
    virtual void compute() = 0;
    /// Redraws the chart from the table and N.
    virtual void drawchart() = 0;
    /// The recount button: computes again in the current number space and redraws.
    virtual void btntongjiClick();

    /// Shows a table in the grid: the headers, `rows` rows whose texts `cell` gives, scrolled so
    /// that the newest draws are in view. The first two columns are the issue and the numbers; the
    /// value columns carry `valueTip`, the definition of what they count.
    void showTable(QStringList headers, int rows, TextTableModel::Cell cell, const QString& valueTip);
    /// N as the chart uses it: within 1..rows, 0 without rows.
    int chartRecent(int rows) const;
    /// The history grid's width when the view is first laid out; the chart takes the rest.
    void setGridWidth(int width);

    bool eventFilter(QObject* watched, QEvent* event) override;

    LotteryDocument& document_;
    BarChart* chthistory_;
    RecentCountBox* comzuijingqishu_;
    QCheckBox* chkhistorybiao_;
    QPushButton* btntongji_;
    /// The row of the box, "显示标注" and the button; views add their own controls to it.
    QHBoxLayout* controls_;
    /// The column of the chart and the controls; views add what they show below them.
    QVBoxLayout* side_;

private:
    void placeSplitter();
    void layoutColumns();
    void scrollToNewest();

    TextGrid* tabhistory_;
    QSplitter* splitter_;
    RepaintThrottle* throttle_;
    int gridWidth_ = 0;
};

#pragma once

#include "select/backtest_report.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class BacktestBarChart;
class BacktestTableModel;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QTableView;

/// The back-test frame of the selection windows: the history table 历史中奖, the summary memo, the
/// hit-count frequency chart and the history chart with its 显示标注 box. Each window shows the
/// report its method computed; the windows differ only in the style below.
class BacktestFrame : public QWidget {
    Q_OBJECT
public:
    struct Style {
        QString historyTitle; ///< title of the history chart
        QString summaryCaption = QStringLiteral("历史中奖汇总：");
        bool frequencyChart = true; ///< the hit-count frequency chart is shown
        /// 显示标注 redraws the chart at once; otherwise it takes effect at the next back-test.
        bool marksAtOnce = true;
        /// The last rows are scrolled into view after a back-test.
        bool scrollToEnd = false;
        int tableWidth = 360;
        /// The widths of the four columns for the table's width.
        std::function<std::array<int, 4>(int tableWidth)> columnWidths = [](int) {
            return std::array<int, 4>{55, 100, 130, 50};
        };
    };

    BacktestFrame(const Style& style, QWidget* parent = nullptr);

    /// Shows a back-test: table, summary, frequency chart and history chart.
    void showReport(std::shared_ptr<const quorlin::BacktestReport> report);
    /// The report shown, or null before the first back-test.
    const quorlin::BacktestReport* report() const { return report_.get(); }

private:
    Style style_;
    std::shared_ptr<const quorlin::BacktestReport> report_;
    BacktestTableModel* model_;
    QTableView* tabhistory_;
    QPlainTextEdit* mem_;
    QCheckBox* chkhistorybiao_;
    BacktestBarChart* chthistory_;
    BacktestBarChart* chtcishu_ = nullptr;
};

#pragma once

#include "select/backtest_report.h"

#include <QChartView>

#include <vector>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QValueAxis;

/// A bar chart of a back-test: one titled series of labelled bars, with the value marks above the
/// bars shown on request. Labels under the bars are left out when there are more bars than labels
/// fit; hovering a bar shows its label and value.
class BacktestBarChart : public QChartView {
    Q_OBJECT
public:
    BacktestBarChart(const QString& title, const QString& seriesName, QWidget* parent = nullptr);

    /// Clears the series and fills it with `bars`.
    void setBars(const std::vector<quorlin::ChartBar>& bars);
    /// Shows or hides the value marks.
    void setMarksShown(bool shown);
    bool marksShown() const;

    /// The bars now shown, for tests and the tooltip.
    const std::vector<quorlin::ChartBar>& bars() const { return bars_; }
    QString title() const;
    QString seriesName() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitLabels();

    QBarSeries* series_;
    QBarSet* set_;
    QBarCategoryAxis* axisX_;
    QValueAxis* axisY_;
    std::vector<quorlin::ChartBar> bars_;
};

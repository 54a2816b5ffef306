#pragma once

#include "select/backtest_report.h"

#include <QChartView>

#include <vector>

class QAbstractAxis;
class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QValueAxis;

/// A bar chart of a back-test: one titled series of labelled bars, with the value marks above the
/// bars shown on request. A chart with more bars than labels fit under them (a whole history)
/// goes without the labels; hovering a bar shows its label and value, and a drag zooms into a
/// stretch of bars.
class BacktestBarChart : public QChartView {
    Q_OBJECT
public:
    BacktestBarChart(const QString& title, const QString& seriesName, QWidget* parent = nullptr);

    /// Clears the series and fills it with `bars`.
    void setBars(const std::vector<quorlin::ChartBar>& bars);
    /// Shows or hides the value marks.
    void setMarksShown(bool shown);
    bool marksShown() const;

    /// The bars now shown.
    const std::vector<quorlin::ChartBar>& bars() const { return bars_; }
    QString title() const;
    QString seriesName() const;

private:
    /// Every bar's label has room under it.
    bool labelsFit() const;
    void useAxis(QAbstractAxis* axis);

    QBarSeries* series_;
    QBarSet* set_;
    /// The labelled axis of a chart whose labels fit; it takes thousands of labels slowly (each
    /// is checked against all before it), so a dense chart counts its bars on a plain axis.
    QBarCategoryAxis* labelled_;
    QValueAxis* counted_;
    QValueAxis* axisY_;
    std::vector<quorlin::ChartBar> bars_;
};

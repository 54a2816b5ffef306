#pragma once

#include <QChartView>
#include <QList>
#include <QPointF>
#include <QStringList>

class QAreaSeries;
class QCategoryAxis;
class QLineSeries;

/// The running balance of a replayed scheme draw by draw, beside the running balance of as many
/// random bets at their expected prize, so the player sees whether the scheme beat chance and when:
/// two lines told apart by colour and dash, the gap between them filled, the money axis in 元,
/// 万元 or 亿元 by its range, and a tooltip naming the draw and both balances.
class BalanceChart : public QChartView {
    Q_OBJECT
public:
    explicit BalanceChart(QWidget* parent = nullptr);

    /// One point per draw, oldest first, the draws named by `issues`: the scheme's balance and the
    /// random bets' balance in 元.
    void setBalances(const QStringList& issues, const QList<double>& scheme, const QList<double>& baseline);
    void clear();

    /// (draw index, balance in 元) of each line.
    QList<QPointF> schemePoints() const;
    QList<QPointF> baselinePoints() const;
    /// The names of the series in the legend.
    QStringList seriesNames() const;
    /// The title of the money axis: "累计盈亏（万元）".
    QString moneyAxisTitle() const;
    /// The labels of the money axis, lowest first.
    QStringList moneyAxisLabels() const;
    /// The tooltip of draw `index`: its issue and both balances in full; empty outside the draws.
    QString pointTip(qsizetype index) const;
    QLineSeries* schemeSeries() const { return scheme_; }
    QLineSeries* baselineSeries() const { return baseline_; }

private:
    void labelMoneyAxis(double low, double high);

    QLineSeries* scheme_;
    QLineSeries* baseline_;
    QLineSeries* zero_;
    // The band between the two lines, over copies of their points.
    QLineSeries* bandUpper_;
    QLineSeries* bandLower_;
    QAreaSeries* band_;
    QCategoryAxis* axisX_;
    QCategoryAxis* axisY_;
    QStringList issues_;
};

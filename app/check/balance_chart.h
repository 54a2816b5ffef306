#pragma once

#include <QChartView>
#include <QList>
#include <QPointF>
#include <QStringList>

class QCategoryAxis;
class QLineSeries;
class QValueAxis;

/// The running balance of a replayed scheme draw by draw, beside the running balance of as many
/// random bets at their expected prize, so the player sees whether the scheme beat chance and when.
class BalanceChart : public QChartView {
    Q_OBJECT
public:
    explicit BalanceChart(QWidget* parent = nullptr);

    /// One point per draw, oldest first, the draws named by `issues`: the scheme's balance and the
    /// random bets' balance in 元.
    void setBalances(const QStringList& issues, const QList<double>& scheme, const QList<double>& baseline);
    void clear();

    /// (draw index, balance) of each line.
    QList<QPointF> schemePoints() const;
    QList<QPointF> baselinePoints() const;
    QStringList seriesNames() const;

private:
    QLineSeries* scheme_;
    QLineSeries* baseline_;
    QLineSeries* zero_;
    QCategoryAxis* axisX_;
    QValueAxis* axisY_;
    QStringList issues_;
};

#pragma once

#include <QChartView>
#include <QList>
#include <QPointF>
#include <QStringList>

class QAreaSeries;
class QCategoryAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

/// One condition of a back-test over its draws: the drawn combination's value per draw as points
/// joined by a line, the range the condition keeps as a shaded band behind them, and the values
/// outside the band marked, so the player sees where the winners fell against the range.
class ConditionValueChart : public QChartView {
    Q_OBJECT
public:
    explicit ConditionValueChart(QWidget* parent = nullptr);

    /// Shows `values` (one per draw, oldest first, the draws named by `issues`) against the range
    /// lo..hi under `title`.
    void setValues(const QString& title, const QStringList& issues, const QList<int>& values, int lo, int hi);
    /// An empty chart under `title`.
    void clearValues(const QString& title);

    QString title() const;
    /// The points on the line and the marked ones outside the range, (draw index, value).
    QList<QPointF> points() const;
    QList<QPointF> outsidePoints() const;
    /// The band's lower and upper bound.
    double bandLow() const;
    double bandHigh() const;

private:
    /// Spaces the value labels so that each has the height it needs to be read whole.
    void fitValueTicks();

    QLineSeries* line_;
    QScatterSeries* outside_;
    QLineSeries* bandLower_;
    QLineSeries* bandUpper_;
    QAreaSeries* band_;
    QCategoryAxis* axisX_;
    QValueAxis* axisY_;
    QStringList issues_;
};

#include "check/condition_value_chart.h"

#include "common/chart_picture_menu.h"
#include "common/issue_axis.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QFontMetricsF>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>

namespace {

// Issue labels under the axis: no more than this many, so they never run together.
constexpr int kMostIssueLabels = 6;
const QColor kBand(60, 170, 60, 70);
const QColor kLine(30, 90, 200);
const QColor kOutside(220, 30, 30);
// The room the chart gives each value label: its height and the padding above and below it. A
// label given less is cut down to dots.
constexpr double kLabelPadding = 5;

// The step of 1, 2 or 5 times a power of ten that divides `span` into no more than `most` parts.
double valueStep(double span, int most)
{
    for (double scale = 1;; scale *= 10)
        for (const double factor : {1.0, 2.0, 5.0})
            if (span / (factor * scale) <= most)
                return factor * scale;
}

} // namespace

ConditionValueChart::ConditionValueChart(QWidget* parent)
    : QChartView(parent), line_(new QLineSeries), outside_(new QScatterSeries), bandLower_(new QLineSeries),
      bandUpper_(new QLineSeries), band_(new QAreaSeries(bandUpper_, bandLower_)), axisX_(new QCategoryAxis),
      axisY_(new QValueAxis)
{
    ChartPictureMenu::install(this);
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    band_->setName(QStringLiteral("条件范围"));
    band_->setBrush(kBand);
    band_->setPen(QPen(kBand.darker(150), 1));
    line_->setName(QStringLiteral("开奖号码的值"));
    line_->setPen(QPen(kLine, 1.5));
    line_->setPointsVisible(true);
    outside_->setName(QStringLiteral("范围之外"));
    outside_->setColor(kOutside);
    outside_->setBorderColor(kOutside);
    outside_->setMarkerSize(8);
    // The band first, so the line and the marks lie on it.
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(band_), static_cast<QAbstractSeries*>(line_),
                                    static_cast<QAbstractSeries*>(outside_)})
        chart->addSeries(series);
    axisX_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart->addAxis(axisX_, Qt::AlignBottom);
    chart->addAxis(axisY_, Qt::AlignLeft);
    axisY_->setLabelFormat("%d");
    axisY_->setTickType(QValueAxis::TicksDynamic);
    axisY_->setTickAnchor(0);
    connect(chart, &QChart::plotAreaChanged, this, &ConditionValueChart::fitValueTicks);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(axisX_);
        series->attachAxis(axisY_);
    }
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    const auto tip = [this](const QPointF& point, bool state) {
        const auto at = static_cast<qsizetype>(point.x() + 0.5);
        if (state && at >= 0 && at < issues_.size())
            QToolTip::showText(QCursor::pos(), QStringLiteral("%1 期：%2").arg(issues_[at]).arg(point.y()), this);
    };
    connect(line_, &QLineSeries::hovered, this, tip);
    connect(outside_, &QScatterSeries::hovered, this, tip);
    clearValues(QString());
}

void ConditionValueChart::setValues(const QString& title, const QStringList& issues, const QList<int>& values, int lo,
                                    int hi)
{
    chart()->setTitle(title);
    issues_ = issues;
    QList<QPointF> points, outside;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QPointF p(static_cast<qreal>(i), values[i]);
        points.append(p);
        if (values[i] < lo || values[i] > hi)
            outside.append(p);
    }
    line_->replace(points);
    outside_->replace(outside);
    const qreal first = -0.5;
    const qreal last = std::max<qreal>(static_cast<qreal>(values.size()) - 0.5, 0.5);
    bandLower_->replace({QPointF(first, lo), QPointF(last, lo)});
    bandUpper_->replace({QPointF(first, hi), QPointF(last, hi)});
    band_->setName(QStringLiteral("条件范围 %1-%2").arg(lo).arg(hi));

    // The values fill the height; a range far wider than they are (和值 0-999) only reaches a
    // little beyond them.
    const int low = values.isEmpty() ? lo : *std::min_element(values.begin(), values.end());
    const int high = values.isEmpty() ? hi : *std::max_element(values.begin(), values.end());
    const int room = std::max(1, (high - low) / 2);
    const int bottom = std::max(std::min(low, lo), low - room) - 1;
    const int top = std::min(std::max(high, hi), high + room) + 1;
    axisY_->setRange(bottom, top);
    fitValueTicks();

    labelIssueAxis(*axisX_, issues, kMostIssueLabels, first, last);
}

void ConditionValueChart::fitValueTicks()
{
    // As many labels as the height holds, one tick between each, on whole values.
    const double room = QFontMetricsF(axisY_->labelsFont()).height() + 2 * kLabelPadding;
    const int labels = std::max(2, static_cast<int>(chart()->plotArea().height() / room));
    const double step = valueStep(axisY_->max() - axisY_->min(), labels - 1);
    if (step != axisY_->tickInterval())
        axisY_->setTickInterval(step);
}

void ConditionValueChart::clearValues(const QString& title)
{
    setValues(title, {}, {}, 0, 0);
}

QString ConditionValueChart::title() const
{
    return chart()->title();
}

QList<QPointF> ConditionValueChart::points() const
{
    return line_->points();
}

QList<QPointF> ConditionValueChart::outsidePoints() const
{
    return outside_->points();
}

double ConditionValueChart::bandLow() const
{
    return bandLower_->points().isEmpty() ? 0 : bandLower_->points().first().y();
}

double ConditionValueChart::bandHigh() const
{
    return bandUpper_->points().isEmpty() ? 0 : bandUpper_->points().first().y();
}

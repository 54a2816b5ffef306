#include "check/balance_chart.h"

#include "common/chart_picture_menu.h"
#include "common/issue_axis.h"

#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Issue labels under the axis: no more than this many, so they never run together.
constexpr int kMostIssueLabels = 8;
const QColor kScheme(210, 40, 40);
const QColor kBaseline(60, 110, 200);

QList<QPointF> pointsOf(const QList<double>& values)
{
    QList<QPointF> points;
    points.reserve(values.size());
    for (qsizetype i = 0; i < values.size(); ++i)
        points.append(QPointF(static_cast<qreal>(i), values[i]));
    return points;
}

} // namespace

BalanceChart::BalanceChart(QWidget* parent)
    : QChartView(parent), scheme_(new QLineSeries), baseline_(new QLineSeries), zero_(new QLineSeries),
      axisX_(new QCategoryAxis), axisY_(new QValueAxis)
{
    ChartPictureMenu::install(this);
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setTitle(QStringLiteral("累计盈亏（元）"));
    scheme_->setName(QStringLiteral("方案累计盈亏"));
    scheme_->setPen(QPen(kScheme, 2));
    baseline_->setName(QStringLiteral("随机基准累计盈亏"));
    baseline_->setPen(QPen(kBaseline, 2, Qt::DashLine));
    // Break-even: above it the money won more than the stake.
    zero_->setPen(QPen(Qt::gray, 1, Qt::DotLine));
    for (QLineSeries* series : {zero_, baseline_, scheme_})
        chart->addSeries(series);
    chart->legend()->markers(zero_).first()->setVisible(false);
    axisX_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart->addAxis(axisX_, Qt::AlignBottom);
    chart->addAxis(axisY_, Qt::AlignLeft);
    axisY_->setLabelFormat("%.0f");
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(axisX_);
        series->attachAxis(axisY_);
    }
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    for (QLineSeries* series : {scheme_, baseline_})
        connect(series, &QLineSeries::hovered, this, [this, series](const QPointF& point, bool state) {
            const auto at = static_cast<qsizetype>(std::lround(point.x()));
            if (state && at >= 0 && at < issues_.size() && at < series->count())
                QToolTip::showText(QCursor::pos(),
                                   QStringLiteral("%1 期 %2：%3 元")
                                       .arg(issues_[at], series->name())
                                       .arg(series->at(static_cast<int>(at)).y(), 0, 'f', 0),
                                   this);
        });
    clear();
}

void BalanceChart::setBalances(const QStringList& issues, const QList<double>& scheme, const QList<double>& baseline)
{
    issues_ = issues;
    scheme_->replace(pointsOf(scheme));
    baseline_->replace(pointsOf(baseline));
    const qreal first = 0;
    const qreal last = std::max<qreal>(static_cast<qreal>(issues.size()) - 1, 1);
    zero_->replace({QPointF(first, 0), QPointF(last, 0)});

    // Zero always in sight, so a line wholly below it still reads as a loss.
    double low = 0;
    double high = 0;
    for (const QList<double>* values : {&scheme, &baseline})
        for (const double v : *values) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    if (high - low < 1)
        high = low + 1;
    axisY_->setRange(low, high);
    axisY_->applyNiceNumbers();

    labelIssueAxis(*axisX_, issues, kMostIssueLabels, first, last);
}

void BalanceChart::clear()
{
    setBalances({}, {}, {});
}

QList<QPointF> BalanceChart::schemePoints() const
{
    return scheme_->points();
}

QList<QPointF> BalanceChart::baselinePoints() const
{
    return baseline_->points();
}

QStringList BalanceChart::seriesNames() const
{
    QStringList names;
    for (const QAbstractSeries* series : chart()->series())
        if (!series->name().isEmpty())
            names << series->name();
    return names;
}

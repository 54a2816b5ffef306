#include "check/balance_chart.h"

#include "common/chart_picture_menu.h"
#include "common/issue_axis.h"
#include "common/money_text.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

// Issue labels under the axis: no more than this many, so they never run together.
constexpr int kMostIssueLabels = 8;
// Money ticks: about this many steps between the lowest and the highest.
constexpr double kMoneySteps = 6;
const QColor kScheme(210, 40, 40);
const QColor kBaseline(40, 90, 200);
const QColor kBand(150, 150, 150, 60);

QList<QPointF> pointsOf(const QList<double>& values)
{
    QList<QPointF> points;
    points.reserve(values.size());
    for (qsizetype i = 0; i < values.size(); ++i)
        points.append(QPointF(static_cast<qreal>(i), values[i]));
    return points;
}

// The step of 1, 2 or 5 times a power of ten that cuts `span` into about kMoneySteps steps.
double niceStep(double span)
{
    const double rough = span / kMoneySteps;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough)
            return factor * power;
    return 10 * power;
}

} // namespace

BalanceChart::BalanceChart(QWidget* parent)
    : QChartView(parent), scheme_(new QLineSeries), baseline_(new QLineSeries), zero_(new QLineSeries),
      bandUpper_(new QLineSeries(this)), bandLower_(new QLineSeries(this)),
      band_(new QAreaSeries(bandUpper_, bandLower_)), axisX_(new QCategoryAxis), axisY_(new QCategoryAxis)
{
    ChartPictureMenu::install(this);
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    scheme_->setName(QStringLiteral("方案累计盈亏"));
    scheme_->setPen(QPen(kScheme, 2.5, Qt::SolidLine));
    baseline_->setName(QStringLiteral("随机基准累计盈亏"));
    baseline_->setPen(QPen(kBaseline, 2, Qt::DashLine));
    band_->setName(QStringLiteral("方案与随机基准之差"));
    band_->setPen(Qt::NoPen);
    band_->setBrush(kBand);
    // Break-even: above it the money won more than the stake.
    zero_->setPen(QPen(Qt::gray, 1, Qt::DotLine));
    for (QAbstractSeries* series : std::initializer_list<QAbstractSeries*>{band_, zero_, baseline_, scheme_})
        chart->addSeries(series);
    chart->legend()->markers(zero_).first()->setVisible(false);
    axisX_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axisY_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart->addAxis(axisX_, Qt::AlignBottom);
    chart->addAxis(axisY_, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(axisX_);
        series->attachAxis(axisY_);
    }
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    for (QLineSeries* series : {scheme_, baseline_})
        connect(series, &QLineSeries::hovered, this, [this](const QPointF& point, bool state) {
            const QString tip = state ? pointTip(static_cast<qsizetype>(std::lround(point.x()))) : QString();
            if (!tip.isEmpty())
                QToolTip::showText(QCursor::pos(), tip, this);
        });
    clear();
}

void BalanceChart::setBalances(const QStringList& issues, const QList<double>& scheme, const QList<double>& baseline)
{
    issues_ = issues;
    scheme_->replace(pointsOf(scheme));
    baseline_->replace(pointsOf(baseline));
    bandUpper_->replace(scheme_->points());
    bandLower_->replace(baseline_->points());
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
    labelMoneyAxis(low, high);
    labelIssueAxis(*axisX_, issues, kMostIssueLabels, first, last);
}

void BalanceChart::labelMoneyAxis(double low, double high)
{
    const quorlin::MoneyScale scale = quorlin::moneyScale(std::max(std::fabs(low), std::fabs(high)));
    axisY_->setTitleText(QStringLiteral("累计盈亏（%1）").arg(QString::fromUtf8(scale.unit)));
    // Ticks at whole steps in the axis's unit, labelled with as many decimals as a step needs.
    const double bottom = low / scale.divisor;
    const double top = high / scale.divisor;
    const double step = niceStep(std::max(top - bottom, 1.0));
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step))));
    const double firstTick = std::floor(bottom / step) * step;
    const double lastTick = std::ceil(top / step) * step;
    for (const QString& label : axisY_->categoriesLabels())
        axisY_->remove(label);
    axisY_->setStartValue(firstTick * scale.divisor);
    const auto steps = static_cast<int>(std::lround((lastTick - firstTick) / step));
    for (int k = 0; k <= steps; ++k) {
        const double tick = firstTick + k * step;
        // No "-0" where the ticks pass zero.
        axisY_->append(QString::number(std::fabs(tick) < step / 2 ? 0.0 : tick, 'f', decimals), tick * scale.divisor);
    }
    axisY_->setRange(firstTick * scale.divisor, std::max(lastTick, firstTick + step) * scale.divisor);
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

QString BalanceChart::moneyAxisTitle() const
{
    return axisY_->titleText();
}

QStringList BalanceChart::moneyAxisLabels() const
{
    return axisY_->categoriesLabels();
}

QString BalanceChart::pointTip(qsizetype index) const
{
    if (index < 0 || index >= issues_.size() || index >= scheme_->count() || index >= baseline_->count())
        return {};
    const auto at = static_cast<int>(index);
    const double scheme = scheme_->at(at).y();
    const double baseline = baseline_->at(at).y();
    return QStringLiteral("第%1期\n%2：%3\n%4：%5\n方案比随机基准：%6")
        .arg(issues_[index], scheme_->name(), QString::fromStdString(quorlin::yuanFullText(scheme)), baseline_->name(),
             QString::fromStdString(quorlin::yuanFullText(baseline)),
             QString::fromStdString((scheme >= baseline ? "+" : "") + quorlin::yuanFullText(scheme - baseline)));
}

#include "common/bar_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLayout>
#include <QLegend>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Room the chart keeps around a label under a bar (its padding on both sides and a margin); with
// less the chart cuts the label down to dots.
constexpr int kLabelRoom = 14;
// What the value axis and the margins take of the view's width before the plot.
constexpr int kAxisAllowance = 80;
// How much darker a bar's edge is than the bar (percent, as QColor::darker takes it).
constexpr int kEdgeShade = 130;
// Head room above the highest bar for its value label.
constexpr double kHeadRoom = 1.15;
// Value ticks are spaced so that no more than this many stand on the axis.
constexpr double kMostTicks = 8;

} // namespace

BarChart::BarChart(const QString& title, QWidget* parent) : QChartView(parent)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    setChart(chart);

    // One bar series and its two axes live as long as the chart; draw() refills them.
    shown_ = new QBarSeries;
    shown_->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    shown_->setLabelsFormat(QStringLiteral("@value"));
    chart->addSeries(shown_);
    categories_ = new QBarCategoryAxis;
    categories_->setGridLineVisible(false);
    chart->addAxis(categories_, Qt::AlignBottom);
    shown_->attachAxis(categories_);
    values_ = new QValueAxis;
    values_->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(values_, Qt::AlignLeft);
    shown_->attachAxis(values_);
}

int BarChart::addSeries(const QString& title, const QColor& colour)
{
    series_.append({title, colour, {}, true});
    return static_cast<int>(series_.size()) - 1;
}

void BarChart::setBars(int series, QList<Bar> bars)
{
    series_[series].bars = std::move(bars);
}

void BarChart::setSeriesTitle(int series, const QString& title)
{
    series_[series].title = title;
}

void BarChart::setSeriesVisible(int series, bool visible)
{
    series_[series].visible = visible;
}

void BarChart::setValueLabelsVisible(bool visible)
{
    valueLabels_ = visible;
}

void BarChart::draw()
{
    shown_->clear();
    double highest = 0;
    for (const Series& s : std::as_const(series_)) {
        if (!s.visible)
            continue;
        auto* set = new QBarSet(s.title);
        set->setColor(s.colour);
        // A white bar on the white plot needs an edge to be seen; a shade of the bar's own colour
        // keeps thousands of thin bars in their colour.
        set->setBorderColor(s.colour.darker(kEdgeShade));
        QList<qreal> values;
        values.reserve(s.bars.size());
        for (const Bar& bar : s.bars) {
            values.append(bar.value);
            highest = std::max(highest, bar.value);
        }
        set->append(values);
        shown_->append(set);
    }
    shown_->setLabelsVisible(valueLabels_);

    QStringList labels;
    if (!series_.isEmpty())
        for (const Bar& bar : std::as_const(series_.first().bars))
            labels.append(bar.label);
    categories_->clear();
    categories_->append(labels);
    // The values are counts: ticks at whole steps of 1, 2 or 5 times a power of ten.
    const double top = std::max(1.0, highest * kHeadRoom);
    const double factors[3] = {2, 2.5, 2}; // 1 → 2 → 5 → 10 → 20 …
    double step = 1;
    for (int k = 0; top / step > kMostTicks; ++k)
        step *= factors[k % 3];
    values_->setTickType(QValueAxis::TicksDynamic);
    values_->setTickAnchor(0);
    values_->setTickInterval(step);
    values_->setRange(0, std::ceil(top / step) * step);
    fitLabels();
}

void BarChart::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    fitLabels();
}

void BarChart::fitLabels()
{
    const int count = static_cast<int>(categories_->count());
    if (count == 0)
        return;
    const QFontMetrics metrics(categories_->labelsFont());
    int widest = 0;
    for (const QString& label : categories_->categories())
        widest = std::max(widest, metrics.horizontalAdvance(label));
    const int perBar = (width() - kAxisAllowance) / count;
    const bool flat = perBar >= widest + kLabelRoom;
    const bool upright = !flat && perBar >= metrics.height() + kLabelRoom;
    const int angle = flat ? 0 : -90;
    // Too many bars for even upright labels: they would only overlap into a black band.
    const bool visible = flat || upright;
    if (angle == categories_->labelsAngle() && visible == categories_->labelsVisible())
        return;
    categories_->setLabelsAngle(angle);
    categories_->setLabelsVisible(visible);
    // The axis keeps the height of its old labels until the chart lays itself out again.
    chart()->layout()->invalidate();
}

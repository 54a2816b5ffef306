#include "select/backtest_bar_chart.h"

#include "common/chart_picture_menu.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCursor>
#include <QFontMetrics>
#include <QPen>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>

BacktestBarChart::BacktestBarChart(const QString& title, const QString& seriesName, QWidget* parent)
    : QChartView(parent), series_(new QBarSeries), set_(new QBarSet(seriesName)), labelled_(new QBarCategoryAxis),
      counted_(new QValueAxis), axisY_(new QValueAxis)
{
    ChartPictureMenu::install(this);
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    // Thousands of bars: an animation would only slow the redraw.
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    set_->setLabelColor(Qt::black);
    series_->append(set_);
    series_->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    chart->addSeries(series_);
    chart->addAxis(axisY_, Qt::AlignLeft);
    series_->attachAxis(axisY_);
    axisY_->setLabelFormat("%d");
    counted_->setLabelsVisible(false);
    counted_->setGridLineVisible(false);
    // Both x axes belong to the chart; only one is attached at a time.
    labelled_->setParent(this);
    counted_->setParent(this);
    setChart(chart);
    useAxis(labelled_);
    // A drag along the history zooms into those draws; a right click zooms out again.
    setRubberBand(QChartView::HorizontalRubberBand);
    connect(series_, &QBarSeries::hovered, this, [this](bool status, int index, QBarSet*) {
        if (status && index >= 0 && index < static_cast<int>(bars_.size())) {
            const quorlin::ChartBar& bar = bars_[static_cast<std::size_t>(index)];
            QToolTip::showText(QCursor::pos(),
                               QString::fromStdString(bar.label) + QStringLiteral("：") + QString::number(bar.value),
                               this);
        }
    });
}

void BacktestBarChart::useAxis(QAbstractAxis* axis)
{
    for (QAbstractAxis* attached : series_->attachedAxes())
        if (attached->orientation() == Qt::Horizontal) {
            series_->detachAxis(attached);
            chart()->removeAxis(attached);
            attached->setParent(this);
        }
    chart()->addAxis(axis, Qt::AlignBottom);
    series_->attachAxis(axis);
}

void BacktestBarChart::setBars(const std::vector<quorlin::ChartBar>& bars)
{
    bars_ = bars;
    QList<qreal> values;
    values.reserve(static_cast<qsizetype>(bars.size()));
    int highest = 0;
    for (const quorlin::ChartBar& bar : bars) {
        values.append(bar.value);
        highest = std::max(highest, bar.value);
    }
    set_->remove(0, set_->count());
    const bool labels = labelsFit();
    if (labels) {
        QStringList texts;
        for (const quorlin::ChartBar& bar : bars)
            texts.append(QString::fromStdString(bar.label));
        labelled_->clear();
        labelled_->append(texts);
        useAxis(labelled_);
    } else {
        counted_->setRange(-0.5, static_cast<qreal>(bars.size()) - 0.5);
        useAxis(counted_);
    }
    set_->append(values);
    // Room above the highest bar for its mark; the small counts of hits get a line every one or
    // two hits, the frequencies round steps.
    int top = highest + 1 + highest / 5;
    if (top > 4 && top <= 10)
        top += top % 2;
    axisY_->setRange(0, top);
    axisY_->setTickCount(top <= 4 ? top + 1 : top <= 10 ? top / 2 + 1 : 5);
    if (top > 10)
        axisY_->applyNiceNumbers();
    // Bars narrower than a pixel: drawn edge to edge without outlines and smoothed, so that a
    // whole history reads as the shape of its hit counts instead of vanishing.
    series_->setBarWidth(labels ? 0.8 : 1.0);
    set_->setPen(labels ? QPen(set_->brush().color().darker(120)) : QPen(Qt::NoPen));
    setRenderHint(QPainter::Antialiasing, !labels);
}

void BacktestBarChart::setMarksShown(bool shown)
{
    series_->setLabelsVisible(shown);
}

bool BacktestBarChart::marksShown() const
{
    return series_->isLabelsVisible();
}

QString BacktestBarChart::title() const
{
    return chart()->title();
}

QString BacktestBarChart::seriesName() const
{
    return set_->label();
}

bool BacktestBarChart::labelsFit() const
{
    const QFontMetrics metrics(labelled_->labelsFont());
    int widest = 0;
    for (const quorlin::ChartBar& bar : bars_)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(bar.label)));
    return bars_.empty() || chart()->plotArea().width() / static_cast<qreal>(bars_.size()) >= widest + 4;
}

#include "select/backtest_bar_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCursor>
#include <QFontMetrics>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>

BacktestBarChart::BacktestBarChart(const QString& title, const QString& seriesName, QWidget* parent)
    : QChartView(parent), series_(new QBarSeries), set_(new QBarSet(seriesName)), axisX_(new QBarCategoryAxis),
      axisY_(new QValueAxis)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    // Thousands of bars: animations and antialiasing would only slow the redraw.
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    series_->append(set_);
    series_->setBarWidth(0.8);
    series_->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    chart->addSeries(series_);
    chart->addAxis(axisX_, Qt::AlignBottom);
    chart->addAxis(axisY_, Qt::AlignLeft);
    series_->attachAxis(axisX_);
    series_->attachAxis(axisY_);
    axisY_->setLabelFormat("%d");
    setChart(chart);
    setRenderHint(QPainter::Antialiasing, false);
    connect(series_, &QBarSeries::hovered, this, [this](bool status, int index, QBarSet*) {
        if (status && index >= 0 && index < static_cast<int>(bars_.size()))
            QToolTip::showText(QCursor::pos(),
                               QString::fromStdString(bars_[static_cast<std::size_t>(index)].label) + QStringLiteral("：") +
                                   QString::number(bars_[static_cast<std::size_t>(index)].value),
                               this);
    });
}

void BacktestBarChart::setBars(const std::vector<quorlin::ChartBar>& bars)
{
    bars_ = bars;
    QList<qreal> values;
    QStringList labels;
    values.reserve(static_cast<qsizetype>(bars.size()));
    labels.reserve(static_cast<qsizetype>(bars.size()));
    int highest = 0;
    for (const quorlin::ChartBar& bar : bars) {
        values.append(bar.value);
        labels.append(QString::fromStdString(bar.label));
        highest = std::max(highest, bar.value);
    }
    set_->remove(0, set_->count());
    axisX_->clear();
    axisX_->append(labels);
    set_->append(values);
    // Room above the highest bar for its mark; whole numbers only.
    axisY_->setRange(0, highest + 1);
    axisY_->setTickCount(std::min(highest + 1, 5) + 1);
    fitLabels();
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

void BacktestBarChart::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    fitLabels();
}

void BacktestBarChart::fitLabels()
{
    // Category labels that would overlap are a black smear: show them only when each has room.
    const QFontMetrics metrics(axisX_->labelsFont());
    int widest = 0;
    for (const quorlin::ChartBar& bar : bars_)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(bar.label)));
    const qreal room = bars_.empty() ? 0 : chart()->plotArea().width() / static_cast<qreal>(bars_.size());
    axisX_->setLabelsVisible(bars_.empty() || room >= widest + 4);
}

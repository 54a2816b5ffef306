#include "common/bar_chart.h"

#include "common/chart_picture_menu.h"
#include "common/money_text.h"

#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 6;
// Space between the title, the legend, the plot and the labels around it.
constexpr int kGap = 6;
constexpr int kLegendMark = 10;
constexpr int kLegendSpacing = 16;
// Room a label under a bar keeps free beside it; with less the labels would touch.
constexpr int kLabelRoom = 6;
// The share of its category's width a group of bars fills, the rest a gap to the next group.
constexpr double kGroupWidth = 0.5;
// Bars narrower than this are painted without an edge, which would swallow their colour.
constexpr double kEdgedBar = 3;
// How much darker a bar's edge is than the bar (percent, as QColor::darker takes it).
constexpr int kEdgeShade = 130;
// The smallest type a value label shrinks to above a narrow bar.
constexpr double kSmallestValuePoints = 6.0;
// Head room above the highest bar for its value label.
constexpr double kHeadRoom = 1.15;
// Value ticks are spaced so that no more than this many stand on the axis.
constexpr double kMostTicks = 8;
const QColor kGridLine(225, 225, 225);
const QColor kAxisLine(150, 150, 150);

} // namespace

QString BarChart::valueText(double value)
{
    if (value >= 0 && value < 1.8e19 && value == std::floor(value))
        return QString::fromStdString(quorlin::countShortText(static_cast<std::uint64_t>(value), ""));
    return QString::number(value);
}

QString BarChart::tickText(double value)
{
    static const QRegularExpression zeros(QStringLiteral("\\.00(?=[万亿])"));
    return valueText(value).remove(zeros);
}

BarChart::BarChart(const QString& title, QWidget* parent) : QWidget(parent), title_(title)
{
    ChartPictureMenu::install(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 100);
}

void BarChart::setTitle(const QString& title)
{
    title_ = title;
    update();
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
    Picture picture;
    double highest = 0;
    for (const Series& s : std::as_const(series_)) {
        if (!s.visible)
            continue;
        QList<double> values;
        values.reserve(s.bars.size());
        for (const Bar& bar : s.bars) {
            values.append(bar.value);
            highest = std::max(highest, bar.value);
        }
        picture.titles.append(s.title);
        picture.colours.append(s.colour);
        picture.values.append(std::move(values));
    }
    if (!series_.isEmpty())
        for (const Bar& bar : std::as_const(series_.first().bars))
            picture.labels.append(bar.label);
    picture.valuesShown = valueLabels_;
    // The values are counts: ticks at whole steps of 1, 2 or 5 times a power of ten.
    const double top = std::max(1.0, highest * kHeadRoom);
    const double factors[3] = {2, 2.5, 2}; // 1 → 2 → 5 → 10 → 20 …
    double step = 1;
    for (int k = 0; top / step > kMostTicks; ++k)
        step *= factors[k % 3];
    picture.step = step;
    picture.top = std::ceil(top / step) * step;
    picture_ = std::move(picture);
    update();
}

BarChart::LabelFit BarChart::labelFit(int plotWidth) const
{
    const auto count = picture_.labels.size();
    if (count == 0)
        return LabelFit::Hidden;
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const QString& label : picture_.labels)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    const double perBar = double(plotWidth) / double(count);
    if (perBar >= widest + kLabelRoom)
        return LabelFit::Flat;
    return perBar >= metrics.height() + kLabelRoom ? LabelFit::Upright : LabelFit::Hidden;
}

void BarChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QFontMetrics metrics(font());
    const QColor ink = palette().color(QPalette::WindowText);
    painter.setPen(ink);
    QRect area = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);

    if (!title_.isEmpty()) {
        painter.drawText(QRect(area.left(), area.top(), area.width(), metrics.height()), Qt::AlignCenter, title_);
        area.setTop(area.top() + metrics.height() + kGap);
    }
    if (!picture_.titles.isEmpty()) {
        int legendWidth = 0;
        for (const QString& t : std::as_const(picture_.titles))
            legendWidth += kLegendMark + kGap + metrics.horizontalAdvance(t) + kLegendSpacing;
        int x = area.left() + std::max(0, (area.width() - legendWidth + kLegendSpacing) / 2);
        const int markTop = area.top() + (metrics.height() - kLegendMark) / 2;
        for (qsizetype s = 0; s < picture_.titles.size(); ++s) {
            painter.fillRect(x, markTop, kLegendMark, kLegendMark, picture_.colours[s]);
            x += kLegendMark + kGap;
            painter.drawText(x, area.top() + metrics.ascent(), picture_.titles[s]);
            x += metrics.horizontalAdvance(picture_.titles[s]) + kLegendSpacing;
        }
        area.setTop(area.top() + metrics.height() + kGap);
    }

    // The value axis: its widest tick label decides where the plot begins.
    QStringList ticks;
    for (double v = 0; v <= picture_.top + picture_.step / 2; v += picture_.step)
        ticks.append(tickText(v));
    int axisWidth = 0;
    for (const QString& t : std::as_const(ticks))
        axisWidth = std::max(axisWidth, metrics.horizontalAdvance(t));
    QRect plot = area.adjusted(axisWidth + kGap, metrics.height() / 2, 0, 0);
    const LabelFit fit = labelFit(plot.width());
    int labelHeight = 0;
    if (fit == LabelFit::Flat)
        labelHeight = metrics.height();
    else if (fit == LabelFit::Upright)
        for (const QString& label : std::as_const(picture_.labels))
            labelHeight = std::max(labelHeight, metrics.horizontalAdvance(label));
    plot.setBottom(plot.bottom() - labelHeight - kGap);
    if (plot.height() <= 0 || plot.width() <= 0)
        return;

    auto yOf = [&](double value) { return plot.bottom() - value / picture_.top * plot.height(); };
    for (qsizetype k = 0; k < ticks.size(); ++k) {
        const int y = static_cast<int>(std::lround(yOf(double(k) * picture_.step)));
        painter.setPen(kGridLine);
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(ink);
        painter.drawText(QRect(area.left(), y - metrics.height() / 2, axisWidth, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, ticks[k]);
    }
    painter.setPen(kAxisLine);
    painter.drawLine(plot.left(), plot.top(), plot.left(), plot.bottom());
    painter.drawLine(plot.left(), plot.bottom(), plot.right(), plot.bottom());

    qsizetype groups = picture_.labels.size();
    for (const QList<double>& values : std::as_const(picture_.values))
        groups = std::max(groups, values.size());
    const auto sets = picture_.values.size();
    if (groups == 0 || sets == 0)
        return;
    const double category = double(plot.width()) / double(groups);
    const double barWidth = category * kGroupWidth / double(sets);
    const double groupStart = category * (1 - kGroupWidth) / 2;
    for (qsizetype s = 0; s < sets; ++s) {
        const QColor fill = picture_.colours[s];
        const QColor edge = fill.darker(kEdgeShade);
        const QList<double>& values = picture_.values[s];
        for (qsizetype i = 0; i < values.size(); ++i) {
            const double left = plot.left() + double(i) * category + groupStart + double(s) * barWidth;
            const double top = yOf(std::max(0.0, values[i]));
            if (barWidth >= kEdgedBar) {
                painter.setPen(edge);
                painter.setBrush(fill);
                painter.drawRect(QRectF(left, top, barWidth, plot.bottom() - top));
            } else {
                // A bar under a pixel wide still shows as one pixel in its colour.
                const int x = static_cast<int>(left);
                const int y = static_cast<int>(std::lround(top));
                painter.fillRect(x, y, std::max(1, static_cast<int>(std::lround(barWidth))), plot.bottom() - y, fill);
            }
            if (picture_.valuesShown) {
                painter.setPen(ink);
                const QString text = valueText(values[i]);
                const int centre = static_cast<int>(left + barWidth / 2);
                // Bars side by side with labels wider than a bar: a smaller type keeps the labels
                // of neighbours apart.
                const QFont shown = painter.font();
                const int natural = metrics.horizontalAdvance(text);
                if (sets > 1 && natural > barWidth && shown.pointSizeF() > 0) {
                    QFont smaller = shown;
                    smaller.setPointSizeF(std::max(kSmallestValuePoints, shown.pointSizeF() * barWidth / natural));
                    painter.setFont(smaller);
                }
                const QFontMetrics valueMetrics = painter.fontMetrics();
                const int width = valueMetrics.horizontalAdvance(text);
                painter.drawText(centre - width / 2, static_cast<int>(top) - valueMetrics.descent() - 1, text);
                painter.setFont(shown);
            }
        }
    }

    painter.setPen(ink);
    const int labelsTop = plot.bottom() + kGap;
    for (qsizetype i = 0; fit != LabelFit::Hidden && i < picture_.labels.size(); ++i) {
        const int centre = static_cast<int>(plot.left() + (double(i) + 0.5) * category);
        const QString& label = picture_.labels[i];
        const int width = metrics.horizontalAdvance(label);
        if (fit == LabelFit::Flat) {
            painter.drawText(QRect(centre - width / 2 - 1, labelsTop, width + 2, metrics.height()), Qt::AlignCenter,
                             label);
            continue;
        }
        // Upright, read from the bottom up, ending at the axis.
        painter.save();
        painter.translate(centre, labelsTop + width);
        painter.rotate(-90);
        painter.drawText(QRect(0, -metrics.height() / 2, width + 1, metrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         label);
        painter.restore();
    }
}

#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

/// A bar chart of one or more series side by side, each a list of (label, value) bars, with a
/// title and a legend on top; the analysis windows fill it and call draw(). It knows nothing of the
/// game. The bars are painted directly, not as one scene item each, so a chart of the whole
/// history (thousands of bars) redraws in a few milliseconds.
class BarChart : public QWidget {
    Q_OBJECT
public:
    struct Bar {
        QString label;
        double value = 0;
    };

    /// What draw() last put on screen: the visible series in order and the labels under the bars.
    struct Picture {
        QStringList titles;
        QList<QColor> colours;
        QList<QList<double>> values;
        QStringList labels;
        bool valuesShown = false;
        double top = 1;  // the value at the top of the axis
        double step = 1; // the distance of the value ticks
    };

    explicit BarChart(const QString& title, QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString title() const { return title_; }

    /// Adds an empty, visible series; returns its index.
    int addSeries(const QString& title, const QColor& colour);
    int seriesCount() const { return static_cast<int>(series_.size()); }

    void setBars(int series, QList<Bar> bars);
    void setSeriesTitle(int series, const QString& title);
    void setSeriesVisible(int series, bool visible);
    /// Shows each bar's value on the bar.
    void setValueLabelsVisible(bool visible);

    const QList<Bar>& bars(int series) const { return series_[series].bars; }
    QString seriesTitle(int series) const { return series_[series].title; }
    bool seriesVisible(int series) const { return series_[series].visible; }
    bool valueLabelsVisible() const { return valueLabels_; }

    /// Rebuilds the picture from the series as they are now. The bars stand side by side in
    /// groups under the labels of the first series; a hidden series leaves no gap and no legend.
    void draw();
    const Picture& picture() const { return picture_; }

    /// How the labels under the bars stand in a plot of that width: flat, upright, or not at all
    /// when even upright ones would overlap into a black band.
    enum class LabelFit { Flat, Upright, Hidden };
    LabelFit labelFit(int plotWidth) const;

    /// A value over its bar. Counts are grouped and from 1万 in 万/亿 ("8,427.30万"), never in
    /// exponent notation; a fraction (a rate) as it is.
    static QString valueText(double value);
    /// A tick of the value axis: the same, whole 万 and 亿 without decimals ("70万").
    static QString tickText(double value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Series {
        QString title;
        QColor colour;
        QList<Bar> bars;
        bool visible = true;
    };

    QString title_;
    QList<Series> series_;
    bool valueLabels_ = false;
    Picture picture_;
};

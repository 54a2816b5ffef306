#pragma once

#include <QChartView>
#include <QColor>
#include <QList>
#include <QString>

class QBarCategoryAxis;
class QBarSeries;
class QValueAxis;

/// A bar chart of one or more series side by side, each a list of (label, value) bars, with a
/// legend on top; the analysis windows fill it and call draw(). It knows nothing of the game.
class BarChart : public QChartView {
    Q_OBJECT
public:
    struct Bar {
        QString label;
        double value = 0;
    };

    explicit BarChart(const QString& title, QWidget* parent = nullptr);

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
    /// The bar series on screen (one bar set per visible series), for looking at what was drawn.
    QBarSeries* shownSeries() const { return shown_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    /// Lays the labels under the bars flat, upright or not at all, as the plot's width allows.
    void fitLabels();

    struct Series {
        QString title;
        QColor colour;
        QList<Bar> bars;
        bool visible = true;
    };

    QList<Series> series_;
    bool valueLabels_ = false;
    QBarSeries* shown_;
    QBarCategoryAxis* categories_;
    QValueAxis* values_;
};

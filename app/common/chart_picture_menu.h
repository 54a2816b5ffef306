#pragma once

#include <QObject>
#include <QString>

class QWidget;

/// 保存图片… on a chart's context menu: the chart as a PNG picture at twice its size on screen,
/// or as an SVG drawing when the chosen name ends in ".svg".
class ChartPictureMenu : public QObject {
    Q_OBJECT
public:
    /// Gives `chart` the menu; it belongs to the chart.
    static ChartPictureMenu* install(QWidget* chart);

    /// Paints `chart` into the file `path`, its kind chosen by the suffix, written by
    /// quorlin::saveFileBytes (checked, through a scratch file that replaces `path` only when
    /// complete). False with `error` set on refusal or failure.
    static bool save(QWidget& chart, const QString& path, QString& error);

    void saveAsked() const;

private:
    explicit ChartPictureMenu(QWidget* chart);

    QWidget* chart_;
};

#include "common/chart_picture_menu.h"

#include "common/context_menu_action.h"
#include "common/export_dialogs.h"
#include "common/message_box.h"

#include <QAction>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QWidget>

namespace {

/// Pixels per pixel on screen: a picture sharp enough to print or to show on a larger screen.
constexpr int kPictureScale = 2;

void paintPng(QWidget& chart, QSaveFile& file)
{
    QImage image(chart.size() * kPictureScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(kPictureScale);
    image.fill(Qt::white);
    QPainter painter(&image);
    chart.render(&painter);
    painter.end();
    image.save(&file, "PNG");
}

void paintSvg(QWidget& chart, QSaveFile& file)
{
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(chart.size());
    svg.setViewBox(QRect(QPoint(), chart.size()));
    svg.setTitle(chart.window()->windowTitle());
    QPainter painter(&svg);
    chart.render(&painter);
}

} // namespace

ChartPictureMenu* ChartPictureMenu::install(QWidget* chart)
{
    return new ChartPictureMenu(chart);
}

ChartPictureMenu::ChartPictureMenu(QWidget* chart) : QObject(chart), chart_(chart)
{
    setObjectName(QStringLiteral("chartPictureMenu"));
    connect(addContextMenuAction(chart, "actpicture", QStringLiteral("保存图片…")), &QAction::triggered, this,
            &ChartPictureMenu::saveAsked);
}

bool ChartPictureMenu::save(QWidget& chart, const QString& path, QString& error)
{
    QSaveFile file(path);
    auto fail = [&] {
        error = QStringLiteral("无法写入文件 %1：%2").arg(path, file.errorString());
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail();
    if (QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0)
        paintSvg(chart, file);
    else
        paintPng(chart, file);
    if (file.error() != QFileDevice::NoError || !file.commit())
        return fail();
    return true;
}

void ChartPictureMenu::saveAsked() const
{
    const QString name = ExportDialogs::askSaveName(chart_, QStringLiteral("保存图片"), chart_->window()->windowTitle(),
                                                    ExportDialogs::pictureFiles());
    if (name.isEmpty())
        return;
    QString error;
    if (save(*chart_, name, error))
        MessageBox::information(chart_, QStringLiteral("提示"), QStringLiteral("成功保存！"));
    else
        refuse(chart_, error);
}

#include "common/chart_picture_menu.h"

#include "common/context_menu_action.h"
#include "common/export_dialogs.h"
#include "common/message_box.h"
#include "common/save_target.h"

#include <QAction>
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QWidget>

namespace {

/// Pixels per pixel on screen: a picture sharp enough to print or to show on a larger screen.
constexpr int kPictureScale = 2;

void paintPng(QWidget& chart, QBuffer& file)
{
    QImage image(chart.size() * kPictureScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(kPictureScale);
    image.fill(Qt::white);
    QPainter painter(&image);
    chart.render(&painter);
    painter.end();
    image.save(&file, "PNG");
}

void paintSvg(QWidget& chart, QBuffer& file)
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
    // Painted in memory, then written as every file the user names is.
    QByteArray bytes;
    QBuffer file(&bytes);
    file.open(QIODevice::WriteOnly);
    if (QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0)
        paintSvg(chart, file);
    else
        paintPng(chart, file);
    file.close();
    std::string refused;
    if (quorlin::saveFileBytes(path.toStdString(),
                               std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), refused))
        return true;
    error = QString::fromStdString(refused);
    return false;
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

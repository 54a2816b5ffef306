#include "common/app_settings.h"

#include "common/message_box.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>

#include <memory>

namespace {

std::unique_ptr<QSettings>& store()
{
    static std::unique_ptr<QSettings> settings;
    return settings;
}

QString geometryKey(const QString& name)
{
    return QStringLiteral("windows/") + name;
}

QString folderKey(const QString& kind)
{
    return QStringLiteral("folders/") + kind;
}

QString problemText(QSettings::Status status)
{
    return status == QSettings::FormatError ? QStringLiteral("格式错误") : QStringLiteral("无法读取");
}

} // namespace

const QString AppSettings::kOpenLastLottery = QStringLiteral("start/openLastLottery");
const QString AppSettings::kAutoDownload = QStringLiteral("download/automatic");
const QString AppSettings::kLastLottery = QStringLiteral("start/lastLottery");

QString AppSettings::fileName()
{
    return QStringLiteral("quorlin.ini");
}

void AppSettings::open(const QString& path, QWidget* parent)
{
    close();
    auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    // A folder in the file's place reads as empty settings that can never be written.
    const bool folder = QFileInfo(path).isDir();
    if (settings->status() == QSettings::NoError && !folder) {
        store() = std::move(settings);
        return;
    }
    const QString problem = folder ? QStringLiteral("是一个文件夹") : problemText(settings->status());
    settings.reset();
    const QString aside = path + QStringLiteral(".损坏-") + QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss");
    const QString name = QDir::toNativeSeparators(path);
    if (QFile::rename(path, aside)) {
        MessageBox::warning(parent, QStringLiteral("设置"),
                            QStringLiteral("设置文件 %1 %2，已改名为 %3 留存。程序使用默认设置。")
                                .arg(name, problem, QDir::toNativeSeparators(aside)));
        store() = std::make_unique<QSettings>(path, QSettings::IniFormat);
    } else {
        MessageBox::warning(parent, QStringLiteral("设置"),
                            QStringLiteral("设置文件 %1 %2，也无法改名留存。程序使用默认设置，本次的设置不会保存。")
                                .arg(name, problem));
    }
}

void AppSettings::close()
{
    if (store())
        store()->sync();
    store().reset();
}

bool AppSettings::isOpen()
{
    return store() != nullptr;
}

QString AppSettings::path()
{
    return store() ? store()->fileName() : QString();
}

QVariant AppSettings::value(const QString& key, const QVariant& fallback)
{
    return store() ? store()->value(key, fallback) : fallback;
}

bool AppSettings::flag(const QString& key, bool fallback)
{
    // The file is hand-editable: only the two words QSettings writes are taken.
    const QString text = value(key).toString();
    if (text == QLatin1String("true"))
        return true;
    if (text == QLatin1String("false"))
        return false;
    return fallback;
}

void AppSettings::setValue(const QString& key, const QVariant& value)
{
    if (!store())
        return;
    store()->setValue(key, value);
    store()->sync();
}

void AppSettings::restoreGeometry(QWidget& window, const QString& name)
{
    // The inner geometry as the program sets it: the placer fits it to the screen with its frame.
    // A value that is no rectangle, or an empty one, is ignored.
    const QVariant kept = value(geometryKey(name));
    if (kept.typeId() != QMetaType::QRect)
        return;
    const QRect geometry = kept.toRect();
    if (geometry.width() > 0 && geometry.height() > 0)
        window.setGeometry(geometry);
}

void AppSettings::saveGeometry(const QWidget& window, const QString& name)
{
    // A maximized or minimized window keeps the place it had before.
    if (window.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
        return;
    setValue(geometryKey(name), window.geometry());
}

QString AppSettings::lastFolder(const QString& kind)
{
    const QString folder = value(folderKey(kind)).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void AppSettings::setLastFolder(const QString& kind, const QString& folder)
{
    setValue(folderKey(kind), folder);
}

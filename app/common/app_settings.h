#pragma once

#include <QString>
#include <QVariant>

class QWidget;

/// The program's settings: an INI file in the program directory (beside its 数据库 folder), read
/// once at start. The last opened lottery, the start-up and download options, the tool windows'
/// geometry, the windows' own options and each kind of file dialog's last folder live here; windows
/// ask for a value with its default. Until a file is opened (tests that set none) nothing is kept and
/// every value is its default. A damaged or unreadable file is set aside with a message and the
/// program goes on with the defaults; nothing else depends on the settings.
class AppSettings {
public:
    /// 启动时打开上次的彩票 (on unless turned off).
    static const QString kOpenLastLottery;
    /// 自动下载新开奖 (on unless turned off).
    static const QString kAutoDownload;
    /// The name of the lottery opened last.
    static const QString kLastLottery;

    /// The settings file's name in the program directory.
    static QString fileName();
    /// Uses the settings file `path`. One that cannot be read is renamed aside
    /// ("<path>.损坏-<time>"), a message says so (parented to `parent`), and the settings start empty.
    static void open(const QString& path, QWidget* parent = nullptr);
    /// Writes what was changed and forgets the file: values are defaults again.
    static void close();
    static bool isOpen();
    /// The file in use, or empty.
    static QString path();

    static QVariant value(const QString& key, const QVariant& fallback = {});
    /// `fallback` unless a boolean is stored under `key`.
    static bool flag(const QString& key, bool fallback);
    /// Keeps `value` under `key` and writes the file (a file that cannot be written is left as it is).
    static void setValue(const QString& key, const QVariant& value);

    /// Gives `window` the size and place kept for it under `name`, if any; the window placer still
    /// moves it into the screen when shown.
    static void restoreGeometry(QWidget& window, const QString& name);
    /// Keeps the size and place of `window` under `name`.
    static void saveGeometry(const QWidget& window, const QString& name);

    /// The folder the file dialogs of `kind` used last, if it still exists; else empty.
    static QString lastFolder(const QString& kind);
    static void setLastFolder(const QString& kind, const QString& folder);
};

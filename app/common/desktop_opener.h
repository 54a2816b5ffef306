#pragma once

#include <QList>
#include <QUrl>

class QString;

/// Hands web pages, the help manual and outside programs to the desktop: an address opens in the
/// user's default browser, a program starts on its own. In test mode nothing is opened and every
/// request is recorded instead.
class DesktopOpener {
public:
    enum class Kind { Url, Program };

    /// One request as made in test mode; a program is recorded as its file URL.
    struct Record {
        Kind kind;
        QUrl url;
    };

    /// Opens `url` with the desktop's default application; false when the desktop refused it.
    static bool openUrl(const QUrl& url);
    /// Starts the program file `path` detached from Quorlin; false when it could not be started.
    static bool startProgram(const QString& path);

    static void setTestMode(bool on);
    static QList<Record> recorded();
    static void clearRecorded();
};

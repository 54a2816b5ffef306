#pragma once

#include <QList>
#include <QUrl>

class QString;

/// Hands web pages, the help manual and outside programs to the desktop: an address opens in the
/// user's default browser, a program starts on its own. In test mode nothing is opened and every
/// request is recorded instead (and accepted, or refused when the test says so).
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

    /// Turns test mode on or off; it starts out accepting every request.
    static void setTestMode(bool on);
    /// In test mode: answer the following requests as a desktop without a browser would (false).
    static void setRefusing(bool refusing);
    static QList<Record> recorded();
    static void clearRecorded();
};

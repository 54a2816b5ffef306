#include "common/quorlin_application.h"

#include "common/error_handler.h"
#include "common/window_placer.h"

#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>

QuorlinApplication::QuorlinApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Quorlin"));
    // The standard dialogs speak the program's language whatever the system's: file sizes, dates and
    // file types follow the default locale, buttons and captions Qt's own translation (missing it,
    // they stay English).
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    if (qtbaseTranslator_.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&qtbaseTranslator_);
    installEventFilter(new WindowPlacer(this));
    // Every caption is Chinese; prefer a family that has the glyphs over a Latin default with fallbacks.
    const QString chineseFamily = QStringLiteral("WenQuanYi Micro Hei");
    if (QFontDatabase::families().contains(chineseFamily)) {
        QFont font(chineseFamily);
        font.setPointSize(9);
        setFont(font);
    }
}

bool QuorlinApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ErrorHandler::report(nullptr, std::current_exception());
        return false;
    }
}

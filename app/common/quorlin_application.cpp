#include "common/quorlin_application.h"

#include "common/error_handler.h"

#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>

QuorlinApplication::QuorlinApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Quorlin"));
    if (qtbaseTranslator_.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&qtbaseTranslator_);
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

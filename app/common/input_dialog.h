#pragma once

#include <QList>
#include <QString>

class QWidget;

/// Every one-line text question of the program; in test mode no window is shown, each question is
/// recorded and answered with the scripted text — none scripted means the user cancelled.
class InputDialog {
public:
    /// One question as asked in test mode.
    struct Record {
        QString title;
        QString label;
        QString text;
    };

    /// The text entered, or a null string when the user cancelled.
    static QString getText(QWidget* parent, const QString& title, const QString& label, const QString& text = {});

    static void setTestMode(bool on);
    /// The answer of the next question in test mode; used up by it.
    static void setNextText(const QString& text);
    static QList<Record> recorded();
    static void clearRecorded();
};

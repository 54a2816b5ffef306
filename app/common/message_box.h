#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

class QWidget;

/// Every message box of the program; in test mode no window is shown, each box is recorded and
/// answered with a scripted or default button.
class MessageBox {
public:
    enum class Kind { Information, Warning, Critical, Question };

    /// One box as shown in test mode.
    struct Record {
        QString title;
        QString text;
        Kind kind;
    };

    static QMessageBox::StandardButton information(QWidget* parent, const QString& title, const QString& text,
                                                   QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                                   QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton warning(QWidget* parent, const QString& title, const QString& text,
                                               QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                               QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton critical(QWidget* parent, const QString& title, const QString& text,
                                                QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text,
                                                QMessageBox::StandardButtons buttons = QMessageBox::Yes |
                                                                                       QMessageBox::No,
                                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

    static void setTestMode(bool on);
    /// The answer of the next box in test mode; used up by that box.
    static void setNextAnswer(QMessageBox::StandardButton answer);
    static QList<Record> recorded();
    static void clearRecorded();

private:
    static QMessageBox::StandardButton show(Kind kind, QWidget* parent, const QString& title, const QString& text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton);
};

/// A refused command or input, or a failure that stops it: an error box captioned "错误".
void refuse(QWidget* parent, const QString& text);

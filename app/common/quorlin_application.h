#pragma once

#include <QApplication>
#include <QTranslator>

/// The program's application object: Chinese standard buttons, a font with Chinese glyphs, and the
/// last-resort handler that shows an error escaping an event handler instead of ending the program.
class QuorlinApplication : public QApplication {
    Q_OBJECT
public:
    QuorlinApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    QTranslator qtbaseTranslator_;
};

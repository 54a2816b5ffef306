#pragma once

#include <QApplication>
#include <QTranslator>

/// The program's application object: Chinese standard dialogs, a font with Chinese glyphs, every
/// window opened inside the screen (WindowPlacer), and the last-resort handler that shows an error
/// escaping an event handler instead of ending the program.
class QuorlinApplication : public QApplication {
    Q_OBJECT
public:
    QuorlinApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    QTranslator qtbaseTranslator_;
};

#pragma once

#include <QDialog>

class QTimer;

/// The start-up splash window: the picture "图片/flash.jpg" with the program's title and the lines
/// of "附属/flash.txt". Shown modally before the main window exists; it closes itself after five
/// ticks of its timer (about five seconds), or at once when clicked.
class Tfrmflash : public QDialog {
    Q_OBJECT
public:
    /// Reads "附属/flash.txt" and "图片/flash.jpg" below `apppath` (the program directory with a
    /// trailing "/").
    explicit Tfrmflash(const QString& apppath, QWidget* parent = nullptr);

    /// The timer's tick; one second unless a test wants the window to close sooner.
    void setTickInterval(int milliseconds);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void timerTick();

    QTimer* timer_;
    int ticks_ = 0;
};

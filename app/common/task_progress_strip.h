#pragma once

#include <QWidget>

class QProgressBar;
class QPushButton;
class TaskRunner;

/// The progress bar and stop button of a tool window's background work: visible only while the
/// window's TaskRunner runs, the bar following the work's progress and the button stopping it; the
/// window shows the busy cursor meanwhile.
class TaskProgressStrip : public QWidget {
    Q_OBJECT
public:
    TaskProgressStrip(TaskRunner* runner, QWidget* window);

    /// Call right after a task was started: empties the bar, shows the strip and the busy cursor.
    void started();

signals:
    /// The task ended (delivered, failed or stopped); the window enables its commands again.
    void ended();

private:
    TaskRunner* runner_;
    QWidget* window_;
    QProgressBar* pb_;
};

#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

/// Folds many refresh requests into few: the first runs as soon as the event loop is free, later
/// ones at most once per interval. A view that follows the lottery document refreshes through it,
/// so a search that switches the mapping many times a second is not held up by painting.
class RepaintThrottle : public QObject {
    Q_OBJECT
public:
    RepaintThrottle(std::function<void()> refresh, int intervalMs, QObject* parent = nullptr);

    /// Asks for a refresh; several requests before it runs give one.
    void request();
    /// Runs a pending refresh now (for a caller that needs the result at once).
    void flush();
    bool pending() const { return timer_.isActive(); }

private:
    void run();

    std::function<void()> refresh_;
    int intervalMs_;
    QTimer timer_;
    QElapsedTimer sinceLast_;
};

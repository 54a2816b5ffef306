#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>

/// Measures how long the interface thread stays deaf around an action: the action is run (its own
/// synchronous time counts, as a click's slot would), then the event loop is spun while a fast timer
/// records the longest gap between its ticks, until `settled` says the work is done. There is no time
/// limit: a loaded machine only makes the figures larger, and a wait that never ends is caught by the
/// test's own timeout. The figures are for printing (qInfo) and for before/after comparisons, never for
/// asserting.
struct EventLoopLatency {
    qint64 longestStallMs = 0; // the longest time no event was handled
    qint64 totalMs = 0;        // from the action until settled
    bool settled = false;
};

inline EventLoopLatency measureEventLoopLatency(const std::function<void()>& action,
                                                const std::function<bool()>& settled = {})
{
    EventLoopLatency result;
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0;
    QTimer ticker;
    ticker.setInterval(2);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        result.longestStallMs = std::max(result.longestStallMs, now - lastTick);
        lastTick = now;
    });
    ticker.start();
    action();
    const qint64 afterAction = clock.elapsed();
    result.longestStallMs = std::max(result.longestStallMs, afterAction);
    lastTick = afterAction;
    // A short grace after "settled" lets work queued by the last step (a relayout, a repaint) show.
    qint64 settledAt = -1;
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (settledAt < 0 && (!settled || settled()))
            settledAt = clock.elapsed();
        if (settledAt >= 0 && clock.elapsed() - settledAt >= 50) {
            result.settled = true;
            break;
        }
    }
    ticker.stop();
    result.totalMs = clock.elapsed();
    return result;
}

/// "Settled" once `ms` have passed: for watching a job that is meant to run on (a search to an
/// unreachable threshold) for a while. Nothing may depend on the job having done anything by then.
inline std::function<bool()> afterMs(int ms)
{
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    return [clock, ms] { return clock->elapsed() >= ms; };
}

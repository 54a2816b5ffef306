#include "common/repaint_throttle.h"

#include <algorithm>

RepaintThrottle::RepaintThrottle(std::function<void()> refresh, int intervalMs, QObject* parent)
    : QObject(parent), refresh_(std::move(refresh)), intervalMs_(intervalMs)
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &RepaintThrottle::run);
}

void RepaintThrottle::request()
{
    if (timer_.isActive())
        return;
    const qint64 waited = sinceLast_.isValid() ? sinceLast_.elapsed() : intervalMs_;
    timer_.start(static_cast<int>(std::max<qint64>(0, intervalMs_ - waited)));
}

void RepaintThrottle::flush()
{
    if (timer_.isActive()) {
        timer_.stop();
        run();
    }
}

void RepaintThrottle::run()
{
    sinceLast_.start();
    refresh_();
}

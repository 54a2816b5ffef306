#pragma once

#include "common/progress.h"

#include <chrono>

namespace quorlin {

/// The end of a wheel search or repair: its time limit, or a cancel of its progress, which hears
/// the time spent (ms) against the limit (ms) each time it is asked.
class WheelDeadline {
public:
    WheelDeadline(double seconds, Progress* progress);
    bool reached() const;

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point start_ = Clock::now();
    double seconds_;
    Progress* progress_;
};

} // namespace quorlin

#include "wheel/wheel_deadline.h"

#include <algorithm>

namespace quorlin {

WheelDeadline::WheelDeadline(double seconds, Progress* progress) : seconds_(std::max(0.0, seconds)), progress_(progress)
{
}

bool WheelDeadline::reached() const
{
    const auto elapsed = Clock::now() - start_;
    if (progress_) {
        progress_->report(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(),
                          static_cast<std::int64_t>(seconds_ * 1000));
        if (progress_->cancelled())
            return true;
    }
    return elapsed >= std::chrono::duration<double>(seconds_);
}

} // namespace quorlin

#pragma once

#include <atomic>
#include <cstdint>

namespace quorlin {

/// Progress of a long core operation and the user's request to stop it; shared with the window
/// that shows the progress bar. Safe to read and write from different threads.
class Progress {
public:
    void report(std::int64_t done, std::int64_t total)
    {
        total_.store(total, std::memory_order_relaxed);
        done_.store(done, std::memory_order_relaxed);
    }
    std::int64_t done() const { return done_.load(std::memory_order_relaxed); }
    std::int64_t total() const { return total_.load(std::memory_order_relaxed); }

    void cancel() { cancelled_.store(true, std::memory_order_relaxed); }
    bool cancelled() const { return cancelled_.load(std::memory_order_relaxed); }

private:
    std::atomic<std::int64_t> done_{0};
    std::atomic<std::int64_t> total_{0};
    std::atomic<bool> cancelled_{false};
};

} // namespace quorlin

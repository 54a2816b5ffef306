#include "wheel/wheel_maker.h"

#include "wheel/wheel_anneal.h"
#include "wheel/wheel_deadline.h"
#include "wheel/wheel_repair.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace quorlin {

namespace {

/// What the threads share: the best wheel, its size, and the reasons to stop.
struct SharedSearch {
    std::mutex mutex;
    std::vector<std::uint64_t> best;
    int bestThread = -1;
    std::atomic<std::size_t> bestSize{0};
    std::atomic<bool> done{false};
};

constexpr std::uint64_t kStepsPerRound = 20'000;

} // namespace

MadeWheel makeWheel(const WheelGuarantee& g, const WheelMakeOptions& options)
{
    MadeWheel made;
    made.error = wheelGuaranteeProblem(g);
    if (!made.error.empty())
        return made;
    const MSetIndex index(static_cast<int>(g.freeNumbers().size()), g.ok, g.hit);
    const WheelDeadline deadline(options.seconds, options.progress);
    // No search can end below the bound, so reaching it ends every thread.
    const std::size_t enough = std::max(options.targetSize, wheelLowerBound(g));
    SharedSearch shared;
    const auto stop = [&] { return shared.done.load(std::memory_order_relaxed) || deadline.reached(); };
    const auto offer = [&](const std::vector<std::uint64_t>& wheel, int thread) {
        const std::lock_guard lock(shared.mutex);
        if (!shared.best.empty() &&
            (wheel.size() > shared.best.size() || (wheel.size() == shared.best.size() && thread >= shared.bestThread)))
            return;
        const bool smaller = shared.best.empty() || wheel.size() < shared.best.size();
        shared.best = wheel;
        shared.bestThread = thread;
        shared.bestSize.store(wheel.size());
        if (wheel.size() <= enough)
            shared.done.store(true);
        if (smaller && options.onBest)
            options.onBest(wheel.size());
    };
    const auto search = [&](int thread) {
        WheelAnneal anneal(index, g.freeWidth(), g.hit, options.seed + static_cast<std::uint64_t>(thread));
        anneal.setBets({}, {});
        anneal.coverGreedily();
        if (thread % 2)
            anneal.reheat(); // every other thread begins its cooling from the low temperature
        offer(anneal.movable(), thread);
        std::uint64_t spent = 0;
        for (;;) {
            if (anneal.uncovered() == 0) {
                offer(anneal.movable(), thread);
                spent = 0;
                if (anneal.movable().size() <= enough)
                    return;
                // One bet fewer than the best any thread has.
                const std::size_t target = std::min(anneal.movable().size(), shared.bestSize.load()) - 1;
                while (anneal.movable().size() > target)
                    anneal.removeWeakest();
            }
            if (stop() || (options.stepsPerSize && spent >= options.stepsPerSize))
                return;
            const std::uint64_t round =
                options.stepsPerSize ? std::min(kStepsPerRound, options.stepsPerSize - spent) : kStepsPerRound;
            anneal.anneal(round, stop);
            spent += round;
        }
    };
    const int threads = std::max(1, options.threads);
    if (threads == 1) {
        search(0);
    } else {
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t)
            workers.emplace_back(search, t);
        for (std::thread& w : workers)
            w.join();
    }
    made.bets = sortedWheelBets(g, shared.best);
    if (!verifyWheel(g, made.bets))
        throw std::logic_error("wheel search returned a wheel that does not hold its guarantee");
    return made;
}

} // namespace quorlin

#include "invest/mode_search.h"

#include "common/progress.h"
#include "invest/mode_replay.h"

#include <atomic>
#include <exception>
#include <thread>
#include <vector>

namespace quorlin {

namespace {

/// Settings handed out at a time: one 中出后间隔期数 with all 50 block lengths.
constexpr std::int64_t kChunk = kTozirepItems;

ModeSearchPoint pointAt(std::int64_t index)
{
    return {static_cast<std::int32_t>(index / (kTozisepItems * kTozirepItems)),
            static_cast<std::int32_t>(index / kTozirepItems % kTozisepItems),
            static_cast<std::int32_t>(index % kTozirepItems)};
}

/// The best of the settings one thread replayed: the largest surplus, the earliest setting on a tie.
struct Best {
    std::int64_t surplus = 0;
    std::int64_t index = -1;

    void offer(std::int64_t s, std::int64_t i)
    {
        if (index < 0 || s > surplus || (s == surplus && i < index)) {
            surplus = s;
            index = i;
        }
    }
};

} // namespace

std::int64_t modeSearchSize(const ModeRule& rule)
{
    return (rule.sepmode ? kSepnumItems : 1) * kTozisepItems * kTozirepItems;
}

ModeRule withSearchPoint(ModeRule rule, const ModeSearchPoint& point)
{
    rule.sepnum = point.sepnum + 1;
    rule.tozisep = point.tozisep;
    rule.tozirep = point.tozirep + 1;
    return rule;
}

ModeSearchResult searchModes(const ModeReplay& replay, const ModeRule& rule, Progress& progress, int threads)
{
    const std::int64_t total = modeSearchSize(rule);
    std::atomic<std::int64_t> nextChunk{0};
    std::atomic<std::int64_t> done{0};
    std::atomic<bool> stopped{false};
    progress.report(0, total);

    auto work = [&](Best& best, std::exception_ptr& error) {
        try {
            for (;;) {
                const std::int64_t first = nextChunk.fetch_add(kChunk);
                if (first >= total)
                    return;
                for (std::int64_t i = first; i < first + kChunk && i < total; ++i) {
                    if (progress.cancelled()) {
                        stopped = true;
                        return;
                    }
                    best.offer(replay.surplus(withSearchPoint(rule, pointAt(i))), i);
                    progress.report(done.fetch_add(1) + 1, total);
                }
            }
        } catch (...) {
            error = std::current_exception();
            // The other threads stop at their next setting.
            progress.cancel();
        }
    };

    const auto count = static_cast<std::size_t>(threads < 1 ? 1 : threads);
    std::vector<Best> bests(count);
    std::vector<std::exception_ptr> errors(count);
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < count; ++t)
        helpers.emplace_back(work, std::ref(bests[t]), std::ref(errors[t]));
    work(bests[0], errors[0]);
    for (std::thread& helper : helpers)
        helper.join();
    for (const std::exception_ptr& error : errors) {
        if (error)
            std::rethrow_exception(error);
    }

    Best best;
    for (const Best& b : bests) {
        if (b.index >= 0)
            best.offer(b.surplus, b.index);
    }
    ModeSearchResult result;
    result.evaluated = done.load();
    result.stopped = stopped.load();
    // Only a surplus above the starting mark moves the best away from the first setting.
    if (best.index >= 0 && best.surplus > kSearchStartSurplus) {
        result.best = pointAt(best.index);
        result.surplus = best.surplus;
    } else {
        result.surplus = kSearchStartSurplus;
    }
    return result;
}

} // namespace quorlin

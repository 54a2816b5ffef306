#pragma once

#include "filter/combination_table.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorlin {

class Progress;
class RandomSource;

/// One exclusion window's test, redrawn every iteration: `prepare` draws the iteration's random
/// relabelling and works out everything that does not depend on the combination, so that
/// `excludes` is a few lookups.
class ExclusionMember {
public:
    virtual ~ExclusionMember() = default;
    /// Draws the iteration's values; false when this iteration can exclude nothing (no rows are
    /// visited then).
    virtual bool prepare(RandomSource& rng) = 0;
    /// Whether the combination with real numbers `numbers` (bit n of `mask` set for each) goes.
    virtual bool excludes(std::uint64_t mask, const std::uint8_t* numbers) const = 0;
    /// When only a few known combinations can go this iteration (given as number masks), the run
    /// looks them up instead of visiting every row; nullptr when any row may go.
    virtual const std::vector<std::uint64_t>* onlyThese() const { return nullptr; }
    /// The stage length the last iteration used (0 when the member draws none).
    virtual int stage() const { return 0; }
};

/// How many of the row's `width` numbers lie in `set` (bit n for number n). Shifts, not a
/// population count: without a hardware instruction that is a library call per row.
inline int overlap(std::uint64_t set, const std::uint8_t* numbers, int width)
{
    int n = 0;
    for (int i = 0; i < width; ++i)
        n += static_cast<int>(set >> numbers[i] & 1);
    return n;
}

/// When a run stops: at a number of combinations left (count mode, 过滤到 … 注) or after a number
/// of iterations (过滤到 … 次).
struct ExclusionRunSettings {
    bool countMode = true;
    std::size_t target = 10000;
    long iterations = 10000;
    /// Count mode only: give up after this many iterations (0 = go on until stopped).
    long maxIterations = 0;
};

/// The most iterations a run may be asked for, and the most a count-mode run may try.
inline constexpr long kMaxExclusionIterations = 1'000'000;

/// Why the settings cannot run (a count of 0 or below, or beyond kMaxExclusionIterations), or
/// nothing. `target` is the count the window or command was given, before any conversion.
std::optional<std::string> checkExclusionRun(const ExclusionRunSettings& settings, long long target);

enum class RunEnd { Completed, Stopped, IterationLimit };

struct ExclusionRunResult {
    RunEnd end = RunEnd::Completed;
    long iterations = 0; ///< iterations performed
    int stage = 0;       ///< the stage of the last iteration
    std::size_t kept = 0;
};

/// The run loop over the unmarked rows of `table`, in table order: every iteration prepares the
/// member and marks the rows it excludes. In count mode the run ends right after the exclusion
/// that leaves `target` rows (so it excludes at least one row); in iteration mode after the given
/// number of iterations. A stop through `progress` ends it at once; the marks set so far stay.
/// Progress counts exclusions (count mode) or iterations.
ExclusionRunResult runExclusion(CombinationTable& table, ExclusionMember& member, const ExclusionRunSettings& settings,
                                RandomSource& rng, Progress* progress = nullptr);

/// Keeps only the unmarked rows, in their order.
void compactTable(CombinationTable& table);

/// What the windows refuse before a run: a current position without earlier draws (`minimum`
/// draws are needed before it).
std::optional<std::string> checkCurrentPosition(int cur, int minimum = 1);

} // namespace quorlin

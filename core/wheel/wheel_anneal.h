#pragma once

#include "wheel/wheel_guarantee.h"

#include <cstdint>
#include <functional>
#include <random>
#include <vector>

namespace quorlin {

/// Simulated annealing on the number of uncovered M-sets: movable bets change one number at a
/// time, fixed bets stay. Keeps for each M-set the count of bets covering it, so a move costs the
/// M-sets whose cover it changes only.
class WheelAnneal {
public:
    WheelAnneal(const MSetIndex& index, int width, int hit, std::uint64_t seed);

    /// Starts from these bets (masks over the free numbers).
    void setBets(const std::vector<std::uint64_t>& fixed, const std::vector<std::uint64_t>& movable);
    /// Adds movable bets chosen greedily (the best of a few around a random hole) until all is covered.
    void coverGreedily();
    /// Removes the movable bet that alone covers fewest M-sets.
    void removeWeakest();
    /// Anneals until every M-set is covered (true), `steps` are spent or `stop` says so (checked
    /// every 256 steps).
    bool anneal(std::uint64_t steps, const std::function<bool()>& stop);

    /// Starts the cooling again, from a high and a low temperature in turn.
    void reheat();
    std::size_t uncovered() const { return holes_.size(); }
    const std::vector<std::uint64_t>& movable() const { return movable_; }
    const std::vector<std::uint64_t>& fixed() const { return fixed_; }

private:
    std::uint64_t random(std::uint64_t n) { return rng_() % n; }
    void cover(std::uint64_t bet, int by);
    void raise(std::uint64_t r);
    void lower(std::uint64_t r);
    /// The change of uncovered M-sets when `out` leaves the bet and `in` joins it; applied when asked.
    std::size_t nearestBet(std::uint64_t hole);
    long swapDelta(std::uint64_t bet, std::uint64_t out, std::uint64_t in, bool apply);

    const MSetIndex* index_;
    int width_, hit_, ok_;
    std::mt19937_64 rng_;
    std::vector<std::uint64_t> fixed_, movable_;
    std::vector<std::uint32_t> counts_;
    std::vector<std::uint64_t> holes_;
    std::vector<std::uint32_t> holeAt_;
    static constexpr double kStartTemperature = 1.0;
    static constexpr double kLowStartTemperature = 0.3;
    static constexpr double kMinTemperature = 0.02;
    static constexpr double kCooling = 0.99;
    static constexpr std::uint64_t kMinLevel = 1000;
    static constexpr std::uint64_t kLevelPerBet = 100;
    static constexpr int kFrozenLevels = 100;
    static constexpr int kDraws = 64;
    double temperature_ = kStartTemperature;
    std::uint64_t levelSteps_ = 0;
    std::size_t levelBest_ = SIZE_MAX, runBest_ = SIZE_MAX;
    int frozen_ = 0;
    bool startLow_ = false;
};

} // namespace quorlin

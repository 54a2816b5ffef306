#include "wheel/wheel_search.h"

#include "wheel/subsets.h"

#include <algorithm>
#include <bit>
#include <random>
#include <stdexcept>

namespace quorlin {

namespace {

/// The search's working state: which candidate lines cover which draws, the chosen lines, how
/// often each draw is covered, and for each chosen line how many draws only it covers.
class CoverSearch {
public:
    CoverSearch(int basic, int width, int ok, int guarantee, std::uint32_t seed) : rng_(seed)
    {
        std::vector<std::uint32_t> draws;
        forEachSubset(basic, ok, [&](std::uint32_t m) { draws.push_back(m); });
        forEachSubset(basic, width, [&](std::uint32_t m) { blocks_.push_back(m); });
        std::vector<std::size_t> perDraw(draws.size(), 0);
        covStart_.push_back(0);
        for (const std::uint32_t block : blocks_) {
            for (std::size_t t = 0; t < draws.size(); ++t)
                if (std::popcount(block & draws[t]) >= guarantee) {
                    cov_.push_back(static_cast<int>(t));
                    ++perDraw[t];
                }
            covStart_.push_back(cov_.size());
        }
        revStart_.assign(draws.size() + 1, 0);
        for (std::size_t t = 0; t < draws.size(); ++t)
            revStart_[t + 1] = revStart_[t] + perDraw[t];
        rev_.resize(cov_.size());
        std::vector<std::size_t> fill(revStart_.begin(), revStart_.end() - 1);
        for (std::size_t b = 0; b < blocks_.size(); ++b)
            for (std::size_t i = covStart_[b]; i < covStart_[b + 1]; ++i)
                rev_[fill[static_cast<std::size_t>(cov_[i])]++] = static_cast<int>(b);
        count_.assign(draws.size(), 0);
        owner_.assign(draws.size(), 0);
        uncoveredAt_.assign(draws.size(), 0);
        for (std::size_t t = 0; t < draws.size(); ++t) {
            uncoveredAt_[t] = uncovered_.size();
            uncovered_.push_back(static_cast<int>(t));
        }
        loss_.assign(blocks_.size(), 0);
        inSolution_.assign(blocks_.size(), 0);
        lastRemoved_.assign(blocks_.size(), -1'000'000'000);
    }

    /// Adds lines of most new cover (ties drawn at random) until every draw is covered.
    void greedy()
    {
        while (!uncovered_.empty()) {
            int best = -1;
            std::size_t bestGain = 0, ties = 0;
            for (std::size_t b = 0; b < blocks_.size(); ++b) {
                if (inSolution_[b])
                    continue;
                const std::size_t g = gain(b);
                if (g > bestGain) {
                    bestGain = g;
                    best = static_cast<int>(b);
                    ties = 1;
                } else if (g == bestGain && g > 0 && random(++ties) == 0) {
                    best = static_cast<int>(b);
                }
            }
            add(static_cast<std::size_t>(best));
        }
    }

    /// Drops the line whose loss opens fewest holes and exchanges lines until the holes are gone
    /// or `steps` exchanges are spent; true when covered again with one line fewer.
    bool shrink(std::uint64_t steps)
    {
        if (solution_.size() <= 1)
            return false;
        remove(cheapest(-1));
        for (std::uint64_t step = 0; step < steps && !uncovered_.empty(); ++step) {
            ++clock_;
            const int hole = uncovered_[random(uncovered_.size())];
            const int in = bringIn(static_cast<std::size_t>(hole));
            add(static_cast<std::size_t>(in));
            const int out = cheapest(in);
            remove(static_cast<std::size_t>(out));
            lastRemoved_[static_cast<std::size_t>(out)] = clock_;
        }
        return uncovered_.empty();
    }

    std::vector<int> solution() const { return solution_; }
    std::uint32_t block(int b) const { return blocks_[static_cast<std::size_t>(b)]; }

private:
    static constexpr long kTenure = 8;
    static constexpr std::size_t kSamples = 8;

    std::size_t random(std::size_t n) { return static_cast<std::size_t>(rng_() % n); }

    std::size_t gain(std::size_t b) const
    {
        std::size_t g = 0;
        for (std::size_t i = covStart_[b]; i < covStart_[b + 1]; ++i)
            g += count_[static_cast<std::size_t>(cov_[i])] == 0;
        return g;
    }

    /// A line that covers the hole: the best of a few drawn at random, now and then any of them.
    int bringIn(std::size_t hole)
    {
        const std::size_t first = revStart_[hole], n = revStart_[hole + 1] - first;
        if (random(16) == 0)
            for (std::size_t tries = 0; tries < n; ++tries) {
                const int b = rev_[first + random(n)];
                if (!inSolution_[static_cast<std::size_t>(b)])
                    return b;
            }
        int best = -1;
        std::size_t bestGain = 0;
        for (std::size_t s = 0; s < std::min(n, kSamples) * 2; ++s) {
            const int b = rev_[first + random(n)];
            const auto ub = static_cast<std::size_t>(b);
            if (inSolution_[ub] || clock_ - lastRemoved_[ub] < kTenure)
                continue;
            const std::size_t g = gain(ub);
            if (best < 0 || g > bestGain) {
                best = b;
                bestGain = g;
            }
        }
        if (best >= 0)
            return best;
        for (std::size_t i = 0; i < n; ++i)
            if (!inSolution_[static_cast<std::size_t>(rev_[first + i])])
                return rev_[first + i];
        return rev_[first];
    }

    /// The chosen line (other than `keep`) that alone covers fewest draws; ties from a random start.
    int cheapest(int keep) const
    {
        const std::size_t n = solution_.size();
        const std::size_t start = static_cast<std::size_t>(const_cast<CoverSearch*>(this)->random(n));
        int best = -1;
        for (std::size_t i = 0; i < n; ++i) {
            const int b = solution_[(start + i) % n];
            if (b != keep && (best < 0 || loss_[static_cast<std::size_t>(b)] < loss_[static_cast<std::size_t>(best)]))
                best = b;
        }
        return best;
    }

    void add(std::size_t b)
    {
        inSolution_[b] = 1;
        solution_.push_back(static_cast<int>(b));
        loss_[b] = 0;
        for (std::size_t i = covStart_[b]; i < covStart_[b + 1]; ++i) {
            const auto t = static_cast<std::size_t>(cov_[i]);
            if (count_[t] == 0) {
                ++loss_[b];
                dropHole(t);
            } else if (count_[t] == 1) {
                --loss_[owner_[t]];
            }
            ++count_[t];
            owner_[t] += b;
        }
    }

    void remove(std::size_t b)
    {
        inSolution_[b] = 0;
        solution_.erase(std::find(solution_.begin(), solution_.end(), static_cast<int>(b)));
        for (std::size_t i = covStart_[b]; i < covStart_[b + 1]; ++i) {
            const auto t = static_cast<std::size_t>(cov_[i]);
            --count_[t];
            owner_[t] -= b;
            if (count_[t] == 0)
                addHole(t);
            else if (count_[t] == 1)
                ++loss_[owner_[t]];
        }
    }

    void dropHole(std::size_t t)
    {
        const std::size_t at = uncoveredAt_[t];
        const int last = uncovered_.back();
        uncovered_[at] = last;
        uncoveredAt_[static_cast<std::size_t>(last)] = at;
        uncovered_.pop_back();
    }

    void addHole(std::size_t t)
    {
        uncoveredAt_[t] = uncovered_.size();
        uncovered_.push_back(static_cast<int>(t));
    }

    std::mt19937 rng_;
    std::vector<std::uint32_t> blocks_;
    std::vector<std::size_t> covStart_, revStart_;
    std::vector<int> cov_, rev_;
    std::vector<int> count_;
    std::vector<std::size_t> owner_; // sum of the chosen lines covering a draw: the line itself when one
    std::vector<int> uncovered_;
    std::vector<std::size_t> uncoveredAt_;
    std::vector<long> loss_;
    std::vector<char> inSolution_;
    std::vector<long> lastRemoved_;
    std::vector<int> solution_;
    long clock_ = 0;
};

} // namespace

Wheel searchWheel(int basic, int width, int ok, int guarantee, const WheelSearchBudget& budget)
{
    if (basic > 20 || width > basic || ok > basic || guarantee > width || guarantee > ok || guarantee < 1)
        throw std::invalid_argument("wheel parameters out of range");
    std::vector<std::uint32_t> masks;
    for (int run = 0; run < std::max(1, budget.runs); ++run) {
        CoverSearch search(basic, width, ok, guarantee, budget.seed + static_cast<std::uint32_t>(run));
        search.greedy();
        std::vector<int> best = search.solution();
        while (search.shrink(budget.stepsPerSize))
            best = search.solution();
        if (masks.empty() || best.size() < masks.size()) {
            masks.clear();
            for (const int b : best)
                masks.push_back(search.block(b));
        }
    }
    std::sort(masks.begin(), masks.end(),
              [](std::uint32_t a, std::uint32_t b) { return subsetPositions(a) < subsetPositions(b); });
    Wheel wheel;
    wheel.width = width;
    for (const std::uint32_t m : masks)
        for (const int p : subsetPositions(m))
            wheel.positions.push_back(static_cast<std::uint8_t>(p));
    return wheel;
}

} // namespace quorlin

#include "wheel/wheel_anneal.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace quorlin {

namespace {

std::uint64_t nthBit(std::uint64_t mask, std::uint64_t n)
{
    for (; n; --n)
        mask &= mask - 1;
    return mask & (~mask + 1);
}

std::uint64_t randomBit(std::uint64_t mask, std::mt19937_64& rng)
{
    return nthBit(mask, rng() % static_cast<std::uint64_t>(std::popcount(mask)));
}

} // namespace

WheelAnneal::WheelAnneal(const MSetIndex& index, int width, int hit, std::uint64_t seed)
    : index_(&index), width_(width), hit_(hit), ok_(0), rng_(seed)
{
    ok_ = std::popcount(index_->maskOf(0));
}

void WheelAnneal::setBets(const std::vector<std::uint64_t>& fixed, const std::vector<std::uint64_t>& movable)
{
    fixed_ = fixed;
    movable_ = movable;
    counts_ = wheelCoverCounts(*index_, fixed_);
    for (const std::uint64_t bet : movable_)
        index_->forEachCovered(bet, [&](std::uint64_t r) { ++counts_[r]; });
    holes_.clear();
    holeAt_.assign(counts_.size(), 0);
    for (std::uint64_t r = 0; r < counts_.size(); ++r)
        if (!counts_[r]) {
            holeAt_[r] = static_cast<std::uint32_t>(holes_.size());
            holes_.push_back(r);
        }
}

void WheelAnneal::raise(std::uint64_t r)
{
    if (counts_[r]++ == 0) {
        const std::uint64_t last = holes_.back();
        holes_[holeAt_[r]] = last;
        holeAt_[last] = holeAt_[r];
        holes_.pop_back();
    }
}

void WheelAnneal::lower(std::uint64_t r)
{
    if (--counts_[r] == 0) {
        holeAt_[r] = static_cast<std::uint32_t>(holes_.size());
        holes_.push_back(r);
    }
}

void WheelAnneal::cover(std::uint64_t bet, int by)
{
    index_->forEachCovered(bet, [&](std::uint64_t r) { by > 0 ? raise(r) : lower(r); });
}

void WheelAnneal::coverGreedily()
{
    constexpr int kTries = 8;
    while (!holes_.empty()) {
        const std::uint64_t hole = index_->maskOf(holes_[random(holes_.size())]);
        std::uint64_t best = 0;
        long bestGain = -1;
        for (int t = 0; t < kTries; ++t) {
            std::uint64_t bet = hole;
            while (std::popcount(bet) > width_)
                bet &= ~randomBit(bet, rng_);
            while (std::popcount(bet) < width_)
                bet |= randomBit(index_->full() & ~bet, rng_);
            long gain = 0;
            index_->forEachCovered(bet, [&](std::uint64_t r) { gain += counts_[r] == 0; });
            if (gain > bestGain) {
                bestGain = gain;
                best = bet;
            }
        }
        movable_.push_back(best);
        cover(best, 1);
    }
}

void WheelAnneal::removeWeakest()
{
    if (movable_.empty())
        return;
    std::size_t weakest = 0;
    long fewest = -1;
    const std::size_t start = random(movable_.size());
    for (std::size_t k = 0; k < movable_.size(); ++k) {
        const std::size_t i = (start + k) % movable_.size();
        long alone = 0;
        index_->forEachCovered(movable_[i], [&](std::uint64_t r) { alone += counts_[r] == 1; });
        if (fewest < 0 || alone < fewest) {
            fewest = alone;
            weakest = i;
        }
    }
    cover(movable_[weakest], -1);
    movable_.erase(movable_.begin() + static_cast<std::ptrdiff_t>(weakest));
}

long WheelAnneal::swapDelta(std::uint64_t bet, std::uint64_t out, std::uint64_t in, bool apply)
{
    // Only M-sets with exactly T in common with the bet before or after can change: those holding
    // `out` and not `in` may be lost, those holding `in` and not `out` may be gained.
    const std::uint64_t rest = bet & ~out;
    const std::uint64_t outside = index_->full() & ~bet & ~in;
    long delta = 0;
    MSetIndex::forEachChoice(rest, hit_ - 1, [&](std::uint64_t a) {
        MSetIndex::forEachChoice(outside, ok_ - hit_, [&](std::uint64_t b) {
            const std::uint64_t lost = index_->rank(a | b | out), gained = index_->rank(a | b | in);
            if (apply) {
                lower(lost);
                raise(gained);
            } else {
                delta += (counts_[lost] == 1) - (counts_[gained] == 0);
            }
        });
    });
    return delta;
}

std::size_t WheelAnneal::nearestBet(std::uint64_t hole)
{
    // A bet one swap from covering the hole, drawn at random; else the closest of those drawn.
    std::size_t chosen = random(movable_.size());
    int closest = std::popcount(movable_[chosen] & hole);
    for (int k = 0; k < kDraws && closest != hit_ - 1; ++k) {
        const std::size_t other = random(movable_.size());
        const int common = std::popcount(movable_[other] & hole);
        if (common == hit_ - 1 || (closest < hit_ - 1 && common > closest)) {
            chosen = other;
            closest = common;
        }
    }
    return chosen;
}

bool WheelAnneal::anneal(std::uint64_t steps, const std::function<bool()>& stop)
{
    if (movable_.empty())
        return holes_.empty();
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const std::uint64_t level = std::max<std::uint64_t>(kMinLevel, movable_.size() * kLevelPerBet);
    for (std::uint64_t step = 0; step < steps && !holes_.empty(); ++step) {
        if ((step & 255u) == 0 && stop && stop())
            return false;
        const std::uint64_t hole = index_->maskOf(holes_[random(holes_.size())]);
        const std::size_t which = nearestBet(hole);
        const std::uint64_t bet = movable_[which];
        const std::uint64_t out = randomBit(bet & ~hole, rng_), in = randomBit(hole & ~bet, rng_);
        const long delta = swapDelta(bet, out, in, false);
        if (delta <= 0 || unit(rng_) < std::exp(-static_cast<double>(delta) / temperature_)) {
            swapDelta(bet, out, in, true);
            movable_[which] = (bet & ~out) | in;
        }
        // Geometric cooling; a search that no longer improves is heated again.
        if (holes_.size() < levelBest_)
            levelBest_ = holes_.size();
        if (++levelSteps_ >= level) {
            levelSteps_ = 0;
            temperature_ *= kCooling;
            if (levelBest_ < runBest_) {
                runBest_ = levelBest_;
                frozen_ = 0;
            } else if (++frozen_ >= kFrozenLevels || temperature_ < kMinTemperature) {
                reheat();
            }
            levelBest_ = holes_.size();
        }
    }
    return holes_.empty();
}

void WheelAnneal::reheat()
{
    startLow_ = !startLow_;
    temperature_ = startLow_ ? kLowStartTemperature : kStartTemperature;
    frozen_ = 0;
    runBest_ = levelBest_ = holes_.size();
    levelSteps_ = 0;
}

} // namespace quorlin

#pragma once

#include <cstdint>
#include <random>

namespace quorlin {

/// The random generator behind the transformed mapping and the relabelling filters.
/// Tests hand in a scripted source to fix the drawn values.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    /// Reseeds from the clock; called once at the start of every random build.
    virtual void reseed() = 0;
    /// A whole number uniform in 0..n-1 (n >= 1).
    virtual int random(int n) = 0;
};

/// The program's generator: reseeded from the time of day in milliseconds, mixed with a
/// per-process counter so that builds started within one millisecond still differ.
class ClockRandomSource final : public RandomSource {
public:
    void reseed() override;
    int random(int n) override;

private:
    std::mt19937 engine_;
    std::uint32_t builds_ = 0;
};

} // namespace quorlin

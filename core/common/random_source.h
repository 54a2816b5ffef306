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

/// A generator that repeats its values: seeded once with a fixed number, and reseeding keeps the
/// sequence going. For runs that must come out the same again (quorlin-cli --seed, tests).
class SeededRandomSource final : public RandomSource {
public:
    explicit SeededRandomSource(std::uint32_t seed) : engine_(seed) {}
    void reseed() override {}
    int random(int n) override;

private:
    std::mt19937 engine_;
};

} // namespace quorlin

#include "common/random_source.h"

#include <chrono>

namespace quorlin {

void ClockRandomSource::reseed()
{
    using namespace std::chrono;
    const auto now = system_clock::now().time_since_epoch();
    const auto msOfDay = static_cast<std::uint32_t>(duration_cast<milliseconds>(now).count() % 86'400'000);
    std::seed_seq seq{msOfDay, ++builds_, static_cast<std::uint32_t>(duration_cast<nanoseconds>(now).count())};
    engine_.seed(seq);
}

int ClockRandomSource::random(int n)
{
    std::uniform_int_distribution<int> pick(0, n - 1);
    return pick(engine_);
}

int SeededRandomSource::random(int n)
{
    std::uniform_int_distribution<int> pick(0, n - 1);
    return pick(engine_);
}

} // namespace quorlin

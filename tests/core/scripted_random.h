#pragma once

#include "common/random_source.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace quorlin::test {

/// A random source that hands out scripted values, so a random build draws what the test expects.
/// `Once` hands each value out once; asking for more, or for a value not below the bound asked
/// for, throws, which fails the running test (GoogleTest and Qt Test both report an exception
/// escaping a test) instead of reading past the script. `Cycle` starts again from the first value
/// when the script is used up, and `CycleFromReseed` also at every reseed.
class ScriptedRandom final : public RandomSource {
public:
    enum class Mode { Once, Cycle, CycleFromReseed };

    explicit ScriptedRandom(std::vector<int> values, Mode mode = Mode::Once) : values_(std::move(values)), mode_(mode)
    {
        if (values_.empty())
            throw std::invalid_argument("a scripted random source needs at least one value");
    }

    void reseed() override
    {
        ++reseeds;
        if (mode_ == Mode::CycleFromReseed)
            next_ = 0;
    }

    int random(int n) override
    {
        if (next_ == values_.size()) {
            if (mode_ == Mode::Once)
                throw std::logic_error("the scripted random source ran dry after " + std::to_string(values_.size()) +
                                       " values");
            next_ = 0;
        }
        const int value = values_[next_++];
        if (value < 0 || value >= n)
            throw std::logic_error("scripted random value " + std::to_string(value) + " is not in 0.." +
                                   std::to_string(n - 1));
        return value;
    }

    int reseeds = 0;

private:
    std::vector<int> values_;
    Mode mode_;
    std::size_t next_ = 0;
};

/// The script of a transformed build that draws window W and the identity permutation of
/// 1..`numbers`: the relabelled history then equals the real one.
inline std::vector<int> identityMappingScript(int window, int numbers = 35)
{
    std::vector<int> values{window - 1};
    for (int n = 0; n < numbers; ++n)
        values.push_back(n);
    return values;
}

} // namespace quorlin::test

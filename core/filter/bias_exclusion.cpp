#include "filter/bias_exclusion.h"

#include "common/random_source.h"

#include <bit>

namespace quorlin {

BiasExclusion::Settings BiasExclusion::defaults(int width)
{
    Settings s;
    s.high = width - 1;
    s.highKeep = {0, width - 1};
    s.low = 1;
    s.lowKeep = {1, width};
    return s;
}

std::optional<std::string> BiasExclusion::check(const Settings& settings)
{
    if (auto refusal = checkCurrentPosition(settings.cur))
        return refusal;
    if (settings.run < 1)
        return std::string("延续期数至少为 1！");
    if (settings.run > settings.cur)
        return "延续期数不能多于目前投注期之前的期数（" + std::to_string(settings.cur) + "）！";
    return std::nullopt;
}

bool BiasExclusion::prepare(RandomSource& rng)
{
    stage_ = rng.random(settings_.cur) + 1;
    RandTransform transform(history_, drawPermutation(rng, history_.total), stage_, RankOrder::CountAscending);
    const RandTransform::Relabelled r = transform.relabelled(settings_.cur - settings_.run, settings_.cur);
    high_ = true;
    low_ = true;
    const auto width = static_cast<std::size_t>(history_.width);
    for (std::size_t d = 0; d * width < r.draws.size(); ++d) {
        int c = 0;
        for (std::size_t j = 0; j < width; ++j)
            c += counts(r.draws[d * width + j]) ? 1 : 0;
        high_ = high_ && c >= settings_.high;
        low_ = low_ && c <= settings_.low;
    }
    counted_ = 0;
    for (int n = 1; n <= history_.total; ++n)
        if (counts(r.relabelTo[static_cast<std::size_t>(n)]))
            counted_ |= std::uint64_t{1} << n;
    return (settings_.highOn && high_) || (settings_.lowOn && low_);
}

bool BiasExclusion::excludes(std::uint64_t, const std::uint8_t* numbers) const
{
    const int c = overlap(counted_, numbers, history_.width);
    return (settings_.highOn && high_ && !settings_.highKeep.contains(c)) ||
           (settings_.lowOn && low_ && !settings_.lowKeep.contains(c));
}

} // namespace quorlin

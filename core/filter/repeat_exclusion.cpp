#include "filter/repeat_exclusion.h"

#include "common/random_source.h"

#include <algorithm>
#include <bit>

namespace quorlin {

std::optional<std::string> RepeatExclusion::check(const Settings& settings)
{
    if (auto refusal = checkCurrentPosition(settings.cur))
        return refusal;
    if (settings.draws > settings.cur)
        return "重码期数不能多于目前投注期之前的期数（" + std::to_string(settings.cur) + "）！";
    return std::nullopt;
}

bool RepeatExclusion::prepare(RandomSource& rng)
{
    stage_ = rng.random(settings_.cur) + 1;
    RandTransform transform(history_, drawPermutation(rng, history_.total), stage_, RankOrder::CountAscending);
    const RandTransform::Relabelled r = transform.relabelled(settings_.cur - settings_.draws, settings_.cur);
    // The candidate is relabelled at the current position; comparing its real numbers with the real
    // numbers that relabel into a draw's numbers there is the same test without relabelling it.
    std::vector<int> realOf(static_cast<std::size_t>(history_.total + 1), 0);
    for (int n = 1; n <= history_.total; ++n)
        realOf[r.relabelTo[static_cast<std::size_t>(n)]] = n;
    recent_.clear();
    const auto width = static_cast<std::size_t>(history_.width);
    for (std::size_t d = 0; d * width < r.draws.size(); ++d) {
        std::uint64_t mask = 0;
        for (std::size_t j = 0; j < width; ++j)
            mask |= std::uint64_t{1} << realOf[r.draws[d * width + j]];
        if (std::find(recent_.begin(), recent_.end(), mask) == recent_.end())
            recent_.push_back(mask);
    }
    return true;
}

bool RepeatExclusion::excludes(std::uint64_t, const std::uint8_t* numbers) const
{
    for (const std::uint64_t draw : recent_)
        if (overlap(draw, numbers, history_.width) >= settings_.threshold)
            return true;
    return false;
}

std::vector<std::optional<int>> repeatCounts(const std::vector<std::uint8_t>& draws, int width, int back)
{
    const std::size_t count = draws.size() / static_cast<std::size_t>(width);
    std::vector<std::uint64_t> masks(count, 0);
    for (std::size_t d = 0; d < count; ++d)
        for (int j = 0; j < width; ++j)
            masks[d] |= std::uint64_t{1} << draws[d * static_cast<std::size_t>(width) + static_cast<std::size_t>(j)];
    std::vector<std::optional<int>> out(count);
    for (std::size_t d = static_cast<std::size_t>(back); d < count; ++d) {
        int best = 0;
        for (std::size_t e = d - static_cast<std::size_t>(back); e < d; ++e)
            best = std::max(best, std::popcount(masks[d] & masks[e]));
        out[d] = best;
    }
    return out;
}

} // namespace quorlin

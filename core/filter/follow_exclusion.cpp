#include "filter/follow_exclusion.h"

#include "common/random_source.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace quorlin {

namespace {

std::vector<std::uint64_t> drawMasks(const std::vector<std::uint8_t>& draws, int width)
{
    const auto w = static_cast<std::size_t>(width);
    std::vector<std::uint64_t> masks(draws.size() / w, 0);
    for (std::size_t d = 0; d < masks.size(); ++d)
        for (std::size_t j = 0; j < w; ++j)
            masks[d] |= std::uint64_t{1} << draws[d * w + j];
    return masks;
}

} // namespace

std::optional<std::string> FollowExclusion::check(const Settings& settings)
{
    if (auto refusal = checkCurrentPosition(settings.cur, 2))
        return refusal;
    if (settings.group < 1 || settings.group > 3)
        return std::string("对比号码数只能是 1、2 或 3！");
    if (settings.stageBox < 1)
        return std::string("阶段统计期至少为 1！");
    return std::nullopt;
}

RandTransform::Relabelled FollowExclusion::history(RandomSource& rng, int upTo)
{
    const int total = history_.total;
    const auto width = static_cast<std::size_t>(history_.width);
    RandTransform::Relabelled out;
    out.relabelTo.assign(static_cast<std::size_t>(total + 1), 0);
    if (!settings_.transformed) {
        out.draws.assign(history_.fronts.begin(),
                         history_.fronts.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(upTo) * width));
        for (int n = 1; n <= total; ++n)
            out.relabelTo[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(n);
        stage_ = 0;
        return out;
    }
    if (settings_.rotation) {
        RandTransform rotate(history_, drawPermutation(rng, total), 0, RankOrder::CountAscending);
        out.draws.reserve(static_cast<std::size_t>(upTo) * width);
        for (int t = 0; t < upTo; ++t)
            for (std::size_t j = 0; j < width; ++j)
                out.draws.push_back(static_cast<std::uint8_t>(rotate.code(history_.draw(t)[j], t)));
        for (int n = 1; n <= total; ++n)
            out.relabelTo[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(rotate.code(n, upTo));
        stage_ = 0;
        return out;
    }
    const int bound = settings_.maxStage ? upTo + 1 : settings_.stageBox;
    stage_ = settings_.randomStage ? rng.random(bound) + 1 : bound;
    RandTransform transform(history_, drawPermutation(rng, total), stage_,
                            settings_.byGap ? RankOrder::GapDescending : RankOrder::CountAscending);
    return transform.relabelled(0, upTo);
}

bool FollowExclusion::prepare(RandomSource& rng)
{
    const int cur = settings_.cur;
    const auto width = static_cast<std::size_t>(history_.width);
    std::vector<std::uint64_t> masks(static_cast<std::size_t>(cur), 0);
    std::vector<std::uint8_t> last;
    std::vector<std::uint8_t> relabelTo;
    int computedFrom = cur;
    std::optional<RandTransform> transform;
    // Ranking the codes at every draw is most of an iteration, while the groups of the last draw
    // mostly turn up within a few hundred draws: the relabelled history is made backwards in
    // growing pieces, as far as the search reaches.
    auto fill = [&](int from) {
        const RandTransform::Relabelled r = transform->relabelled(from, computedFrom);
        for (int t = from; t < computedFrom; ++t)
            for (std::size_t j = 0; j < width; ++j)
                masks[static_cast<std::size_t>(t)] |= std::uint64_t{1}
                                                      << r.draws[static_cast<std::size_t>(t - from) * width + j];
        if (computedFrom == cur) {
            relabelTo = r.relabelTo;
            last.assign(r.draws.end() - static_cast<std::ptrdiff_t>(width), r.draws.end());
        }
        computedFrom = from;
    };
    if (settings_.transformed && !settings_.rotation) {
        const int bound = settings_.maxStage ? cur + 1 : settings_.stageBox;
        stage_ = settings_.randomStage ? rng.random(bound) + 1 : bound;
        transform.emplace(history_, drawPermutation(rng, history_.total), stage_,
                          settings_.byGap ? RankOrder::GapDescending : RankOrder::CountAscending);
        fill(std::max(0, cur - 64));
    } else {
        const RandTransform::Relabelled h = history(rng, cur);
        masks = drawMasks(h.draws, history_.width);
        relabelTo = h.relabelTo;
        last.assign(h.draws.end() - static_cast<std::ptrdiff_t>(width), h.draws.end());
        computedFrom = 0;
    }
    int piece = 64;
    const std::vector<std::uint64_t> found = followerDraws(
        [&](int j) {
            for (; j < computedFrom; piece *= 2)
                fill(std::max(0, std::min(j, computedFrom - piece)));
            return masks[static_cast<std::size_t>(j)];
        },
        last.data(), history_.width, cur, settings_.group);
    // The candidate is relabelled at the current position; its real numbers against the real numbers
    // that relabel into a follower's numbers give the same overlap.
    std::vector<int> realOf(static_cast<std::size_t>(history_.total + 1), 0);
    for (int n = 1; n <= history_.total; ++n)
        realOf[relabelTo[static_cast<std::size_t>(n)]] = n;
    followers_.clear();
    for (const std::uint64_t f : found) {
        std::uint64_t real = 0;
        for (int v = 1; v <= history_.total; ++v)
            if (f >> v & 1)
                real |= std::uint64_t{1} << realOf[static_cast<std::size_t>(v)];
        followers_.push_back(real);
    }
    counters_.assign(static_cast<std::size_t>(history_.total + 1), 0);
    ones_ = 0;
    if (followers_.size() <= 16)
        for (std::size_t f = 0; f < followers_.size(); ++f) {
            ones_ |= std::uint64_t{1} << (4 * f);
            for (int n = 1; n <= history_.total; ++n)
                if (followers_[f] >> n & 1)
                    counters_[static_cast<std::size_t>(n)] += std::uint64_t{1} << (4 * f);
        }
    return true;
}

// Whether one follower holds at least `least` of the numbers.
bool FollowExclusion::anyFollowerHolds(const std::uint8_t* numbers, int least) const
{
    if (least <= 0)
        return true; // every follow number, 0 included
    if (least > history_.width || followers_.empty())
        return false;
    if (followers_.size() > 16) {
        for (const std::uint64_t f : followers_)
            if (overlap(f, numbers, history_.width) >= least)
                return true;
        return false;
    }
    std::uint64_t sum = 0;
    for (int i = 0; i < history_.width; ++i)
        sum += counters_[numbers[i]];
    // Every counter is at most 7 (width ≤ 7): adding 8 − least sets its top bit exactly when it
    // reaches `least`, without a carry into the next counter.
    return ((sum + ones_ * static_cast<std::uint64_t>(8 - least)) & (ones_ * 8)) != 0;
}

bool FollowExclusion::excludes(std::uint64_t, const std::uint8_t* numbers) const
{
    // follow ≥ high, or follow ≤ low, that is not follow ≥ low + 1.
    return anyFollowerHolds(numbers, settings_.high) || !anyFollowerHolds(numbers, settings_.low + 1);
}

std::vector<std::uint64_t> followerDraws(const std::function<std::uint64_t(int)>& maskAt, const std::uint8_t* lastDraw,
                                         int width, int position, int group)
{
    std::vector<std::uint64_t> out;
    if (position < 2)
        return out;
    // The groups: every choice of `group` places of the last draw, places ascending.
    std::vector<int> place(static_cast<std::size_t>(group));
    for (int i = 0; i < group; ++i)
        place[static_cast<std::size_t>(i)] = i;
    while (true) {
        std::uint64_t g = 0;
        for (const int p : place)
            g |= std::uint64_t{1} << lastDraw[p];
        for (int j = position - 2; j >= 0; --j)
            if ((maskAt(j) & g) == g) {
                const std::uint64_t follower = maskAt(j + 1);
                if (std::find(out.begin(), out.end(), follower) == out.end())
                    out.push_back(follower);
                break;
            }
        int i = group - 1;
        while (i >= 0 && place[static_cast<std::size_t>(i)] == width - group + i)
            --i;
        if (i < 0)
            break;
        ++place[static_cast<std::size_t>(i)];
        for (int k = i + 1; k < group; ++k)
            place[static_cast<std::size_t>(k)] = place[static_cast<std::size_t>(k - 1)] + 1;
    }
    return out;
}

std::vector<int> followNumbers(const std::vector<std::uint8_t>& draws, int width, int group)
{
    const std::vector<std::uint64_t> masks = drawMasks(draws, width);
    std::vector<int> out(masks.size(), 0);
    const std::function<std::uint64_t(int)> maskAt = [&masks](int j) { return masks[static_cast<std::size_t>(j)]; };
    for (std::size_t i = 2; i < masks.size(); ++i) {
        const auto p = static_cast<int>(i);
        for (const std::uint64_t f :
             followerDraws(maskAt, draws.data() + (i - 1) * static_cast<std::size_t>(width), width, p, group))
            out[i] = std::max(out[i], std::popcount(masks[i] & f));
    }
    return out;
}

} // namespace quorlin

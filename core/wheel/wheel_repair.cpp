#include "wheel/wheel_repair.h"

#include "common/decimal_text.h"
#include "filter/bet_list_reader.h"
#include "wheel/wheel_anneal.h"
#include "wheel/wheel_deadline.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace quorlin {

WheelCoverage wheelCoverage(const WheelGuarantee& g, const std::vector<WheelBet>& bets)
{
    WheelCoverage coverage;
    std::vector<std::uint64_t> masks;
    coverage.error = wheelBetMasks(g, bets, masks);
    if (!coverage.error.empty())
        return coverage;
    const std::vector<int> free = g.freeNumbers();
    const MSetIndex index(static_cast<int>(free.size()), g.ok, g.hit);
    const std::vector<std::uint32_t> counts = wheelCoverCounts(index, masks);
    coverage.total = index.count();
    for (std::uint64_t r = 0; r < counts.size(); ++r) {
        if (counts[r]) {
            ++coverage.covered;
            continue;
        }
        std::vector<int> hole;
        for (std::uint64_t m = index.maskOf(r); m; m &= m - 1)
            hole.push_back(free[static_cast<std::size_t>(std::countr_zero(m))]);
        coverage.holes.push_back(hole);
    }
    std::sort(coverage.holes.begin(), coverage.holes.end());
    return coverage;
}

std::string readWheelBets(const std::string& path, std::vector<WheelBet>& bets)
{
    bets.clear();
    const LoadedBetList loaded = readBetList(path, kWheelMaxNumber, kWheelBetSize, 12, 2);
    if (!loaded.ok)
        return loaded.error;
    for (std::size_t i = 0; i + kWheelBetSize <= loaded.fronts.size(); i += kWheelBetSize)
        bets.emplace_back(loaded.fronts.begin() + static_cast<std::ptrdiff_t>(i),
                          loaded.fronts.begin() + static_cast<std::ptrdiff_t>(i) + kWheelBetSize);
    return {};
}

std::string wheelCoverageText(const WheelCoverage& c)
{
    const double share = c.total ? static_cast<double>(c.covered) / static_cast<double>(c.total) : 0.0;
    return "覆盖\t" + std::to_string(c.covered) + '/' + std::to_string(c.total) + '\t' + percentText(share);
}

void dropRedundantBets(const MSetIndex& index, std::vector<std::uint64_t>& masks, std::vector<std::uint32_t>& counts)
{
    for (std::size_t i = masks.size(); i-- > 0;) {
        bool needed = false;
        index.forEachCovered(masks[i], [&](std::uint64_t r) { needed = needed || counts[r] == 1; });
        if (needed)
            continue;
        index.forEachCovered(masks[i], [&](std::uint64_t r) { --counts[r]; });
        masks.erase(masks.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

std::vector<WheelBet> sortedWheelBets(const WheelGuarantee& g, const std::vector<std::uint64_t>& masks)
{
    std::vector<WheelBet> bets;
    for (const std::uint64_t m : masks)
        bets.push_back(wheelBetOf(g, m));
    std::sort(bets.begin(), bets.end());
    return bets;
}

namespace {

constexpr std::uint64_t kRepairSeed = 1;
constexpr std::uint64_t kRepairSteps = 50'000;
constexpr std::size_t kCarefulHoles = 512;

/// Builds a bet around T numbers of a hole, adding one number at a time the one that brings the
/// most holes to T or more in common with the bet so far.
std::uint64_t betAround(std::uint64_t seed, int width, int hit, std::uint64_t full,
                        const std::vector<std::uint64_t>& holes)
{
    std::uint64_t bet = seed;
    while (std::popcount(bet) < width) {
        std::uint64_t best = 0;
        long bestScore = -1;
        for (std::uint64_t rest = full & ~bet; rest; rest &= rest - 1) {
            const std::uint64_t bit = rest & (~rest + 1);
            long score = 0;
            for (const std::uint64_t h : holes) {
                const int common = std::popcount((bet | bit) & h);
                score += common >= hit ? 4 : (h & bit) != 0;
            }
            if (score > bestScore) {
                bestScore = score;
                best = bit;
            }
        }
        bet |= best;
    }
    return bet;
}

/// Takes one movable bet away at a time while the annealing covers every M-set without it within
/// its steps; the bets removed.
std::size_t shrinkWhileCovered(WheelAnneal& anneal, const std::function<bool()>& stop)
{
    std::size_t removed = 0;
    for (;;) {
        WheelAnneal fewer = anneal;
        fewer.removeWeakest();
        if (fewer.movable().empty() || !fewer.anneal(kRepairSteps, stop))
            return removed;
        anneal = std::move(fewer);
        ++removed;
    }
}

} // namespace

WheelRepair repairWheel(const WheelGuarantee& g, const std::vector<WheelBet>& bets, double seconds, Progress* progress)
{
    const WheelDeadline deadline(seconds, progress);
    const auto late = [&] { return deadline.reached(); };
    WheelRepair repair;
    std::vector<std::uint64_t> masks;
    repair.error = wheelBetMasks(g, bets, masks);
    if (!repair.error.empty())
        return repair;
    const int width = g.freeWidth();
    const MSetIndex index(static_cast<int>(g.freeNumbers().size()), g.ok, g.hit);
    std::vector<std::uint32_t> counts = wheelCoverCounts(index, masks);
    std::vector<std::uint64_t> holes;
    for (std::uint64_t r = 0; r < counts.size(); ++r)
        if (!counts[r])
            holes.push_back(index.maskOf(r));

    // The careful choice below scans every hole for every number it tries; a list with many holes
    // (an empty one for a large pool has hundreds of thousands) is covered the quick way.
    if (holes.size() > kCarefulHoles) {
        WheelAnneal cover(index, width, g.hit, kRepairSeed);
        cover.setBets(masks, {});
        cover.coverGreedily();
        masks.insert(masks.end(), cover.movable().begin(), cover.movable().end());
        repair.added = cover.movable().size();
        counts = wheelCoverCounts(index, masks);
        holes.clear();
    }
    constexpr std::size_t kHolesTried = 16;
    while (!holes.empty()) {
        std::uint64_t best = 0;
        std::size_t bestGain = 0;
        const std::size_t step = std::max<std::size_t>(1, holes.size() / kHolesTried);
        for (std::size_t h = 0; h < holes.size(); h += step)
            MSetIndex::forEachChoice(holes[h], g.hit, [&](std::uint64_t seed) {
                const std::uint64_t bet = betAround(seed, width, g.hit, index.full(), holes);
                std::size_t gain = 0;
                for (const std::uint64_t hole : holes)
                    gain += std::popcount(bet & hole) >= g.hit;
                if (gain > bestGain) {
                    bestGain = gain;
                    best = bet;
                }
            });
        masks.push_back(best);
        ++repair.added;
        index.forEachCovered(best, [&](std::uint64_t r) { ++counts[r]; });
        std::erase_if(holes, [&](std::uint64_t hole) { return std::popcount(best & hole) >= g.hit; });
    }
    // Fewer added bets where the annealing finds them.
    if (repair.added > 1) {
        const std::vector<std::uint64_t> kept(masks.begin(), masks.end() - static_cast<std::ptrdiff_t>(repair.added));
        WheelAnneal anneal(index, width, g.hit, kRepairSeed);
        anneal.setBets(
            kept, std::vector<std::uint64_t>(masks.end() - static_cast<std::ptrdiff_t>(repair.added), masks.end()));
        shrinkWhileCovered(anneal, late);
        masks = kept;
        masks.insert(masks.end(), anneal.movable().begin(), anneal.movable().end());
        repair.added = anneal.movable().size();
        counts = wheelCoverCounts(index, masks);
    }
    const std::size_t before = masks.size();
    dropRedundantBets(index, masks, counts);
    repair.dropped = before - masks.size();
    // Then the whole wheel one bet smaller at a time, while the annealing covers it.
    WheelAnneal whole(index, width, g.hit, kRepairSeed);
    whole.setBets({}, masks);
    repair.dropped += shrinkWhileCovered(whole, late);
    masks = whole.movable();
    repair.bets = sortedWheelBets(g, masks);
    if (!verifyWheel(g, repair.bets))
        repair.error = "修补后的矩阵未能通过验证";
    return repair;
}

} // namespace quorlin

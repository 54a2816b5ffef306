#include "filter/rand_transform.h"

#include "common/exchange_sort.h"
#include "common/random_source.h"
#include "store/lottery_state.h"

#include <algorithm>
#include <array>

namespace quorlin {

DrawHistory DrawHistory::of(const LotteryState& state)
{
    DrawHistory h;
    h.total = state.caisum;
    h.width = state.caisel;
    const std::size_t rows = state.hisfull.rows();
    h.issues.reserve(rows);
    h.fronts.reserve(rows * static_cast<std::size_t>(state.caisel));
    for (std::size_t r = 0; r < rows; ++r) {
        h.issues.push_back(state.hisfull.at(r, 0));
        for (int j = 1; j <= state.caisel; ++j)
            h.fronts.push_back(static_cast<std::uint8_t>(state.hisfull.at(r, static_cast<std::size_t>(j))));
    }
    h.index();
    return h;
}

void DrawHistory::index()
{
    const auto row = static_cast<std::size_t>((total + 1) * total);
    residueCounts.assign((static_cast<std::size_t>(draws()) + 1) * row, 0);
    for (int t = 0; t < draws(); ++t) {
        std::uint16_t* next = residueCounts.data() + (static_cast<std::size_t>(t) + 1) * row;
        std::copy(next - row, next, next);
        for (int j = 0; j < width; ++j)
            ++next[static_cast<std::size_t>(draw(t)[j] * total + t % total)];
    }
}

std::vector<int> drawPermutation(RandomSource& rng, int total)
{
    std::vector<int> perm(static_cast<std::size_t>(total + 1), 0);
    std::vector<bool> used(static_cast<std::size_t>(total + 1), false);
    for (int n = 1; n <= total; ++n) {
        int p = 0;
        do {
            p = rng.random(total) + 1;
        } while (used[static_cast<std::size_t>(p)]);
        used[static_cast<std::size_t>(p)] = true;
        perm[static_cast<std::size_t>(n)] = p;
    }
    return perm;
}

RandTransform::RandTransform(const DrawHistory& history, std::vector<int> perm, int stage, RankOrder order)
    : history_(history), perm_(std::move(perm)), stage_(stage), order_(order)
{
}

void RandTransform::rank(const std::vector<int>& count, const std::vector<int>& lastSeen, int position,
                         std::vector<std::uint8_t>& relabel) const
{
    const int total = history_.total;
    // One key per code, smaller first; counts and gaps stay below 2^20 for any loadable history.
    std::array<std::int64_t, 65> key{};
    std::array<int, 65> order{};
    std::array<int, 65> rankOf{};
    for (int k = 1; k <= total; ++k) {
        const std::int64_t c = count[static_cast<std::size_t>(k)];
        const int seen = lastSeen[static_cast<std::size_t>(k)];
        const std::int64_t g = seen >= 0 ? position - seen : 0;
        switch (order_) {
        case RankOrder::GapAscending:
            key[static_cast<std::size_t>(k)] = (g << 20) - c;
            break;
        case RankOrder::CountAscending:
            key[static_cast<std::size_t>(k)] = (c << 20) - g;
            break;
        case RankOrder::GapDescending:
            key[static_cast<std::size_t>(k)] = c - (g << 20);
            break;
        }
        order[static_cast<std::size_t>(k)] = k;
    }
    // The exchange sort, smallest key first: the relabelling depends on where it leaves equal keys.
    // Branch-free, as the history is relabelled at every draw of every iteration.
    exchangeSortKeyed<KeyOrder::SmallestFirst>(key.data() + 1, order.data() + 1, static_cast<std::size_t>(total));
    for (int pos = 1; pos <= total; ++pos)
        rankOf[static_cast<std::size_t>(order[static_cast<std::size_t>(pos)])] = pos;
    relabel.assign(static_cast<std::size_t>(total + 1), 0);
    for (int n = 1; n <= total; ++n)
        relabel[static_cast<std::size_t>(n)] =
            static_cast<std::uint8_t>(rankOf[static_cast<std::size_t>(code(n, position))]);
}

std::vector<std::uint8_t> RandTransform::relabelAt(int position) const
{
    return relabelled(position, position).relabelTo;
}

RandTransform::Relabelled RandTransform::relabelled(int from, int to) const
{
    const int total = history_.total;
    const int width = history_.width;
    std::vector<int> count(static_cast<std::size_t>(total + 1), 0);
    std::vector<int> lastSeen(static_cast<std::size_t>(total + 1), -1);
    const int first = stage_ > 0 ? std::max(0, from - stage_) : 0;
    const int* perm = perm_.data();
    if (!history_.residueCounts.empty()) {
        // Number n at a position ≡ r has code (perm(n) + r) mod total + 1: the stage's draws counted
        // per number and residue, from two rows of the index.
        const std::uint16_t* upper = history_.residueRow(from);
        const std::uint16_t* lower = history_.residueRow(first);
        for (int n = 1; n <= total; ++n) {
            const std::size_t at = static_cast<std::size_t>(n * total);
            for (int r = 0; r < total; ++r) {
                const int v = perm[n] + r;
                count[static_cast<std::size_t>((v >= total ? v - total : v) + 1)] +=
                    upper[at + static_cast<std::size_t>(r)] - lower[at + static_cast<std::size_t>(r)];
            }
        }
    } else {
        for (int t = first, residue = first % total; t < from; ++t, residue = residue + 1 == total ? 0 : residue + 1) {
            const std::uint8_t* d = history_.draw(t);
            for (int j = 0; j < width; ++j) {
                const int v = perm[d[j]] + residue;
                ++count[static_cast<std::size_t>((v >= total ? v - total : v) + 1)];
            }
        }
    }
    // The newest draw before `from` holding each code; every code turns up within a few dozen draws.
    int unseen = total;
    for (int t = from - 1; t >= 0 && unseen > 0; --t)
        for (int j = 0; j < width; ++j) {
            int& seen = lastSeen[static_cast<std::size_t>(code(history_.draw(t)[j], t))];
            if (seen < 0) {
                seen = t;
                --unseen;
            }
        }

    Relabelled out;
    out.draws.reserve(static_cast<std::size_t>(to - from) * static_cast<std::size_t>(width));
    std::vector<std::uint8_t> relabel;
    for (int t = from; t <= to; ++t) {
        rank(count, lastSeen, t, relabel);
        if (t == to)
            break;
        const std::uint8_t* d = history_.draw(t);
        const std::size_t at = out.draws.size();
        for (int j = 0; j < width; ++j) {
            const int k = code(d[j], t);
            out.draws.push_back(relabel[static_cast<std::size_t>(d[j])]);
            ++count[static_cast<std::size_t>(k)];
            lastSeen[static_cast<std::size_t>(k)] = t;
        }
        std::sort(out.draws.begin() + static_cast<std::ptrdiff_t>(at), out.draws.end());
        if (stage_ > 0 && t - stage_ >= 0)
            for (int j = 0; j < width; ++j)
                --count[static_cast<std::size_t>(code(history_.draw(t - stage_)[j], t - stage_))];
    }
    out.relabelTo = std::move(relabel);
    return out;
}

} // namespace quorlin

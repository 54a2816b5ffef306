#include "store/display_tables.h"

#include "common/calendar.h"
#include "common/exchange_sort.h"
#include "common/random_source.h"
#include "filter/rand_transform.h"
#include "store/lottery_state.h"
#include "store/u_datamod.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorlin {

namespace {

// Codes (1..caisum) sit in the low bits of a sort entry, the key above them.
constexpr int kCodeBits = 8;
constexpr std::uint64_t kCodeMask = (std::uint64_t{1} << kCodeBits) - 1;

// Hit marks and texts of one display row from its front numbers and real back numbers.
void fillDisplayRow(HisText& text, std::size_t r, std::int32_t issue, const int* front, int c, const int* back, int h)
{
    text.setRow(r, std::to_string(issue), formatDrawText(front, c, back, h));
    for (int j = 0; j < c; ++j)
        text.markFront(r, front[j]);
    for (int j = 0; j < h; ++j)
        text.markBack(r, back[j]);
}

} // namespace

void buildstandard(LotteryState& state, Tdatamod& datamod)
{
    DrawCursor& cursor = datamod.t_caipiao;
    const int c = state.caisel;
    const int h = state.housel;
    const auto rows = static_cast<std::size_t>(cursor.recordCount());
    state.hisfull.resize(rows, static_cast<std::size_t>(c + h + 1));
    state.hisdate.assign(rows, {});
    state.histext.resize(rows, state.caisum, state.housum);
    state.histext.setTransformed(false);

    std::size_t i = 0;
    for (cursor.first(); !cursor.eof(); cursor.next(), ++i) {
        if (isDateText(cursor.date()))
            state.hisdate[i] = cursor.date();
        auto row = state.hisfull.row(i);
        row[0] = static_cast<std::int32_t>(std::stol(cursor.issue()));
        for (int k = 1; k <= c + h; ++k)
            row[static_cast<std::size_t>(k)] = cursor.number(k);
        fillDisplayRow(state.histext, i, row[0], &row[1], c, &row[static_cast<std::size_t>(c + 1)], h);
    }
    cursor.first();
}

void buildtransformed(LotteryState& state, RandomSource& rng)
{
    const int total = state.caisum;
    const int c = state.caisel;
    const int h = state.housel;
    const int recnum = static_cast<int>(state.hisfull.rows());
    state.hisbian.resize(static_cast<std::size_t>(recnum), static_cast<std::size_t>(c + 1));

    rng.reseed();
    const int window = rng.random(100) + 1;
    std::vector<std::int32_t>& perm = state.bianperm;
    perm = drawPermutation(rng, total);
    // The code of front number n in draw d; it moves on by one every draw.
    auto code = [&](int n, int d) { return (perm[static_cast<std::size_t>(n)] + d) % total + 1; };
    auto front = [&](int d, int j) {
        return state.hisfull.at(static_cast<std::size_t>(d), static_cast<std::size_t>(j));
    };

    std::vector<int> count(static_cast<std::size_t>(total + 1), 0);
    std::vector<int> gap(static_cast<std::size_t>(total + 1), 0);
    std::vector<int> lastSeen(static_cast<std::size_t>(total + 1), -1);
    std::vector<std::int32_t> rank(static_cast<std::size_t>(total + 1), 0);
    std::vector<std::uint64_t> packed(static_cast<std::size_t>(total + 1), 0);
    // A count never exceeds the window's draws times the front numbers per draw.
    const std::uint64_t kCountRange = static_cast<std::uint64_t>(window) * static_cast<std::uint64_t>(c) + 1;

    for (int i = 0; i <= recnum; ++i) {
        if (i < recnum)
            state.hisbian.at(static_cast<std::size_t>(i), 0) = state.hisfull.at(static_cast<std::size_t>(i), 0);
        for (int j = 1; j <= c; ++j) {
            if (i >= 1) {
                const int k = code(front(i - 1, j), i - 1);
                ++count[static_cast<std::size_t>(k)];
                lastSeen[static_cast<std::size_t>(k)] = i - 1;
            }
            if (i >= window + 1)
                --count[static_cast<std::size_t>(code(front(i - window - 1, j), i - window - 1))];
        }
        // The gap is the distance back to the newest draw holding the code; a code never seen keeps 0.
        for (int k = 1; k <= total; ++k) {
            if (lastSeen[static_cast<std::size_t>(k)] >= 0)
                gap[static_cast<std::size_t>(k)] = i - lastSeen[static_cast<std::size_t>(k)];
        }
        // Exchange sort: larger gap first, equal gaps by smaller count; ties stay where it leaves them.
        // Each entry packs the key (gap, then the count reversed) above the code.
        for (int k = 1; k <= total; ++k) {
            const auto sortKey = static_cast<std::uint64_t>(gap[static_cast<std::size_t>(k)]) * kCountRange +
                                 static_cast<std::uint64_t>(kCountRange - 1 - count[static_cast<std::size_t>(k)]);
            packed[static_cast<std::size_t>(k)] = sortKey << kCodeBits | static_cast<std::uint64_t>(k);
        }
        // Run at every draw: the four-pass form keeps the whole build within a few milliseconds.
        exchangeSortPackedFourPasses<kCodeBits, KeyOrder::LargestFirst>(packed.data() + 1,
                                                                        static_cast<std::size_t>(total));
        for (int pos = 1; pos <= total; ++pos)
            rank[packed[static_cast<std::size_t>(pos)] & kCodeMask] = pos;

        if (i < recnum) {
            auto row = state.hisbian.row(static_cast<std::size_t>(i));
            for (int j = 1; j <= c; ++j)
                row[static_cast<std::size_t>(j)] = rank[static_cast<std::size_t>(code(front(i, j), i))];
            std::sort(row.begin() + 1, row.end());
        } else {
            state.bianrank = rank;
        }
    }

    state.histext.resize(static_cast<std::size_t>(recnum), total, state.housum);
    state.histext.setTransformed(true);
    for (int i = 0; i < recnum; ++i) {
        const auto r = static_cast<std::size_t>(i);
        const auto bian = state.hisbian.row(r);
        const auto full = state.hisfull.row(r);
        fillDisplayRow(state.histext, r, bian[0], &bian[1], c, &full[static_cast<std::size_t>(c + 1)], h);
    }
}

namespace {

// A transformed build of the loaded history has left a permutation and ranks for every number.
bool hasTransformedMapping(const LotteryState& state)
{
    const auto size = static_cast<std::size_t>(state.caisum + 1);
    return state.bianperm.size() == size && state.bianrank.size() == size;
}

void requireFrontNumber(const LotteryState& state, std::int32_t n)
{
    if (n < 1 || n > state.caisum)
        throw std::out_of_range("前区号码 " + std::to_string(n) + " 超出范围 1-" + std::to_string(state.caisum));
}

} // namespace

std::int32_t mapcoming(const LotteryState& state, std::int32_t n)
{
    requireFrontNumber(state, n);
    // Before any transformed build of this history the numbers are their own transformed numbers.
    if (!hasTransformedMapping(state))
        return n;
    const std::int32_t code = (state.bianperm[static_cast<std::size_t>(n)] + state.recnum) % state.caisum + 1;
    return state.bianrank[static_cast<std::size_t>(code)];
}

std::int32_t unmapcoming(const LotteryState& state, std::int32_t t)
{
    requireFrontNumber(state, t);
    if (!hasTransformedMapping(state))
        return t;
    for (std::int32_t n = 1; n <= state.caisum; ++n) {
        if (mapcoming(state, n) == t)
            return n;
    }
    return 0; // not reached: the ranks of a build are a permutation of 1..caisum
}

} // namespace quorlin

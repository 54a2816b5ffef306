#include "check/replay_front_counts.h"

#include "filter/combination_table.h"
#include "filter/extra_conditions.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

namespace quorlin {

namespace {

// The words of a block: the rows present, the remaining tolerance, then the numbers.
constexpr std::size_t kPresent = 0;
constexpr std::size_t kBudget = 1;
constexpr std::size_t kNumbers = 4;
constexpr std::size_t kBudgetBits = 3;
// Blocks of 64 rows judged side by side: word w of block j of a chunk is at w · kLanes + j, so
// every step works on kLanes words in a row.
constexpr std::size_t kLanes = 32;

// The conditions judged against the draws before a draw (偏度 and the history-relative ones of the
// second page), and the rest, which judge every draw alike.
TotalFilterSettings drawDependent(const TotalFilterSettings& s)
{
    TotalFilterSettings d;
    d.skew = s.skew;
    for (const ExtraConditionInfo& info : extraConditions())
        if (info.againstHistory)
            d.extraRange(info.id) = s.extraRange(info.id);
    return d;
}

TotalFilterSettings drawFree(const TotalFilterSettings& s)
{
    TotalFilterSettings f = s;
    f.skew.reset();
    for (const ExtraConditionInfo& info : extraConditions())
        if (info.againstHistory)
            f.extraRange(info.id).reset();
    f.tolerance = 0;
    return f;
}

// The rows whose count (three bit planes a0..a2) is above another's (b0..b2).
[[gnu::always_inline]] inline std::uint64_t above(std::uint64_t a0, std::uint64_t a1, std::uint64_t a2,
                                                  std::uint64_t b0, std::uint64_t b1, std::uint64_t b2)
{
    const std::uint64_t low = a0 & ~b0;
    const std::uint64_t middle = (a1 & ~b1) | (~(a1 ^ b1) & low);
    return (a2 & ~b2) | (~(a2 ^ b2) & middle);
}

} // namespace

ReplayFrontCounts::ReplayFrontCounts(const TotalFilterSettings& settings, int total, int width)
    : dependent_(drawDependent(settings)), total_(total), width_(width)
{
    if (width > 7)
        throw std::invalid_argument("总体过滤最多判断每注 7 个号码");
    CombinationTable all;
    all.buildAll(total, width);
    std::vector<std::uint8_t> fails(all.rows(), 0);
    const TotalFilterSettings free = drawFree(settings);
    if (free.activeCount() > 0) {
        FilterSpace space;
        space.total = total;
        space.width = width;
        countFailures(all, free, space, fails.data());
    }
    const int tolerance = std::max(0, settings.tolerance);
    tolerant_ = tolerance > 0;
    const auto candidates = static_cast<std::size_t>(
        std::count_if(fails.begin(), fails.end(), [tolerance](std::uint8_t f) { return f <= tolerance; }));
    stride_ = (kNumbers + static_cast<std::size_t>(total)) * kLanes;
    constexpr std::size_t kChunkRows = 64 * kLanes;
    chunks_.assign((candidates + kChunkRows - 1) / kChunkRows * stride_, 0);
    std::size_t at = 0;
    for (std::size_t r = 0; r < all.rows(); ++r) {
        if (fails[r] > tolerance)
            continue;
        // Word w of the row's block is block[w * kLanes].
        std::uint64_t* block = chunks_.data() + at / kChunkRows * stride_ + at / 64 % kLanes;
        const std::uint64_t bit = std::uint64_t{1} << (at % 64);
        block[kPresent * kLanes] |= bit;
        // Failures beyond the conditions a row can still fail are never reached.
        const int budget = std::min(tolerance - fails[r], (1 << kBudgetBits) - 1);
        for (std::size_t k = 0; k < kBudgetBits; ++k)
            if ((budget >> k) & 1)
                block[(kBudget + k) * kLanes] |= bit;
        for (const std::uint8_t n : all.row(r))
            block[(kNumbers + static_cast<std::size_t>(n) - 1) * kLanes] |= bit;
        ++at;
    }
}

std::optional<ReplayFrontCounts::Test> ReplayFrontCounts::test(std::uint64_t numbers, int lo, int hi) const
{
    const std::uint64_t every = ((std::uint64_t{1} << total_) - 1) << 1;
    numbers &= every;
    lo = std::max(lo, 0);
    hi = std::min(hi, width_);
    const Test never{{}, 1, width_, true};
    if (lo > hi)
        return never;
    // A count that is the same for every row passes all or none.
    if (numbers == 0 || numbers == every) {
        const int count = numbers == 0 ? 0 : width_;
        return count >= lo && count <= hi ? std::nullopt : std::optional<Test>(never);
    }
    if (lo == 0 && hi == width_)
        return std::nullopt;
    // The count of the other numbers is width − count: whichever side costs fewer operations.
    struct Form {
        std::uint64_t numbers;
        int lo;
        int hi;
    };
    const Form forms[2] = {{numbers, lo, hi}, {every & ~numbers, width_ - hi, width_ - lo}};
    // None, or at least one: the words or'ed, one operation a number; a count takes five.
    const auto any = [this](const Form& f) { return f.hi == 0 || (f.lo == 1 && f.hi == width_); };
    const auto cost = [&any](const Form& f) { return std::popcount(f.numbers) * (any(f) ? 1 : 5); };
    const Form& f = cost(forms[1]) < cost(forms[0]) ? forms[1] : forms[0];
    Test t;
    t.lo = f.lo;
    t.hi = f.hi;
    t.any = any(f);
    for (int n = 1; n <= total_; ++n)
        if ((f.numbers >> n) & 1)
            t.words.push_back(kNumbers + static_cast<std::size_t>(n) - 1);
    return t;
}

ReplayFrontCounts::DrawProgram ReplayFrontCounts::programFor(const Grid<std::int32_t>& his, std::size_t at)
{
    if (!omission_.empty() && at == omissionAt_ + 1) {
        for (int& o : omission_)
            ++o;
        for (int k = 1; k <= width_; ++k) {
            const int n = his.at(omissionAt_, static_cast<std::size_t>(k));
            if (n >= 1 && n <= total_)
                omission_[static_cast<std::size_t>(n)] = 0;
        }
    } else if (omission_.empty() || at != omissionAt_) {
        omission_ = frontOmissions(his, at, width_, total_);
    }
    omissionAt_ = at;

    DrawProgram program;
    std::vector<int> latestDraw;
    for (int k = 1; k <= width_; ++k) {
        latestDraw.push_back(his.at(at - 1, static_cast<std::size_t>(k)));
        const int n = his.at(at, static_cast<std::size_t>(k));
        const std::size_t word = kNumbers + static_cast<std::size_t>(n) - 1;
        auto& words = program.drawWords;
        if (n >= 1 && n <= total_ && std::find(words.begin(), words.end(), word) == words.end())
            words.push_back(word);
    }
    const auto add = [&program](Condition c) {
        if (!c.empty())
            program.conditions.push_back(std::move(c));
    };
    if (dependent_.skew) {
        // No number too far from the latest draw, and one far enough.
        const SkewMasks masks = skewMasks(*dependent_.skew, latestDraw, total_);
        Condition c;
        if (auto t = test(masks.tooFar, 0, 0))
            c.push_back(std::move(*t));
        if (auto t = test(masks.farEnough, 1, width_))
            c.push_back(std::move(*t));
        add(std::move(c));
    }
    const ConditionHistory history{latestDraw, omission_, total_};
    for (const ExtraConditionInfo& info : extraConditions()) {
        const auto& range = dependent_.extraRange(info.id);
        if (!range)
            continue;
        Condition c;
        if (auto t = test(extraConditionNumbers(info.id, total_, history), range->lo, range->hi))
            c.push_back(std::move(*t));
        add(std::move(c));
    }
    return program;
}

namespace {

using Lanes = std::array<std::uint64_t, kLanes>;

// Per row of kLanes blocks a count below 8, three bit planes.
struct LanePlanes {
    Lanes b0{};
    Lanes b1{};
    Lanes b2{};

    [[gnu::always_inline]] void add(const std::uint64_t* rows)
    {
        for (std::size_t j = 0; j < kLanes; ++j) {
            const std::uint64_t carry0 = b0[j] & rows[j];
            b0[j] ^= rows[j];
            const std::uint64_t carry1 = b1[j] & carry0;
            b1[j] ^= carry0;
            b2[j] |= carry1;
        }
    }
    // out = the rows whose count is above k.
    [[gnu::always_inline]] void above(int k, Lanes& out) const
    {
        const auto each = [&out](auto rows) {
            for (std::size_t j = 0; j < kLanes; ++j)
                out[j] = rows(j);
        };
        switch (k) {
        case 0:
            each([this](std::size_t j) { return b0[j] | b1[j] | b2[j]; });
            break;
        case 1:
            each([this](std::size_t j) { return b1[j] | b2[j]; });
            break;
        case 2:
            each([this](std::size_t j) { return b2[j] | (b1[j] & b0[j]); });
            break;
        case 3:
            out = b2;
            break;
        case 4:
            each([this](std::size_t j) { return b2[j] & (b1[j] | b0[j]); });
            break;
        case 5:
            each([this](std::size_t j) { return b2[j] & b1[j]; });
            break;
        case 6:
            each([this](std::size_t j) { return b2[j] & b1[j] & b0[j]; });
            break;
        default:
            out.fill(k < 0 ? ~std::uint64_t{0} : 0);
        }
    }
    // failed |= the rows whose count lies outside lo..hi.
    [[gnu::always_inline]] void outside(int lo, int hi, Lanes& failed) const
    {
        Lanes tooMany;
        Lanes enough;
        above(hi, tooMany);
        above(lo - 1, enough);
        for (std::size_t j = 0; j < kLanes; ++j)
            failed[j] |= tooMany[j] | ~enough[j];
    }
};

template <class Condition>
[[gnu::always_inline]] inline void addFailures(const std::uint64_t* chunk, const Condition& condition, Lanes& failed)
{
    for (const auto& t : condition) {
        if (t.any) {
            Lanes some{};
            for (const std::size_t w : t.words)
                for (std::size_t j = 0; j < kLanes; ++j)
                    some[j] |= chunk[w * kLanes + j];
            const std::uint64_t flip = t.hi == 0 ? 0 : ~std::uint64_t{0};
            for (std::size_t j = 0; j < kLanes; ++j)
                failed[j] |= some[j] ^ flip;
        } else {
            LanePlanes p;
            for (const std::size_t w : t.words)
                p.add(chunk + w * kLanes);
            p.outside(t.lo, t.hi, failed);
        }
    }
}

// One draw over one chunk.
template <class Program>
[[gnu::always_inline]] inline void countChunk(const std::uint64_t* chunk, bool tolerant, const Program& program,
                                              std::array<std::uint64_t, 9>& byHits)
{
    Lanes kept;
    for (std::size_t j = 0; j < kLanes; ++j)
        kept[j] = chunk[kPresent * kLanes + j];
    if (tolerant) {
        LanePlanes failures;
        for (const auto& c : program.conditions) {
            Lanes failed{};
            addFailures(chunk, c, failed);
            failures.add(failed.data());
        }
        const std::uint64_t* budget = chunk + kBudget * kLanes;
        for (std::size_t j = 0; j < kLanes; ++j)
            kept[j] &= ~above(failures.b0[j], failures.b1[j], failures.b2[j], budget[j], budget[kLanes + j],
                              budget[2 * kLanes + j]);
    } else {
        Lanes failed{};
        for (const auto& c : program.conditions)
            addFailures(chunk, c, failed);
        for (std::size_t j = 0; j < kLanes; ++j)
            kept[j] &= ~failed[j];
    }
    LanePlanes hits;
    for (const std::size_t w : program.drawWords)
        hits.add(chunk + w * kLanes);
    // A row holds at most 7 of the draw's numbers: every count below 8 is taken.
    for (std::size_t j = 0; j < kLanes; ++j) {
        const std::uint64_t low = kept[j] & ~hits.b2[j];
        const std::uint64_t high = kept[j] & hits.b2[j];
        const std::uint64_t b0 = hits.b0[j];
        const std::uint64_t b1 = hits.b1[j];
        const std::array<std::uint64_t, 4> pairs{~b1 & ~b0, ~b1 & b0, b1 & ~b0, b1 & b0};
        for (std::size_t k = 0; k < 4; ++k) {
            byHits[k] += static_cast<std::uint64_t>(std::popcount(low & pairs[k]));
            byHits[k + 4] += static_cast<std::uint64_t>(std::popcount(high & pairs[k]));
        }
    }
}

// Every draw of a batch over one chunk after the other, so a chunk is read from memory once.
template <class Program>
[[gnu::always_inline]] inline void countBatchImpl(const std::vector<std::uint64_t>& chunks, std::size_t stride,
                                                  bool tolerant, const std::vector<Program>& programs,
                                                  std::array<std::uint64_t, 9>* byHits)
{
    for (std::size_t at = 0; at < chunks.size(); at += stride)
        for (std::size_t d = 0; d < programs.size(); ++d)
            countChunk(chunks.data() + at, tolerant, programs[d], byHits[d]);
}

// Wider vectors and bit counting in one instruction on x86 processors that have them; the program
// picks at run time.
#if defined(__x86_64__) || defined(__i386__)
template <class Program>
[[gnu::target("avx2,popcnt")]] void countBatchWide(const std::vector<std::uint64_t>& chunks, std::size_t stride,
                                                   bool tolerant, const std::vector<Program>& programs,
                                                   std::array<std::uint64_t, 9>* byHits)
{
    countBatchImpl(chunks, stride, tolerant, programs, byHits);
}

template <class Program>
[[gnu::target("popcnt")]] void countBatchPopcnt(const std::vector<std::uint64_t>& chunks, std::size_t stride,
                                                bool tolerant, const std::vector<Program>& programs,
                                                std::array<std::uint64_t, 9>* byHits)
{
    countBatchImpl(chunks, stride, tolerant, programs, byHits);
}
#endif

template <class Program>
void countBatchPortable(const std::vector<std::uint64_t>& chunks, std::size_t stride, bool tolerant,
                        const std::vector<Program>& programs, std::array<std::uint64_t, 9>* byHits)
{
    countBatchImpl(chunks, stride, tolerant, programs, byHits);
}

} // namespace

std::array<std::uint64_t, 9> ReplayFrontCounts::count(const Grid<std::int32_t>& his, std::size_t at)
{
    if (at < countedFrom_ || at >= countedFrom_ + counted_.size()) {
        const std::size_t end = std::max(at + 1, std::min(at + kBatch, his.rows()));
        std::vector<DrawProgram> programs;
        for (std::size_t d = at; d < end; ++d)
            programs.push_back(programFor(his, d));
        counted_.assign(programs.size(), {});
        countedFrom_ = at;
#if defined(__x86_64__) || defined(__i386__)
        if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt"))
            countBatchWide(chunks_, stride_, tolerant_, programs, counted_.data());
        else if (__builtin_cpu_supports("popcnt"))
            countBatchPopcnt(chunks_, stride_, tolerant_, programs, counted_.data());
        else
#endif
            countBatchPortable(chunks_, stride_, tolerant_, programs, counted_.data());
    }
    return counted_[at - countedFrom_];
}

} // namespace quorlin

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
constexpr int kBudgetBits = 3;

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

// A small count per row of a block, three bit planes (a row holds at most 7 numbers).
struct Planes {
    std::uint64_t b0 = 0;
    std::uint64_t b1 = 0;
    std::uint64_t b2 = 0;

    [[gnu::always_inline]] void add(std::uint64_t rows)
    {
        const std::uint64_t carry0 = b0 & rows;
        b0 ^= rows;
        const std::uint64_t carry1 = b1 & carry0;
        b1 ^= carry0;
        b2 |= carry1;
    }
    // The rows whose count is above k.
    [[gnu::always_inline]] std::uint64_t above(int k) const
    {
        switch (k) {
        case 0:
            return b0 | b1 | b2;
        case 1:
            return b1 | b2;
        case 2:
            return b2 | (b1 & b0);
        case 3:
            return b2;
        case 4:
            return b2 & (b1 | b0);
        case 5:
            return b2 & b1;
        case 6:
            return b2 & b1 & b0;
        default:
            return k < 0 ? ~std::uint64_t{0} : 0;
        }
    }
    [[gnu::always_inline]] std::uint64_t equal(int k) const
    {
        return ((k & 1) != 0 ? b0 : ~b0) & ((k & 2) != 0 ? b1 : ~b1) & ((k & 4) != 0 ? b2 : ~b2);
    }
    // The rows whose count is above the other's.
    [[gnu::always_inline]] std::uint64_t above(const Planes& o) const
    {
        const std::uint64_t low = b0 & ~o.b0;
        const std::uint64_t middle = (b1 & ~o.b1) | (~(b1 ^ o.b1) & low);
        return (b2 & ~o.b2) | (~(b2 ^ o.b2) & middle);
    }
};

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
    candidates_ = static_cast<std::size_t>(
        std::count_if(fails.begin(), fails.end(), [tolerance](std::uint8_t f) { return f <= tolerance; }));
    stride_ = kNumbers + static_cast<std::size_t>(total);
    blocks_.assign((candidates_ + 63) / 64 * stride_, 0);
    std::size_t at = 0;
    for (std::size_t r = 0; r < all.rows(); ++r) {
        if (fails[r] > tolerance)
            continue;
        std::uint64_t* block = blocks_.data() + at / 64 * stride_;
        const std::uint64_t bit = std::uint64_t{1} << (at % 64);
        block[kPresent] |= bit;
        // Failures beyond the conditions a row can still fail are never reached.
        const int budget = std::min(tolerance - fails[r], (1 << kBudgetBits) - 1);
        for (int k = 0; k < kBudgetBits; ++k)
            if ((budget >> k) & 1)
                block[kBudget + static_cast<std::size_t>(k)] |= bit;
        for (const std::uint8_t n : all.row(r))
            block[kNumbers + static_cast<std::size_t>(n) - 1] |= bit;
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
    const auto cost = [this](const Form& f) {
        const int words = std::popcount(f.numbers);
        return f.hi == 0 || (f.lo == 1 && f.hi == width_) ? words : 5 * words;
    };
    const Form& f = cost(forms[1]) < cost(forms[0]) ? forms[1] : forms[0];
    Test t;
    t.lo = f.lo;
    t.hi = f.hi;
    t.any = f.hi == 0 || (f.lo == 1 && f.hi == width_);
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

// A count of the rows' numbers among the test's, three planes.
[[gnu::always_inline]] inline Planes countOf(const std::uint64_t* block, const std::vector<std::size_t>& words)
{
    Planes p;
    for (const std::size_t w : words)
        p.add(block[w]);
    return p;
}

template <class Condition>
[[gnu::always_inline]] inline std::uint64_t failing(const std::uint64_t* block, const Condition& condition)
{
    std::uint64_t failed = 0;
    for (const auto& t : condition) {
        if (t.any) {
            std::uint64_t some = 0;
            for (const std::size_t w : t.words)
                some |= block[w];
            failed |= t.hi == 0 ? some : ~some;
        } else {
            const Planes p = countOf(block, t.words);
            failed |= p.above(t.hi) | ~p.above(t.lo - 1);
        }
    }
    return failed;
}

// Blocks [first, last) of the rows, for every draw of a batch.
struct BlockRun {
    const std::uint64_t* blocks;
    std::size_t count;
    std::size_t stride;
    bool tolerant;
    int width;
};

template <class Program>
[[gnu::always_inline]] inline void countBlocks(const BlockRun& run, std::size_t first, std::size_t last,
                                               const Program& program, std::array<std::uint64_t, 9>& byHits)
{
    std::array<std::uint64_t, 9> counted{};
    for (std::size_t b = first; b < last; ++b) {
        const std::uint64_t* block = run.blocks + b * run.stride;
        std::uint64_t kept = block[kPresent];
        if (run.tolerant) {
            Planes failures;
            for (const auto& c : program.conditions)
                failures.add(failing(block, c));
            kept &= ~failures.above(Planes{block[kBudget], block[kBudget + 1], block[kBudget + 2]});
        } else {
            for (const auto& c : program.conditions)
                kept &= ~failing(block, c);
        }
        if (kept == 0)
            continue;
        const Planes hits = countOf(block, program.drawWords);
        for (int k = 0; k <= run.width; ++k)
            counted[static_cast<std::size_t>(k)] += static_cast<std::uint64_t>(std::popcount(kept & hits.equal(k)));
    }
    for (std::size_t k = 0; k < counted.size(); ++k)
        byHits[k] += counted[k];
}

// A stretch of blocks small enough to stay in the nearest cache while every draw of a batch is
// counted over it.
constexpr std::size_t kChunkBlocks = 32;

template <class Program>
[[gnu::always_inline]] inline void countBatchImpl(const BlockRun& run, const std::vector<Program>& programs,
                                                  std::array<std::uint64_t, 9>* byHits)
{
    for (std::size_t first = 0; first < run.count; first += kChunkBlocks) {
        const std::size_t last = std::min(run.count, first + kChunkBlocks);
        for (std::size_t d = 0; d < programs.size(); ++d)
            countBlocks(run, first, last, programs[d], byHits[d]);
    }
}

// Bit counting is one instruction on processors that have it; the program picks at run time.
template <class Program>
[[gnu::target("popcnt")]] void countBatchPopcnt(const BlockRun& run, const std::vector<Program>& programs,
                                                std::array<std::uint64_t, 9>* byHits)
{
    countBatchImpl(run, programs, byHits);
}

template <class Program>
void countBatchPortable(const BlockRun& run, const std::vector<Program>& programs, std::array<std::uint64_t, 9>* byHits)
{
    countBatchImpl(run, programs, byHits);
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
        const BlockRun run{blocks_.data(), blocks_.size() / std::max<std::size_t>(stride_, 1), stride_, tolerant_,
                           width_};
        if (__builtin_cpu_supports("popcnt"))
            countBatchPopcnt(run, programs, counted_.data());
        else
            countBatchPortable(run, programs, counted_.data());
    }
    return counted_[at - countedFrom_];
}

} // namespace quorlin

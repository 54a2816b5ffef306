#include "filter/total_filter.h"

#include "common/number_mask.h"
#include "common/progress.h"
#include "filter/combination_table.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace quorlin {

namespace {

constexpr std::size_t kProgressStep = 1 << 14;

bool anyCondition(const TotalFilterSettings& s)
{
    return s.activeCount() > 0;
}

int countIn(const std::vector<int>& numbers, int total)
{
    std::array<bool, 64> seen{};
    int count = 0;
    for (int n : numbers) {
        if (n >= 1 && n <= total && n < 64 && !seen[static_cast<std::size_t>(n)]) {
            seen[static_cast<std::size_t>(n)] = true;
            ++count;
        }
    }
    return count;
}

// A range that every value passes, for a condition that is not checked.
constexpr FilterRange kAnything{0, 0xFFFF};

// lo ≤ v ≤ hi in one comparison, without a branch.
[[gnu::always_inline]] inline bool within(int v, const FilterRange& r)
{
    return static_cast<unsigned>(v - r.lo) <= static_cast<unsigned>(r.hi - r.lo);
}

// Counting conditions judged on a row's stored numbers at once: each number adds a word whose
// 4-bit field k is 1 when the number belongs to condition k's set, so a row's counts are the sum of
// its numbers' words. With at most 7 numbers no field overflows its guard bit (bit 3), and every
// field is checked against its range in a few word operations (fieldFailures).
enum CountField {
    Bankers,
    Front,
    Mod3Zero,
    Mod3One,
    Mod3Two,
    Primes,
    Zone1,
    Zone2,
    Zone3,
    Repeat,
    Neighbours,
    Hot,
    Warm,
    Cold,
    Big,
    Odd,
    CountFields
};

// Ranges of many small fields of one word checked at once. A field of `bits` bits holds a value v
// below its guard bit g = bits − 1; v ≥ lo exactly when bit g of v + 2^g − lo is set, and v ≤ hi
// exactly when bit g of hi + 2^g − v is set, with no carry or borrow between fields.
struct FieldRanges {
    std::uint64_t addLow = 0;                   // per field 2^g − lo
    std::uint64_t highPlus = ~std::uint64_t{0}; // per field hi + 2^g; unchecked fields all ones, so nothing borrows
    std::uint64_t guards = 0;                   // the guard bits of the checked fields

    void set(int field, int bits, FilterRange r)
    {
        const int guard = 1 << (bits - 1);
        const int lo = std::clamp(r.lo, 0, guard);
        const int hi = std::clamp(r.hi, -1, guard - 1);
        const int shift = field * bits;
        const std::uint64_t fieldMask = ((std::uint64_t{1} << bits) - 1) << shift;
        const auto put = [shift, fieldMask](std::uint64_t& word, int value) {
            word = (word & ~fieldMask) | (static_cast<std::uint64_t>(value) << shift);
        };
        if (hi < lo || r.lo > r.hi) {
            // Nothing passes: a lower bound above every value.
            put(addLow, 0);
            put(highPlus, guard + guard - 1);
        } else {
            put(addLow, guard - lo);
            put(highPlus, hi + guard);
        }
        guards |= static_cast<std::uint64_t>(guard) << shift;
    }
    // The number of checked fields outside their ranges.
    [[gnu::always_inline]] int failures(std::uint64_t values) const
    {
        return std::popcount(~((values + addLow) & (highPlus - values)) & guards);
    }
};

// Everything a run needs per row, prepared once: the ranges (unchecked conditions pass anything),
// the counting words and the packed ranges, and the skew as two mask tests (a row's skew is at most
// k exactly when it holds no number farther than k from the latest draw).
struct RunPlan {
    FilterRange big = kAnything, odd = kAnything, sum = kAnything, span = kAnything, disp = kAnything, ac = kAnything,
                bankers = kAnything, front = kAnything;
    std::uint64_t bigMask = 0, oddMask = 0, bankerMask = 0, frontMask = 0;
    std::uint64_t skewTooFar = 0;                    // numbers farther from the latest draw than the upper bound
    std::uint64_t skewFarEnough = ~std::uint64_t{0}; // numbers at least the lower bound away
    int total = 35;
    std::array<std::uint8_t, 64> map{};
    bool mapped = false;
    int tolerance = 0;
    std::array<std::uint64_t, 64> countWord{}; // per number: its 4-bit fields of CountField
    FieldRanges counts;                        // the counting conditions judged on stored numbers
    FieldRanges stats;                         // CombinationTable::Field bytes of the stored row
    bool checkSum = false;
    bool checkSkew = false;
};

RunPlan makePlan(const TotalFilterSettings& s, const FilterSpace& space, int width)
{
    // The counting fields hold up to 7 numbers; no game draws more.
    if (width > 7)
        throw std::invalid_argument("总体过滤最多判断每注 7 个号码");
    RunPlan p;
    p.total = space.total;
    p.mapped = !space.mapping.empty();
    p.tolerance = std::max(0, s.tolerance);
    auto take = [](const std::optional<FilterRange>& from, FilterRange& to) {
        if (from && from->lo <= from->hi)
            to = *from;
        else if (from)
            to = FilterRange{1, 0}; // nothing passes an empty range
    };
    take(s.big, p.big);
    take(s.odd, p.odd);
    take(s.sum, p.sum);
    take(s.span, p.span);
    take(s.dispersion, p.disp);
    take(s.ac, p.ac);
    const int total = space.total;
    for (int n = 1; n <= total; ++n) {
        if (n >= total / 2)
            p.bigMask |= std::uint64_t{1} << n;
        if (n % 2 != 0)
            p.oddMask |= std::uint64_t{1} << n;
    }
    if (s.skew) {
        const SkewMasks skew = skewMasks(*s.skew, space.latestDraw, total);
        p.skewTooFar = skew.tooFar;
        p.skewFarEnough = skew.farEnough;
    }
    if (s.bankersOn) {
        p.bankers = s.bankerHits.lo <= s.bankerHits.hi ? s.bankerHits : FilterRange{1, 0};
        p.bankerMask = numberMask(s.bankers);
    }
    if (s.frontOn) {
        p.front = s.frontHits.lo <= s.frontHits.hi ? s.frontHits : FilterRange{1, 0};
        p.frontMask = numberMask(s.front);
    }
    if (p.mapped)
        for (int n = 1; n <= total; ++n)
            p.map[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(space.mapping[static_cast<std::size_t>(n)]);

    // The sets of the counting conditions. Under the transformed mapping the bankers, big and odd
    // numbers are judged on the mapped numbers (mappedFailures), the rest on the stored ones.
    using C = ExtraCondition;
    std::array<std::uint64_t, CountFields> sets{};
    std::array<std::optional<FilterRange>, CountFields> ranges{};
    const ConditionHistory history{space.latestDraw, space.omission, total};
    for (const auto& [f, c] :
         {std::pair{Mod3Zero, C::Mod3Zero}, std::pair{Mod3One, C::Mod3One}, std::pair{Mod3Two, C::Mod3Two},
          std::pair{Primes, C::Primes}, std::pair{Zone1, C::Zone1}, std::pair{Zone2, C::Zone2},
          std::pair{Zone3, C::Zone3}, std::pair{Repeat, C::Repeat}, std::pair{Neighbours, C::Neighbours},
          std::pair{Hot, C::Hot}, std::pair{Warm, C::Warm}, std::pair{Cold, C::Cold}}) {
        sets[f] = extraConditionNumbers(c, total, history);
        ranges[f] = s.extraRange(c);
    }
    sets[Front] = p.frontMask;
    if (s.frontOn)
        ranges[Front] = p.front;
    if (!p.mapped) {
        sets[Bankers] = p.bankerMask;
        sets[Big] = p.bigMask;
        sets[Odd] = p.oddMask;
        if (s.bankersOn)
            ranges[Bankers] = p.bankers;
        ranges[Big] = s.big;
        ranges[Odd] = s.odd;
    }
    for (int f = 0; f < CountFields; ++f) {
        for (int n = 1; n <= total && n < 64; ++n)
            if (sets[static_cast<std::size_t>(f)] & (std::uint64_t{1} << n))
                p.countWord[static_cast<std::size_t>(n)] += std::uint64_t{1} << (4 * f);
        if (const auto& r = ranges[static_cast<std::size_t>(f)])
            p.counts.set(f, 4, *r);
    }

    // The stored row's small indicators: the first page's only in the real numbers.
    using F = CombinationTable::Field;
    const auto statRange = [&](F f, const std::optional<FilterRange>& r) {
        if (r)
            p.stats.set(f, CombinationTable::kFieldBits, *r);
    };
    if (!p.mapped) {
        statRange(F::Span, s.span);
        statRange(F::Dispersion, s.dispersion);
        statRange(F::Ac, s.ac);
    }
    statRange(F::LongestRun, s.extraRange(C::LongestRun));
    statRange(F::Tails, s.extraRange(C::Tails));
    statRange(F::TailSum, s.extraRange(C::TailSum));
    statRange(F::Lowest, s.extraRange(C::Lowest));
    statRange(F::Highest, s.extraRange(C::Highest));
    statRange(F::Consecutive, s.extraRange(C::Consecutive));
    p.checkSum = !p.mapped && s.sum.has_value();
    p.checkSkew = !p.mapped && s.skew.has_value();
    return p;
}

// 1 when the value is outside the range: the conditions failed are added up for 容错.
[[gnu::always_inline]] inline int fails(int v, const FilterRange& r)
{
    return within(v, r) ? 0 : 1;
}

[[gnu::always_inline]] inline int skewFails(const RunPlan& p, std::uint64_t m)
{
    return ((m & p.skewTooFar) == 0) & ((m & p.skewFarEnough) != 0) ? 0 : 1;
}

// A row under the transformed mapping: its mapped numbers `x` (ascending) and mask `m`, for the
// conditions of the first page but the chosen front numbers.
[[gnu::always_inline]] inline int mappedFailures(const RunPlan& p, const std::uint8_t* x, int w, std::uint64_t m)
{
    int sum = 0;
    int worst = std::max(x[0] - 1, p.total - x[w - 1]);
    std::uint64_t differences = 0;
    for (int k = 0; k < w; ++k) {
        sum += x[k];
        differences |= m >> x[k];
        if (k > 0)
            worst = std::max(worst, (x[k] - x[k - 1]) / 2);
    }
    return fails(std::popcount(m & p.bigMask), p.big) + fails(std::popcount(m & p.oddMask), p.odd) + fails(sum, p.sum) +
           fails(x[w - 1] - x[0], p.span) + fails(worst, p.disp) + fails(std::popcount(differences >> 1), p.ac) +
           skewFails(p, m) + fails(std::popcount(m & p.bankerMask), p.bankers);
}

// The conditions judged on the stored row: every one of the real numbers, and under the mapping
// those that stay on the real numbers.
template <int Width>
[[gnu::always_inline]] inline int storedFailures(const RunPlan& p, const std::uint8_t* x, int w,
                                                 const CombinationTable::Stats& st, std::uint64_t m)
{
    std::uint64_t counted = 0;
    if constexpr (Width > 0) {
        for (int k = 0; k < Width; ++k)
            counted += p.countWord[x[k]];
    } else {
        for (int k = 0; k < w; ++k)
            counted += p.countWord[x[k]];
    }
    int failed = p.counts.failures(counted) + p.stats.failures(st.fields);
    if (p.checkSum)
        failed += fails(st.sum, p.sum);
    if (p.checkSkew)
        failed += skewFails(p, m);
    return failed;
}

template <bool Mapped, int Width>
[[gnu::always_inline]] inline bool runRowsImpl(const CombinationTable& table, const RunPlan& p, std::uint8_t* marks,
                                               Progress* progress)
{
    const int w = table.width();
    const std::size_t rows = table.rows();
    const std::uint8_t* numbers = table.numberData();
    const std::uint64_t* masks = table.maskData();
    const CombinationTable::Stats* stats = table.statsData();
    for (std::size_t start = 0; start < rows; start += kProgressStep) {
        if (progress) {
            if (progress->cancelled())
                return false;
            progress->report(static_cast<std::int64_t>(start), static_cast<std::int64_t>(rows));
        }
        const std::size_t end = std::min(rows, start + kProgressStep);
        for (std::size_t r = start; r < end; ++r) {
            if constexpr (Mapped) {
                if (marks[r] != 0)
                    continue;
            }
            const std::uint8_t* stored = numbers + r * static_cast<std::size_t>(w);
            int failed = storedFailures<Width>(p, stored, w, stats[r], masks[r]);
            if constexpr (Mapped) {
                if (failed > p.tolerance) {
                    marks[r] = 1;
                    continue;
                }
                std::array<std::uint8_t, 8> x{};
                std::uint64_t m = 0;
                for (int k = 0; k < w; ++k) {
                    x[static_cast<std::size_t>(k)] = p.map[stored[k]];
                    m |= std::uint64_t{1} << x[static_cast<std::size_t>(k)];
                }
                // At most 8 numbers: an insertion sort, which also keeps the compiler from
                // assuming std::sort may run past the array.
                for (int a = 1; a < w; ++a)
                    for (int b = a; b > 0 && x[static_cast<std::size_t>(b - 1)] > x[static_cast<std::size_t>(b)]; --b)
                        std::swap(x[static_cast<std::size_t>(b - 1)], x[static_cast<std::size_t>(b)]);
                failed += mappedFailures(p, x.data(), w, m);
            }
            marks[r] = static_cast<std::uint8_t>(marks[r] | (failed > p.tolerance ? 1 : 0));
        }
    }
    return true;
}

template <bool Mapped>
bool runRowsOfWidth(const CombinationTable& table, const RunPlan& p, std::uint8_t* marks, Progress* progress)
{
    // The game's five numbers get a loop the compiler unrolls.
    return table.width() == 5 ? runRowsImpl<Mapped, 5>(table, p, marks, progress)
                              : runRowsImpl<Mapped, 0>(table, p, marks, progress);
}

template <int Width>
[[gnu::always_inline]] inline void countRowsImpl(const CombinationTable& table, const RunPlan& p,
                                                 std::uint8_t* failures)
{
    const int w = table.width();
    const std::uint8_t* numbers = table.numberData();
    const std::uint64_t* masks = table.maskData();
    const CombinationTable::Stats* stats = table.statsData();
    for (std::size_t r = 0; r < table.rows(); ++r) {
        const int failed = storedFailures<Width>(p, numbers + r * static_cast<std::size_t>(w), w, stats[r], masks[r]);
        failures[r] = static_cast<std::uint8_t>(std::min(failed, 255));
    }
}

[[gnu::target("popcnt")]] void countRowsPopcnt(const CombinationTable& table, const RunPlan& p, std::uint8_t* failures)
{
    table.width() == 5 ? countRowsImpl<5>(table, p, failures) : countRowsImpl<0>(table, p, failures);
}

void countRowsPortable(const CombinationTable& table, const RunPlan& p, std::uint8_t* failures)
{
    table.width() == 5 ? countRowsImpl<5>(table, p, failures) : countRowsImpl<0>(table, p, failures);
}

// Bit counting is one instruction on processors that have it; the program picks at run time.
[[gnu::target("popcnt")]] bool runRowsPopcnt(const CombinationTable& table, const RunPlan& p, std::uint8_t* marks,
                                             Progress* progress)
{
    return p.mapped ? runRowsOfWidth<true>(table, p, marks, progress)
                    : runRowsOfWidth<false>(table, p, marks, progress);
}

bool runRowsPortable(const CombinationTable& table, const RunPlan& p, std::uint8_t* marks, Progress* progress)
{
    return p.mapped ? runRowsOfWidth<true>(table, p, marks, progress)
                    : runRowsOfWidth<false>(table, p, marks, progress);
}

} // namespace

int TotalFilterSettings::activeCount() const
{
    int n = 0;
    for (const auto* range : {&big, &odd, &sum, &span, &dispersion, &skew, &ac})
        n += range->has_value() ? 1 : 0;
    for (const auto& range : extra)
        n += range.has_value() ? 1 : 0;
    return n + (bankersOn ? 1 : 0) + (frontOn ? 1 : 0);
}

SkewMasks skewMasks(const FilterRange& skew, const std::vector<int>& latestDraw, int total)
{
    SkewMasks m;
    m.farEnough = skew.lo <= 0 ? ~std::uint64_t{0} : 0;
    for (int n = 1; n <= total; ++n) {
        int nearest = 0;
        bool found = false;
        for (int d : latestDraw) {
            const int dist = std::abs(n - d);
            if (!found || dist < nearest)
                nearest = dist;
            found = true;
        }
        if (nearest > skew.hi)
            m.tooFar |= std::uint64_t{1} << n;
        if (skew.lo > 0 && nearest >= skew.lo)
            m.farEnough |= std::uint64_t{1} << n;
    }
    return m;
}

std::optional<std::string> validateTotalFilter(const TotalFilterSettings& s, const FilterSpace& space)
{
    if (!anyCondition(s))
        return "请选择过滤条件！";
    for (const auto* range : {&s.big, &s.odd, &s.sum, &s.span, &s.dispersion, &s.skew, &s.ac}) {
        if (*range && (*range)->hi < (*range)->lo)
            return "请前面组合框中的数值应该小于等于后面组合框中的数值！";
    }
    for (const ExtraConditionInfo& info : extraConditions()) {
        const auto& range = s.extraRange(info.id);
        if (range && range->hi < range->lo)
            return std::string(info.name) + "前面的数值应该小于等于后面的数值！";
    }
    if (s.tolerance < 0)
        return "容错个数不能小于0！";
    if (s.bankerHits.hi < s.bankerHits.lo)
        return "胆码前面的中奖个数应该小于等于后面的中奖个数！";
    const int front = countIn(s.front, space.total);
    if (s.frontOn && front == 0)
        return "请点击你要选择的前区号！";
    if (s.frontOn && front < space.width)
        return "请至少选择" + std::to_string(space.width) + "前区号！";
    const int back = countIn(s.back, space.backTotal);
    if (back == 0)
        return "请点击你要选择的后区号！";
    if (back < space.backWidth)
        return "请至少选择" + std::to_string(space.backWidth) + "个后区号！";
    return std::nullopt;
}

std::optional<std::size_t> runTotalFilter(CombinationTable& table, const TotalFilterSettings& settings,
                                          const FilterSpace& space, Progress* progress)
{
    const RunPlan plan = makePlan(settings, space, table.width());
    // The marks of this run go to a copy, so a stopped run changes nothing.
    std::vector<std::uint8_t> marks(table.markData(), table.markData() + table.rows());
    const bool done = __builtin_cpu_supports("popcnt") ? runRowsPopcnt(table, plan, marks.data(), progress)
                                                       : runRowsPortable(table, plan, marks.data(), progress);
    if (!done)
        return std::nullopt;
    std::copy(marks.begin(), marks.end(), table.markData());
    if (progress)
        progress->report(static_cast<std::int64_t>(table.rows()), static_cast<std::int64_t>(table.rows()));
    return table.unmarked();
}

void countFailures(const CombinationTable& table, const TotalFilterSettings& settings, const FilterSpace& space,
                   std::uint8_t* failures)
{
    FilterSpace real = space;
    real.mapping.clear();
    const RunPlan plan = makePlan(settings, real, table.width());
    if (__builtin_cpu_supports("popcnt"))
        countRowsPopcnt(table, plan, failures);
    else
        countRowsPortable(table, plan, failures);
}

std::vector<std::uint8_t> survivingFronts(const CombinationTable& table)
{
    std::vector<std::uint8_t> fronts;
    fronts.reserve(table.unmarked() * static_cast<std::size_t>(table.width()));
    for (std::size_t r = 0; r < table.rows(); ++r) {
        if (table.mark(r) == 0) {
            const auto row = table.row(r);
            fronts.insert(fronts.end(), row.begin(), row.end());
        }
    }
    return fronts;
}

BankerParse parseBankers(const std::string& text)
{
    BankerParse result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        // Blanks and commas before an item are skipped; blanks and line breaks end it.
        while (pos < text.size() &&
               (text[pos] == ' ' || text[pos] == ',' || text[pos] == '\r' || text[pos] == '\n' || text[pos] == '\t'))
            ++pos;
        if (pos >= text.size())
            break;
        std::size_t end = pos;
        while (end < text.size() && text[end] != ' ' && text[end] != '\r' && text[end] != '\n' && text[end] != '\t')
            ++end;
        const std::string item = text.substr(pos, end - pos);
        int value = 0;
        const auto [ptr, ec] = std::from_chars(item.data(), item.data() + item.size(), value);
        if (ec != std::errc() || ptr != item.data() + item.size()) {
            result.badItem = item;
            result.numbers.clear();
            return result;
        }
        if (std::find(result.numbers.begin(), result.numbers.end(), value) == result.numbers.end())
            result.numbers.push_back(value);
        pos = end;
    }
    return result;
}

} // namespace quorlin

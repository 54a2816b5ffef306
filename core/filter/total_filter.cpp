#include "filter/total_filter.h"

#include "common/progress.h"
#include "filter/combination_table.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdlib>

namespace quorlin {

namespace {

constexpr std::size_t kProgressStep = 1 << 14;

bool anyCondition(const TotalFilterSettings& s)
{
    return s.activeCount() > 0;
}

std::uint64_t maskWhere(int total, bool (*test)(int))
{
    std::uint64_t m = 0;
    for (int n = 1; n <= total && n < 64; ++n)
        if (test(n))
            m |= std::uint64_t{1} << n;
    return m;
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

std::uint64_t maskOf(const std::vector<int>& numbers)
{
    std::uint64_t m = 0;
    for (int n : numbers)
        if (n >= 0 && n < 64)
            m |= std::uint64_t{1} << n;
    return m;
}

// A range that every value passes, for a condition that is not checked.
constexpr FilterRange kAnything{0, 0xFFFF};

// lo ≤ v ≤ hi in one comparison, without a branch.
inline bool within(int v, const FilterRange& r)
{
    return static_cast<unsigned>(v - r.lo) <= static_cast<unsigned>(r.hi - r.lo);
}

// Everything a run needs per row, prepared once: the ranges (unchecked conditions pass anything),
// masks for the counting conditions, and the skew as two mask tests (a row's skew is at most k
// exactly when it holds no number farther than k from the latest draw).
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
    // The second page: ranges (unchecked ones pass anything) and the masks of the counting ones.
    std::array<FilterRange, kExtraConditionCount> extra{};
    std::array<std::uint64_t, kExtraConditionCount> extraMask{};
    bool anyExtra = false;
};

RunPlan makePlan(const TotalFilterSettings& s, const FilterSpace& space)
{
    RunPlan p;
    p.total = space.total;
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
    for (int n = 1; n <= space.total; ++n) {
        if (n >= space.total / 2)
            p.bigMask |= std::uint64_t{1} << n;
        if (n % 2 != 0)
            p.oddMask |= std::uint64_t{1} << n;
    }
    if (s.skew) {
        const SkewMasks skew = skewMasks(*s.skew, space.latestDraw, space.total);
        p.skewTooFar = skew.tooFar;
        p.skewFarEnough = skew.farEnough;
    }
    if (s.bankersOn) {
        p.bankers = s.bankerHits.lo <= s.bankerHits.hi ? s.bankerHits : FilterRange{1, 0};
        p.bankerMask = maskOf(s.bankers);
    }
    if (s.frontOn) {
        p.front = s.frontHits.lo <= s.frontHits.hi ? s.frontHits : FilterRange{1, 0};
        p.frontMask = maskOf(s.front);
    }
    p.tolerance = std::max(0, s.tolerance);
    for (std::size_t k = 0; k < kExtraConditionCount; ++k) {
        p.extra[k] = kAnything;
        take(s.extra[k], p.extra[k]);
        p.anyExtra = p.anyExtra || s.extra[k].has_value();
    }
    using C = ExtraCondition;
    const int total = space.total;
    auto setMask = [&](C c, std::uint64_t m) { p.extraMask[static_cast<std::size_t>(c)] = m; };
    setMask(C::Mod3Zero, maskWhere(total, [](int n) { return n % 3 == 0; }));
    setMask(C::Mod3One, maskWhere(total, [](int n) { return n % 3 == 1; }));
    setMask(C::Mod3Two, maskWhere(total, [](int n) { return n % 3 == 2; }));
    setMask(C::Primes, maskWhere(total, [](int n) {
                return n == 2 || n == 3 || n == 5 || n == 7 || n == 11 || n == 13 || n == 17 || n == 19 || n == 23 ||
                       n == 29 || n == 31;
            }));
    setMask(C::Zone1, maskWhere(total, [](int n) { return n <= 12; }));
    setMask(C::Zone2, maskWhere(total, [](int n) { return n >= 13 && n <= 24; }));
    setMask(C::Zone3, maskWhere(total, [](int n) { return n >= 25 && n <= 35; }));
    const std::uint64_t all = maskWhere(total, [](int) { return true; });
    const std::uint64_t latest = maskOf(space.latestDraw) & all;
    setMask(C::Repeat, latest);
    setMask(C::Neighbours, ((latest << 1) | (latest >> 1)) & ~latest & all);
    std::uint64_t hot = 0, warm = 0, cold = 0;
    for (int n = 1; n <= total && n < 64; ++n) {
        const int o =
            static_cast<std::size_t>(n) < space.omission.size() ? space.omission[static_cast<std::size_t>(n)] : 0;
        (o <= 4 ? hot : o <= 9 ? warm : cold) |= std::uint64_t{1} << n;
    }
    setMask(C::Hot, hot);
    setMask(C::Warm, warm);
    setMask(C::Cold, cold);
    if (!space.mapping.empty()) {
        p.mapped = true;
        for (int n = 1; n <= space.total; ++n)
            p.map[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(space.mapping[static_cast<std::size_t>(n)]);
    }
    return p;
}

// 1 when the value is outside the range: the conditions failed are added up for 容错.
inline int fails(int v, const FilterRange& r)
{
    return within(v, r) ? 0 : 1;
}

// The tests on the row's bit mask, in the space the conditions see.
inline int maskTestFailures(const RunPlan& p, std::uint64_t m)
{
    return (((m & p.skewTooFar) == 0) & ((m & p.skewFarEnough) != 0) ? 0 : 1) +
           fails(std::popcount(m & p.bankerMask), p.bankers);
}

// A row of the real numbers: its indicators were worked out when the table was filled.
inline int realFailures(const RunPlan& p, const CombinationTable::Stats& st, std::uint64_t m)
{
    return fails(st.big, p.big) + fails(st.odd, p.odd) + fails(st.sum, p.sum) + fails(st.span, p.span) +
           fails(st.dispersion, p.disp) + fails(st.ac, p.ac) + maskTestFailures(p, m);
}

// The second page, always on the real numbers: the stored indicators, the row's mask and its
// first and last number.
inline int extraFailures(const RunPlan& p, const CombinationTable::Stats& st, std::uint64_t m, int lowest, int highest)
{
    using C = ExtraCondition;
    const auto at = [&p](C c) -> const FilterRange& { return p.extra[static_cast<std::size_t>(c)]; };
    const auto counted = [&p, m](C c) {
        return fails(std::popcount(m & p.extraMask[static_cast<std::size_t>(c)]), p.extra[static_cast<std::size_t>(c)]);
    };
    return fails(std::popcount(m & (m >> 1)), at(C::Consecutive)) + fails(st.longestRun, at(C::LongestRun)) +
           counted(C::Mod3Zero) + counted(C::Mod3One) + counted(C::Mod3Two) + counted(C::Primes) +
           fails(st.tails, at(C::Tails)) + fails(st.tailSum, at(C::TailSum)) + counted(C::Zone1) + counted(C::Zone2) +
           counted(C::Zone3) + fails(lowest, at(C::Lowest)) + fails(highest, at(C::Highest)) + counted(C::Repeat) +
           counted(C::Neighbours) + counted(C::Hot) + counted(C::Warm) + counted(C::Cold);
}

// A row under the transformed mapping: its mapped numbers `x` (ascending) and mask `m`.
inline int mappedFailures(const RunPlan& p, const std::uint8_t* x, int w, std::uint64_t m)
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
           maskTestFailures(p, m);
}

template <bool Mapped>
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
            // The chosen front numbers are judged on the stored numbers, the rest in the run's space.
            const std::uint8_t* stored = numbers + r * static_cast<std::size_t>(w);
            int failed = fails(std::popcount(masks[r] & p.frontMask), p.front);
            if (p.anyExtra)
                failed += extraFailures(p, stats[r], masks[r], stored[0], stored[w - 1]);
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
            } else {
                failed += realFailures(p, stats[r], masks[r]);
            }
            marks[r] = static_cast<std::uint8_t>(marks[r] | (failed > p.tolerance ? 1 : 0));
        }
    }
    return true;
}

// Bit counting is one instruction on processors that have it; the program picks at run time.
[[gnu::target("popcnt")]] bool runRowsPopcnt(const CombinationTable& table, const RunPlan& p, std::uint8_t* marks,
                                             Progress* progress)
{
    return p.mapped ? runRowsImpl<true>(table, p, marks, progress) : runRowsImpl<false>(table, p, marks, progress);
}

bool runRowsPortable(const CombinationTable& table, const RunPlan& p, std::uint8_t* marks, Progress* progress)
{
    return p.mapped ? runRowsImpl<true>(table, p, marks, progress) : runRowsImpl<false>(table, p, marks, progress);
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
    const RunPlan plan = makePlan(settings, space);
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

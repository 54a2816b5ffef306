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
    return s.big || s.odd || s.sum || s.span || s.dispersion || s.skew || s.ac || s.bankersOn || s.frontOn;
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

// Everything a run needs per row, prepared once: masks for the counting conditions, the range
// bounds, and the skew as two mask tests (a row's skew is at most k exactly when it holds no
// number farther than k from the latest draw).
struct RunPlan {
    bool big = false, odd = false, sum = false, span = false, disp = false, skew = false, ac = false;
    bool bankers = false, front = false;
    FilterRange bigR, oddR, sumR, spanR, dispR, acR, bankerR, frontR;
    std::uint64_t bigMask = 0, oddMask = 0, bankerMask = 0, frontMask = 0;
    std::uint64_t skewTooFar = 0;  // numbers whose distance exceeds the upper bound
    std::uint64_t skewFarEnough = 0; // numbers whose distance reaches the lower bound
    bool skewLowTrivial = true;
    int total = 35;
    std::array<std::uint8_t, 64> map{};
    bool mapped = false;
};

RunPlan makePlan(const TotalFilterSettings& s, const FilterSpace& space)
{
    RunPlan p;
    p.total = space.total;
    auto take = [](const std::optional<FilterRange>& from, bool& on, FilterRange& to) {
        on = from.has_value();
        if (on)
            to = *from;
    };
    take(s.big, p.big, p.bigR);
    take(s.odd, p.odd, p.oddR);
    take(s.sum, p.sum, p.sumR);
    take(s.span, p.span, p.spanR);
    take(s.dispersion, p.disp, p.dispR);
    take(s.ac, p.ac, p.acR);
    for (int n = 1; n <= space.total; ++n) {
        if (n >= space.total / 2)
            p.bigMask |= std::uint64_t{1} << n;
        if (n % 2 != 0)
            p.oddMask |= std::uint64_t{1} << n;
    }
    if (s.skew) {
        p.skew = true;
        // Distance of every number to the nearest number of the latest draw.
        for (int n = 1; n <= space.total; ++n) {
            int nearest = 0;
            bool found = false;
            for (int d : space.latestDraw) {
                const int dist = std::abs(n - d);
                if (!found || dist < nearest)
                    nearest = dist;
                found = true;
            }
            if (nearest > s.skew->hi)
                p.skewTooFar |= std::uint64_t{1} << n;
            if (nearest >= s.skew->lo)
                p.skewFarEnough |= std::uint64_t{1} << n;
        }
        p.skewLowTrivial = s.skew->lo <= 0;
    }
    p.bankers = s.bankersOn;
    p.bankerR = s.bankerHits;
    p.bankerMask = maskOf(s.bankers);
    p.front = s.frontOn;
    p.frontR = s.frontHits;
    p.frontMask = maskOf(s.front);
    if (!space.mapping.empty()) {
        p.mapped = true;
        for (int n = 1; n <= space.total; ++n)
            p.map[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(space.mapping[static_cast<std::size_t>(n)]);
    }
    return p;
}

// True when the row (its numbers ascending in `x`, its bit mask `m`, both in the number space the
// conditions see) passes every indicator condition of the plan.
inline bool passesIndicators(const RunPlan& p, const std::uint8_t* x, int w, std::uint64_t m)
{
    if (p.big && !p.bigR.contains(std::popcount(m & p.bigMask)))
        return false;
    if (p.odd && !p.oddR.contains(std::popcount(m & p.oddMask)))
        return false;
    if (p.sum) {
        int sum = 0;
        for (int k = 0; k < w; ++k)
            sum += x[k];
        if (!p.sumR.contains(sum))
            return false;
    }
    if (p.span && !p.spanR.contains(x[w - 1] - x[0]))
        return false;
    if (p.disp) {
        // The value farthest from every number lies at an end or halfway inside the widest gap.
        int worst = std::max(x[0] - 1, p.total - x[w - 1]);
        for (int k = 1; k < w; ++k)
            worst = std::max(worst, (x[k] - x[k - 1]) / 2);
        if (!p.dispR.contains(worst))
            return false;
    }
    if (p.skew && ((m & p.skewTooFar) != 0 || (!p.skewLowTrivial && (m & p.skewFarEnough) == 0)))
        return false;
    if (p.ac) {
        // Bit d of (m >> x) is set when x + d is a number too: one shift per number gives every
        // difference, bit 0 (a number with itself) dropped.
        std::uint64_t differences = 0;
        for (int k = 0; k < w; ++k)
            differences |= m >> x[k];
        if (!p.acR.contains(std::popcount(differences >> 1)))
            return false;
    }
    if (p.bankers && !p.bankerR.contains(std::popcount(m & p.bankerMask)))
        return false;
    return true;
}

template <bool Mapped>
bool runRows(const CombinationTable& table, const RunPlan& p, std::uint8_t* marks, Progress* progress)
{
    const int w = table.width();
    const std::size_t rows = table.rows();
    const std::uint8_t* numbers = table.numberData();
    const std::uint64_t* masks = table.maskData();
    std::array<std::uint8_t, 8> mappedRow{};
    for (std::size_t r = 0; r < rows; ++r) {
        if (progress && r % kProgressStep == 0) {
            if (progress->cancelled())
                return false;
            progress->report(static_cast<std::int64_t>(r), static_cast<std::int64_t>(rows));
        }
        if (marks[r] != 0)
            continue;
        const std::uint8_t* x = numbers + r * static_cast<std::size_t>(w);
        bool keep = true;
        // The chosen front numbers are judged on the stored numbers, the rest in the run's space.
        if (p.front && !p.frontR.contains(std::popcount(masks[r] & p.frontMask)))
            keep = false;
        if (keep) {
            if constexpr (Mapped) {
                std::uint64_t m = 0;
                for (int k = 0; k < w; ++k) {
                    mappedRow[static_cast<std::size_t>(k)] = p.map[x[k]];
                    m |= std::uint64_t{1} << p.map[x[k]];
                }
                std::sort(mappedRow.begin(), mappedRow.begin() + w);
                keep = passesIndicators(p, mappedRow.data(), w, m);
            } else {
                keep = passesIndicators(p, x, w, masks[r]);
            }
        }
        if (!keep)
            marks[r] = 1;
    }
    return true;
}

} // namespace

std::optional<std::string> validateTotalFilter(const TotalFilterSettings& s, const FilterSpace& space)
{
    if (!anyCondition(s))
        return "请选择过滤条件！";
    for (const auto* range : {&s.big, &s.odd, &s.sum, &s.span, &s.dispersion, &s.skew, &s.ac}) {
        if (*range && (*range)->hi < (*range)->lo)
            return "请前面组合框中的数值应该小于等于后面组合框中的数值！";
    }
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
    const bool done = plan.mapped ? runRows<true>(table, plan, marks.data(), progress)
                                  : runRows<false>(table, plan, marks.data(), progress);
    if (!done)
        return std::nullopt;
    std::copy(marks.begin(), marks.end(), table.markData());
    if (progress)
        progress->report(static_cast<std::int64_t>(table.rows()), static_cast<std::int64_t>(table.rows()));
    return table.unmarked();
}

BankerParse parseBankers(const std::string& text)
{
    BankerParse result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        // Blanks and commas before an item are skipped; blanks and line breaks end it.
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == ',' || text[pos] == '\r' || text[pos] == '\n' ||
                                     text[pos] == '\t'))
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

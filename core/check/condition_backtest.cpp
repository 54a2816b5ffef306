#include "check/condition_backtest.h"

#include "common/progress.h"
#include "filter/combination_table.h"

#include <algorithm>
#include <bit>
#include <unordered_map>

namespace quorlin {

namespace {

std::uint64_t choose(int n, int k)
{
    if (k < 0 || n < k)
        return 0;
    std::uint64_t c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * static_cast<std::uint64_t>(n - k + i) / static_cast<std::uint64_t>(i);
    return c;
}

std::uint64_t numbersMask(int total)
{
    return ((std::uint64_t{1} << (total + 1)) - 1) & ~std::uint64_t{1};
}

std::vector<int> frontOf(const Grid<std::int32_t>& his, std::size_t row, int width)
{
    std::vector<int> front;
    for (int k = 1; k <= width; ++k)
        front.push_back(his.at(row, static_cast<std::size_t>(k)));
    return front;
}

// Marks of one run of `settings` over the unmarked table, then the marks cleared again.
std::vector<std::uint8_t> runOnce(CombinationTable& table, const TotalFilterSettings& settings,
                                  const FilterSpace& space)
{
    std::fill(table.markData(), table.markData() + table.rows(), std::uint8_t{0});
    runTotalFilter(table, settings, space);
    std::vector<std::uint8_t> marks(table.markData(), table.markData() + table.rows());
    std::fill(table.markData(), table.markData() + table.rows(), std::uint8_t{0});
    return marks;
}

// Masks that pass the skew test; written so the compiler can vectorise it.
std::uint64_t countSkewPass(const std::vector<std::uint64_t>& masks, const SkewMasks& skew)
{
    std::uint64_t n = 0;
    for (const std::uint64_t m : masks)
        n += static_cast<std::uint64_t>(((m & skew.tooFar) == 0) & ((m & skew.farEnough) != 0));
    return n;
}

} // namespace

std::vector<SingleCondition> activeConditions(const TotalFilterSettings& s)
{
    std::vector<SingleCondition> out;
    auto addRange = [&](const char* name, const std::optional<FilterRange>& range,
                        std::optional<FilterRange> TotalFilterSettings::*member) {
        if (!range)
            return;
        SingleCondition c{name, {}};
        c.settings.*member = range;
        out.push_back(std::move(c));
    };
    addRange("大数", s.big, &TotalFilterSettings::big);
    addRange("奇数", s.odd, &TotalFilterSettings::odd);
    addRange("和值", s.sum, &TotalFilterSettings::sum);
    addRange("跨度", s.span, &TotalFilterSettings::span);
    addRange("散度", s.dispersion, &TotalFilterSettings::dispersion);
    addRange("偏度", s.skew, &TotalFilterSettings::skew);
    addRange("AC值", s.ac, &TotalFilterSettings::ac);
    if (s.bankersOn) {
        SingleCondition c{"胆码", {}};
        c.settings.bankersOn = true;
        c.settings.bankers = s.bankers;
        c.settings.bankerHits = s.bankerHits;
        out.push_back(std::move(c));
    }
    if (s.frontOn) {
        SingleCondition c{"红球", {}};
        c.settings.frontOn = true;
        c.settings.front = s.front;
        c.settings.frontHits = s.frontHits;
        out.push_back(std::move(c));
    }
    return out;
}

std::optional<BacktestResult> runBacktest(const BacktestHistory& history, const TotalFilterSettings& settings,
                                          std::size_t count, Progress* progress)
{
    const Grid<std::int32_t>& his = *history.hisfull;
    const int w = history.width;
    const std::size_t rows = his.rows();
    const std::size_t n = std::min(count, rows);
    const std::size_t first = rows - n;
    const std::vector<SingleCondition> conditions = activeConditions(settings);
    const std::size_t c = conditions.size();

    BacktestResult result;
    for (const SingleCondition& cond : conditions)
        result.conditions.push_back(cond.name);
    result.rows.resize(n);

    // The winners of the range as a table of their own, so every condition that does not depend
    // on the draw judges all of them in one run.
    std::vector<std::uint8_t> winners;
    for (std::size_t i = 0; i < n; ++i) {
        ConditionBacktestRow& row = result.rows[i];
        row.issue = std::to_string(his.at(first + i, 0));
        row.front = frontOf(his, first + i, w);
        std::vector<int> sorted = row.front;
        std::sort(sorted.begin(), sorted.end());
        for (const int x : sorted)
            winners.push_back(static_cast<std::uint8_t>(x));
        row.kept.assign(c, false);
    }
    CombinationTable winnerTable;
    winnerTable.assign(history.total, w, winners);
    CombinationTable all;
    all.buildAll(history.total, w);

    FilterSpace space;
    space.total = history.total;
    space.width = w;
    std::vector<std::uint64_t> constantKept(c, 0);
    TotalFilterSettings drawFree = settings;
    drawFree.skew.reset();
    bool skewOn = false;
    std::size_t skewIndex = 0;
    for (std::size_t k = 0; k < c; ++k) {
        if (conditions[k].settings.skew) {
            skewOn = true;
            skewIndex = k;
            continue;
        }
        const auto winnerMarks = runOnce(winnerTable, conditions[k].settings, space);
        for (std::size_t i = 0; i < n; ++i)
            result.rows[i].kept[k] = winnerMarks[i] == 0;
        const auto marks = runOnce(all, conditions[k].settings, space);
        constantKept[k] = static_cast<std::uint64_t>(std::count(marks.begin(), marks.end(), std::uint8_t{0}));
    }

    // The combinations every draw-free condition keeps; the skew then only counts among them.
    std::vector<std::uint64_t> base;
    {
        const bool anyDrawFree = c > (skewOn ? 1u : 0u);
        const auto marks = anyDrawFree ? runOnce(all, drawFree, space) : std::vector<std::uint8_t>(all.rows(), 0);
        for (std::size_t r = 0; r < all.rows(); ++r)
            if (marks[r] == 0)
                base.push_back(all.mask(r));
    }
    const bool baseIsAll = base.size() == all.rows();

    std::vector<std::uint64_t> skewKept(n, 0);
    std::unordered_map<std::uint64_t, std::uint64_t> keptByDraw; // by the preceding draw's numbers
    for (std::size_t i = 0; i < n; ++i) {
        if (progress) {
            if (progress->cancelled())
                return std::nullopt;
            progress->report(static_cast<std::int64_t>(i), static_cast<std::int64_t>(n));
        }
        ConditionBacktestRow& row = result.rows[i];
        row.keptCount = base.size();
        if (!skewOn)
            continue;
        const std::size_t at = first + i;
        const std::vector<int> before = at > 0 ? frontOf(his, at - 1, w) : std::vector<int>{};
        const SkewMasks skew = skewMasks(*settings.skew, before, history.total);
        // Alone, the skew keeps the combinations inside the allowed numbers that touch `farEnough`.
        const std::uint64_t allowed = numbersMask(history.total) & ~skew.tooFar;
        skewKept[i] = choose(std::popcount(allowed), w) - choose(std::popcount(allowed & ~skew.farEnough), w);
        std::uint64_t key = 0;
        for (const int x : before)
            key |= std::uint64_t{1} << (x & 63);
        const auto found = keptByDraw.find(key);
        if (found != keptByDraw.end()) {
            row.keptCount = found->second;
        } else {
            row.keptCount = baseIsAll ? skewKept[i] : countSkewPass(base, skew);
            keptByDraw.emplace(key, row.keptCount);
        }
        const std::uint64_t winner = winnerTable.mask(i);
        row.kept[skewIndex] = ((winner & skew.tooFar) == 0) && ((winner & skew.farEnough) != 0);
    }

    for (ConditionBacktestRow& row : result.rows)
        row.keptAll = std::all_of(row.kept.begin(), row.kept.end(), [](bool b) { return b; });

    for (std::size_t k = 0; k <= c; ++k) {
        BacktestSummary s;
        s.name = k < c ? conditions[k].name : std::string("全部条件");
        double keptSum = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const ConditionBacktestRow& row = result.rows[i];
            const bool hit = k < c ? row.kept[k] : row.keptAll;
            s.hits += hit ? 1 : 0;
            keptSum += static_cast<double>(k == c ? row.keptCount
                                                  : (k == skewIndex && skewOn ? skewKept[i] : constantKept[k]));
        }
        s.hitRate = n ? static_cast<double>(s.hits) / static_cast<double>(n) : 0;
        s.meanKept = n ? keptSum / static_cast<double>(n) : 0;
        result.summaries.push_back(std::move(s));
    }
    if (progress)
        progress->report(static_cast<std::int64_t>(n), static_cast<std::int64_t>(n));
    return result;
}

} // namespace quorlin

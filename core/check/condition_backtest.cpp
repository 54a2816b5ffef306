#include "check/condition_backtest.h"

#include "analysis/indicators.h"
#include "common/binomial.h"
#include "common/decimal_text.h"
#include "common/poisson_binomial.h"
#include "common/progress.h"
#include "common/tail_probability.h"
#include "filter/combination_table.h"

#include <algorithm>
#include <array>
#include <bit>
#include <map>
#include <unordered_map>

namespace quorlin {

namespace {

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

std::uint64_t keptIn(const std::vector<std::uint8_t>& marks)
{
    return static_cast<std::uint64_t>(std::count(marks.begin(), marks.end(), std::uint8_t{0}));
}

// Masks that pass the skew test; written so the compiler can vectorise it.
std::uint64_t countSkewPass(const std::vector<std::uint64_t>& masks, const SkewMasks& skew)
{
    std::uint64_t n = 0;
    for (const std::uint64_t m : masks)
        n += static_cast<std::uint64_t>(((m & skew.tooFar) == 0) & ((m & skew.farEnough) != 0));
    return n;
}

int hitsAmong(std::span<const int> front, const std::vector<int>& numbers)
{
    return static_cast<int>(std::count_if(front.begin(), front.end(), [&](int n) {
        return std::find(numbers.begin(), numbers.end(), n) != numbers.end();
    }));
}

// The history a draw's conditions are taken against: the rows before it.
ConditionHistory historyBefore(const Grid<std::int32_t>& his, std::size_t at, int width, int total)
{
    ConditionHistory h;
    if (at > 0)
        h.latestDraw = frontOf(his, at - 1, width);
    h.omission = frontOmissions(his, at, width, total);
    h.total = total;
    return h;
}

FilterSpace spaceOf(const ConditionHistory& h, int total, int width)
{
    FilterSpace space;
    space.total = total;
    space.width = width;
    space.latestDraw = h.latestDraw;
    space.omission = h.omission;
    return space;
}

// What decides a history-relative count: the latest draw's numbers for the skew, 重号 and 邻号,
// and which numbers are hot and warm for 冷热. Equal keys keep the same combinations.
using HistoryKey = std::array<std::uint64_t, 3>;
HistoryKey historyKey(const TotalFilterSettings& s, const ConditionHistory& h, int total)
{
    using C = ExtraCondition;
    HistoryKey key{};
    if (s.skew || s.extraRange(C::Repeat) || s.extraRange(C::Neighbours))
        for (const int n : h.latestDraw)
            key[0] |= std::uint64_t{1} << (n & 63);
    if (s.extraRange(C::Hot) || s.extraRange(C::Warm) || s.extraRange(C::Cold)) {
        key[1] = extraConditionNumbers(C::Hot, total, h);
        key[2] = extraConditionNumbers(C::Warm, total, h);
    }
    return key;
}

// Combinations of `width` out of `total` that a counting condition (how many numbers of one class
// of `size` numbers) keeps within `range`.
std::uint64_t keptByClassCount(int size, const FilterRange& range, int total, int width)
{
    std::uint64_t kept = 0;
    for (int k = std::max(range.lo, 0); k <= std::min(range.hi, width); ++k)
        kept += binomial(size, k) * binomial(total - size, width - k);
    return kept;
}

} // namespace

std::vector<SingleCondition> activeConditions(const TotalFilterSettings& s, int total)
{
    using Front = std::span<const int>;
    std::vector<SingleCondition> out;
    auto addRange = [&](const char* name, const std::optional<FilterRange>& range,
                        std::optional<FilterRange> TotalFilterSettings::*member, auto measure) {
        if (!range)
            return;
        SingleCondition c{name, {}, *range, false, {}};
        c.settings.*member = range;
        c.value = [measure, total](Front front, const ConditionHistory&) { return measure(front, total); };
        out.push_back(std::move(c));
    };
    addRange("大数", s.big, &TotalFilterSettings::big, [](Front f, int t) { return bigcount(f, t, BigRule::Filter); });
    addRange("奇数", s.odd, &TotalFilterSettings::odd, [](Front f, int) { return oddcount(f); });
    addRange("和值", s.sum, &TotalFilterSettings::sum, [](Front f, int) { return sumvalue(f); });
    addRange("跨度", s.span, &TotalFilterSettings::span, [](Front f, int) { return spanvalue(f); });
    addRange("散度", s.dispersion, &TotalFilterSettings::dispersion, [](Front f, int t) { return dispersion(f, t); });
    if (s.skew) {
        SingleCondition c{"偏度", {}, *s.skew, true, {}};
        c.settings.skew = s.skew;
        c.value = [](Front front, const ConditionHistory& h) { return skewvalue(front, h.latestDraw); };
        out.push_back(std::move(c));
    }
    addRange("AC值", s.ac, &TotalFilterSettings::ac, [](Front f, int t) { return acvalue(f, t); });
    if (s.bankersOn) {
        SingleCondition c{"胆码", {}, s.bankerHits, false, {}};
        c.settings.bankersOn = true;
        c.settings.bankers = s.bankers;
        c.settings.bankerHits = s.bankerHits;
        c.value = [bankers = s.bankers](Front front, const ConditionHistory&) { return hitsAmong(front, bankers); };
        out.push_back(std::move(c));
    }
    if (s.frontOn) {
        SingleCondition c{"红球", {}, s.frontHits, false, {}};
        c.settings.frontOn = true;
        c.settings.front = s.front;
        c.settings.frontHits = s.frontHits;
        c.value = [chosen = s.front](Front front, const ConditionHistory&) { return hitsAmong(front, chosen); };
        out.push_back(std::move(c));
    }
    for (const ExtraConditionInfo& info : extraConditions()) {
        const auto& range = s.extraRange(info.id);
        if (!range)
            continue;
        SingleCondition c{info.name, {}, *range, info.againstHistory, {}};
        c.settings.extraRange(info.id) = range;
        c.value = [id = info.id](Front front, const ConditionHistory& h) { return extraConditionValue(id, front, h); };
        out.push_back(std::move(c));
    }
    return out;
}

std::string keptDrawsText(const BacktestSummary& summary, std::size_t draws)
{
    return std::to_string(summary.hits) + '/' + std::to_string(draws);
}

std::string hitRateText(const BacktestSummary& summary)
{
    return percentText(summary.hitRate);
}

std::string meanKeptText(const BacktestSummary& summary)
{
    return decimalText(summary.meanKept, 1);
}

std::string chanceText(const BacktestSummary& summary)
{
    return percentText(summary.chance);
}

std::string chancePValueText(const BacktestSummary& summary)
{
    return pValueText(summary.pValue);
}

std::string chanceVerdictText(const BacktestSummary& summary)
{
    if (!(summary.pValue < kChanceSignificance))
        return "命中率与随机选号无显著差异";
    return std::string(summary.hitRate > summary.chance ? "命中率高于随机选号" : "命中率低于随机选号") +
           "（p=" + chancePValueText(summary) + "）";
}

std::optional<BacktestResult> runBacktest(const BacktestHistory& history, const TotalFilterSettings& settings,
                                          std::size_t count, Progress* progress)
{
    const Grid<std::int32_t>& his = *history.hisfull;
    const int w = history.width;
    const int total = history.total;
    const std::size_t rows = his.rows();
    const std::size_t n = std::min(count, rows);
    const std::size_t first = rows - n;
    const std::vector<SingleCondition> conditions = activeConditions(settings, total);
    const std::size_t c = conditions.size();
    const int tolerance = std::max(0, settings.tolerance);

    BacktestResult result;
    result.tolerance = tolerance;
    for (const SingleCondition& cond : conditions) {
        result.conditions.push_back(cond.name);
        result.ranges.push_back(cond.range);
    }
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
    winnerTable.assign(total, w, winners);
    CombinationTable all;
    all.buildAll(total, w);

    FilterSpace space;
    space.total = total;
    space.width = w;
    std::vector<std::uint64_t> constantKept(c, 0);
    TotalFilterSettings drawFree = settings; // the conditions that do not depend on the draw
    drawFree.skew.reset();
    bool skewOn = false;
    std::size_t skewIndex = 0;
    bool otherHistoryOn = false; // a history-relative condition besides the skew
    for (std::size_t k = 0; k < c; ++k) {
        if (conditions[k].againstHistory) {
            skewOn = skewOn || conditions[k].settings.skew.has_value();
            if (conditions[k].settings.skew)
                skewIndex = k;
            else
                otherHistoryOn = true;
            continue;
        }
        const auto winnerMarks = runOnce(winnerTable, conditions[k].settings, space);
        for (std::size_t i = 0; i < n; ++i)
            result.rows[i].kept[k] = winnerMarks[i] == 0;
        constantKept[k] = keptIn(runOnce(all, conditions[k].settings, space));
    }
    for (const ExtraConditionInfo& info : extraConditions())
        if (info.againstHistory)
            drawFree.extraRange(info.id).reset();
    const bool historyOn = skewOn || otherHistoryOn;

    // The combinations the draw-free conditions leave within 容错: only they can survive a draw.
    std::vector<std::uint64_t> base;
    std::vector<std::uint8_t> baseFronts;
    {
        const auto marks = runOnce(all, drawFree, space);
        for (std::size_t r = 0; r < all.rows(); ++r)
            if (marks[r] == 0) {
                base.push_back(all.mask(r));
                const auto numbers = all.row(r);
                baseFronts.insert(baseFronts.end(), numbers.begin(), numbers.end());
            }
    }
    const bool baseIsAll = base.size() == all.rows();
    // The skew the only history-relative condition and no 容错: counted on the masks.
    const bool skewOnMasks = skewOn && !otherHistoryOn && tolerance == 0;
    CombinationTable baseTable;
    if (historyOn && !skewOnMasks)
        baseTable.assign(total, w, baseFronts);

    std::vector<std::vector<std::uint64_t>> historyKept(c); // per history-relative condition, per draw
    std::map<HistoryKey, std::uint64_t> keptByHistory;
    CombinationTable winnerAlone;
    std::vector<int> everyNumber;
    for (int x = 1; x <= total; ++x)
        everyNumber.push_back(x);
    for (std::size_t i = 0; i < n; ++i) {
        if (progress) {
            if (progress->cancelled())
                return std::nullopt;
            progress->report(static_cast<std::int64_t>(i), static_cast<std::int64_t>(n));
        }
        ConditionBacktestRow& row = result.rows[i];
        const std::size_t at = first + i;
        const ConditionHistory before = historyBefore(his, at, w, total);
        const auto winner = winnerTable.row(i);
        const std::vector<int> sorted(winner.begin(), winner.end());
        for (const SingleCondition& cond : conditions)
            row.values.push_back(cond.value(sorted, before));
        row.keptCount = base.size();
        if (!historyOn)
            continue;

        const FilterSpace drawSpace = spaceOf(before, total, w);
        winnerAlone.assign(total, w, winner);
        for (std::size_t k = 0; k < c; ++k) {
            if (!conditions[k].againstHistory)
                continue;
            row.kept[k] = runOnce(winnerAlone, conditions[k].settings, drawSpace)[0] == 0;
            historyKept[k].resize(n);
            if (k == skewIndex && skewOn) {
                // Alone, the skew keeps the combinations inside the allowed numbers that touch
                // `farEnough`.
                const SkewMasks skew = skewMasks(*settings.skew, before.latestDraw, total);
                const std::uint64_t allowed = numbersMask(total) & ~skew.tooFar;
                historyKept[k][i] =
                    binomial(std::popcount(allowed), w) - binomial(std::popcount(allowed & ~skew.farEnough), w);
            } else {
                // The others count the numbers of one class: the class is what the whole number
                // range holds of it.
                const int size = conditions[k].value(everyNumber, before);
                historyKept[k][i] = keptByClassCount(size, conditions[k].range, total, w);
            }
        }

        const HistoryKey key = historyKey(settings, before, total);
        const auto found = keptByHistory.find(key);
        if (found != keptByHistory.end()) {
            row.keptCount = found->second;
            continue;
        }
        if (skewOnMasks) {
            const SkewMasks skew = skewMasks(*settings.skew, before.latestDraw, total);
            row.keptCount = baseIsAll ? historyKept[skewIndex][i] : countSkewPass(base, skew);
        } else {
            row.keptCount = keptIn(runOnce(baseTable, settings, drawSpace));
        }
        keptByHistory.emplace(key, row.keptCount);
    }

    for (ConditionBacktestRow& row : result.rows)
        row.keptAll = std::count(row.kept.begin(), row.kept.end(), false) <= tolerance;

    const auto combinations = static_cast<double>(all.rows());
    std::vector<double> chances(n);
    for (std::size_t k = 0; k <= c; ++k) {
        BacktestSummary s;
        s.name = k < c ? conditions[k].name : std::string("全部条件");
        double keptSum = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const ConditionBacktestRow& row = result.rows[i];
            const bool hit = k < c ? row.kept[k] : row.keptAll;
            s.hits += hit ? 1 : 0;
            const auto kept = static_cast<double>(k == c                         ? row.keptCount
                                                  : conditions[k].againstHistory ? historyKept[k][i]
                                                                                 : constantKept[k]);
            keptSum += kept;
            chances[i] = kept / combinations;
        }
        s.hitRate = n ? static_cast<double>(s.hits) / static_cast<double>(n) : 0;
        s.meanKept = n ? keptSum / static_cast<double>(n) : 0;
        s.chance = s.meanKept / combinations;
        s.pValue = poissonBinomialTwoSided(chances, s.hits);
        result.summaries.push_back(std::move(s));
    }
    if (progress)
        progress->report(static_cast<std::int64_t>(n), static_cast<std::int64_t>(n));
    return result;
}

} // namespace quorlin

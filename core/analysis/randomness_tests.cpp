#include "analysis/randomness_tests.h"

#include "analysis/indicator_glossary.h"
#include "common/binomial.h"
#include "common/decimal_text.h"
#include "common/tail_probability.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <stdexcept>

namespace quorlin {

namespace {

constexpr double kLeastExpected = 5.0;
constexpr double kHolmLevel = 0.01;

struct TestText {
    RandomnessTest test;
    Term term;
    const char* subject; ///< what the verdict speaks of
};

constexpr std::array<TestText, kRandomnessTests> kTexts{{
    {RandomnessTest::FrontFrequency, Term::RandomFrontFrequency, "前区各号码的开出次数"},
    {RandomnessTest::BackFrequency, Term::RandomBackFrequency, "后区各号码的开出次数"},
    {RandomnessTest::OddCount, Term::RandomOdd, "每期前区奇数个数的分布"},
    {RandomnessTest::BigCount, Term::RandomBig, "每期前区大数个数的分布"},
    {RandomnessTest::Sum, Term::RandomSum, "前区和值的分布"},
    {RandomnessTest::Repeat, Term::RandomRepeat, "与上期重号个数的分布"},
    {RandomnessTest::Gap, Term::RandomGap, "号码遗漏间隔的分布"},
    {RandomnessTest::SumRuns, Term::RandomSumRuns, "和值高低的先后次序"},
}};

std::string twoDigits(int n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// A count-per-value distribution: cells `from`..from+probabilities.size()-1, `total` observations.
std::vector<CountCell> distributionCells(const std::vector<double>& observed, const std::vector<double>& probabilities,
                                         double total, int from)
{
    std::vector<CountCell> cells;
    for (std::size_t i = 0; i < probabilities.size(); ++i)
        cells.push_back({std::to_string(from + static_cast<int>(i)), observed[i], total * probabilities[i]});
    return cells;
}

// The X² row of `cells`; `scale` corrects the frequency rows for drawing without replacement.
void chiSquareRow(RandomnessRow& row, std::vector<CountCell> cells, double scale = 1.0)
{
    MergedChiSquare chi = mergedChiSquare(cells);
    row.cells = std::move(cells);
    row.merged = std::move(chi.merged);
    row.degreesOfFreedom = chi.degreesOfFreedom;
    if (chi.degreesOfFreedom < 1) {
        row.tooFew = true;
        return;
    }
    row.statistic = chi.statistic * scale;
    row.p = chiSquareUpperTail(row.statistic, chi.degreesOfFreedom);
}

void frequencyRow(RandomnessRow& row, std::span<const TestedDraw> draws, bool front, int total, int picked)
{
    if (picked == 0) {
        row.tooFew = true;
        return;
    }
    std::vector<CountCell> cells;
    for (int n = 1; n <= total; ++n)
        cells.push_back({twoDigits(n), 0, static_cast<double>(draws.size()) * picked / total});
    for (const TestedDraw& draw : draws)
        for (const int n : front ? draw.front : draw.back)
            cells[static_cast<std::size_t>(n - 1)].observed += 1;
    chiSquareRow(row, std::move(cells), static_cast<double>(total - 1) / (total - picked));
}

// Per draw, how many front numbers satisfy `marked`, against the hypergeometric distribution.
template <class Marked>
void countRow(RandomnessRow& row, const GameShape& shape, std::span<const TestedDraw> draws, Marked marked)
{
    int markedNumbers = 0;
    for (int n = 1; n <= shape.frontTotal; ++n)
        markedNumbers += marked(n) ? 1 : 0;
    std::vector<double> observed(static_cast<std::size_t>(shape.frontPicked) + 1);
    for (const TestedDraw& draw : draws)
        observed[static_cast<std::size_t>(std::count_if(draw.front.begin(), draw.front.end(), marked))] += 1;
    chiSquareRow(row, distributionCells(observed, hypergeometric(shape.frontTotal, markedNumbers, shape.frontPicked),
                                        static_cast<double>(draws.size()), 0));
}

int frontSum(const TestedDraw& draw)
{
    return std::accumulate(draw.front.begin(), draw.front.end(), 0);
}

void sumRow(RandomnessRow& row, const GameShape& shape, std::span<const TestedDraw> draws)
{
    const std::vector<double> counts = combinationSums(shape.frontTotal, shape.frontPicked);
    const int least = shape.frontPicked * (shape.frontPicked + 1) / 2;
    const auto combinations = static_cast<double>(binomial(shape.frontTotal, shape.frontPicked));
    std::vector<double> probabilities;
    for (std::size_t s = static_cast<std::size_t>(least); s < counts.size(); ++s)
        probabilities.push_back(counts[s] / combinations);
    std::vector<double> observed(probabilities.size());
    for (const TestedDraw& draw : draws)
        observed[static_cast<std::size_t>(frontSum(draw) - least)] += 1;
    chiSquareRow(row, distributionCells(observed, probabilities, static_cast<double>(draws.size()), least));
}

void repeatRow(RandomnessRow& row, const GameShape& shape, std::span<const TestedDraw> draws)
{
    std::vector<double> observed(static_cast<std::size_t>(shape.frontPicked) + 1);
    for (std::size_t i = 1; i < draws.size(); ++i) {
        const auto& before = draws[i - 1].front;
        const auto shared = std::count_if(draws[i].front.begin(), draws[i].front.end(), [&](int n) {
            return std::find(before.begin(), before.end(), n) != before.end();
        });
        observed[static_cast<std::size_t>(shared)] += 1;
    }
    const double pairs = draws.empty() ? 0.0 : static_cast<double>(draws.size() - 1);
    chiSquareRow(row, distributionCells(
                          observed, hypergeometric(shape.frontTotal, shape.frontPicked, shape.frontPicked), pairs, 0));
}

void gapRow(RandomnessRow& row, const GameShape& shape, std::span<const TestedDraw> draws)
{
    // gaps[g]: how often a number came again g draws after it was drawn.
    std::vector<double> gaps(1);
    std::vector<std::size_t> lastSeen(static_cast<std::size_t>(shape.frontTotal) + 1, draws.size());
    for (std::size_t i = 0; i < draws.size(); ++i)
        for (const int n : draws[i].front) {
            std::size_t& seen = lastSeen[static_cast<std::size_t>(n)];
            if (seen != draws.size()) {
                const std::size_t gap = i - seen;
                if (gaps.size() <= gap)
                    gaps.resize(gap + 1);
                gaps[gap] += 1;
            }
            seen = i;
        }
    const double total = std::accumulate(gaps.begin(), gaps.end(), 0.0);
    if (total == 0) {
        row.tooFew = true;
        return;
    }
    const double p = static_cast<double>(shape.frontPicked) / shape.frontTotal;
    const std::size_t longest = gaps.size() - 1;
    std::vector<CountCell> cells;
    for (std::size_t g = 1; g <= longest; ++g) {
        // P(gap = g), and for the longest P(gap ≥ g).
        const double stay = std::pow(1.0 - p, static_cast<double>(g - 1));
        cells.push_back({std::to_string(g), gaps[g], total * (g == longest ? stay : stay * p)});
    }
    cells.back().label = "≥" + cells.back().label;
    chiSquareRow(row, std::move(cells));
    // The last merged cell holds the longer gaps too.
    if (!row.merged.empty()) {
        std::string& label = row.merged.back().label;
        label = "≥" + label.substr(0, label.find("–"));
        if (label.rfind("≥≥", 0) == 0)
            label.erase(0, std::string("≥").size());
    }
}

void runsRow(RandomnessRow& row, std::span<const TestedDraw> draws)
{
    std::vector<int> sums;
    for (const TestedDraw& draw : draws)
        sums.push_back(frontSum(draw));
    std::vector<int> sorted = sums;
    std::sort(sorted.begin(), sorted.end());
    const int median = sorted.empty() ? 0 : sorted[sorted.size() / 2];
    double above = 0;
    double below = 0;
    double runs = 0;
    int previous = 0; // the side of the last sum counted: 1 above, -1 below
    for (const int s : sums) {
        if (s == median)
            continue;
        const int side = s > median ? 1 : -1;
        (side > 0 ? above : below) += 1;
        if (side != previous)
            runs += 1;
        previous = side;
    }
    row.degreesOfFreedom = -1;
    const double n = above + below;
    if (above < 1 || below < 1 || n < 3) {
        row.tooFew = true;
        return;
    }
    const double mean = 2 * above * below / n + 1;
    const double variance = 2 * above * below * (2 * above * below - n) / (n * n * (n - 1));
    row.statistic = (runs - mean) / std::sqrt(variance);
    row.p = normalTwoSidedTail(row.statistic);
    row.merged = {{"游程", runs, mean}};
}

std::string verdictOf(const RandomnessRow& row, const char* subject)
{
    const std::string s = subject;
    if (row.tooFew)
        return s + "：期数太少，无法检验";
    const std::string p = "（p=" + pValueText(row.p) + "）";
    if (!row.rejected)
        return s + "与随机开奖无显著差异" + p;
    if (row.test == RandomnessTest::SumRuns) {
        const CountCell& runs = row.merged.front();
        return s + "偏离随机开奖" + p + "：高低" + (row.statistic > 0 ? "交替过于频繁" : "成段出现") + "，游程" +
               decimalText(runs.observed, 0) + "个，随机期望" + decimalText(runs.expected, 1) + "个";
    }
    // The merged cell that adds most to X².
    const CountCell* worst = &row.merged.front();
    auto share = [](const CountCell& c) { return (c.observed - c.expected) * (c.observed - c.expected) / c.expected; };
    for (const CountCell& cell : row.merged)
        if (share(cell) > share(*worst))
            worst = &cell;
    return s + "偏离随机开奖" + p + "，偏离最大的是" + worst->label + "：实际" + decimalText(worst->observed, 0) +
           "次，随机期望" + decimalText(worst->expected, 1) + "次";
}

} // namespace

MergedChiSquare mergedChiSquare(const std::vector<CountCell>& cells)
{
    MergedChiSquare result;
    CountCell open;
    std::string lastLabel;
    bool opened = false;
    auto close = [&] {
        if (lastLabel != open.label)
            open.label += "–" + lastLabel;
        result.merged.push_back(open);
        opened = false;
    };
    for (const CountCell& cell : cells) {
        if (!opened) {
            open = cell;
            opened = true;
        } else {
            open.observed += cell.observed;
            open.expected += cell.expected;
        }
        lastLabel = cell.label;
        if (open.expected >= kLeastExpected)
            close();
    }
    if (opened) {
        if (result.merged.empty()) {
            close();
        } else {
            // The remainder joins the last merged cell.
            CountCell& last = result.merged.back();
            last.observed += open.observed;
            last.expected += open.expected;
            last.label = last.label.substr(0, last.label.find("–")) + "–" + lastLabel;
        }
    }
    for (const CountCell& cell : result.merged)
        if (cell.expected > 0)
            result.statistic += (cell.observed - cell.expected) * (cell.observed - cell.expected) / cell.expected;
    result.degreesOfFreedom = static_cast<int>(result.merged.size()) - 1;
    return result;
}

std::vector<double> hypergeometric(int total, int marked, int picked)
{
    std::vector<double> p;
    const auto all = static_cast<double>(binomial(total, picked));
    for (int j = 0; j <= picked; ++j)
        p.push_back(static_cast<double>(binomial(marked, j)) *
                    static_cast<double>(binomial(total - marked, picked - j)) / all);
    return p;
}

std::vector<double> combinationSums(int total, int picked)
{
    const auto top = static_cast<std::size_t>(total * picked + 1);
    // ways[k][s]: k numbers from those seen so far with sum s.
    std::vector<std::vector<double>> ways(static_cast<std::size_t>(picked) + 1, std::vector<double>(top));
    ways[0][0] = 1;
    for (int n = 1; n <= total; ++n)
        for (auto k = static_cast<std::size_t>(std::min(n, picked)); k >= 1; --k)
            for (auto s = top - 1; s >= static_cast<std::size_t>(n); --s)
                ways[k][s] += ways[k - 1][s - static_cast<std::size_t>(n)];
    std::vector<double>& sums = ways[static_cast<std::size_t>(picked)];
    while (!sums.empty() && sums.back() == 0)
        sums.pop_back();
    return sums;
}

std::vector<bool> holmRejects(std::span<const double> p, double alpha)
{
    std::vector<std::size_t> order(p.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return p[a] < p[b]; });
    std::vector<bool> rejects(p.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (!(p[order[i]] <= alpha / static_cast<double>(p.size() - i)))
            break;
        rejects[order[i]] = true;
    }
    return rejects;
}

RandomnessReport testRandomness(const GameShape& shape, std::span<const TestedDraw> draws)
{
    if (draws.empty())
        throw std::invalid_argument("randomness tests without draws");
    for (const TestedDraw& draw : draws)
        if (!drawFits(shape, draw))
            throw std::invalid_argument("a draw outside the game's numbers");
    RandomnessReport report;
    report.drawCount = draws.size();
    report.firstIssue = draws.front().issue;
    report.lastIssue = draws.back().issue;
    for (const TestText& text : kTexts) {
        RandomnessRow row;
        row.test = text.test;
        row.name = glossaryEntry(text.term).name;
        row.nullModel = definitionOf(text.term);
        report.rows.push_back(std::move(row));
    }
    auto rowOf = [&](RandomnessTest test) -> RandomnessRow& { return report.rows[static_cast<std::size_t>(test)]; };
    frequencyRow(rowOf(RandomnessTest::FrontFrequency), draws, true, shape.frontTotal, shape.frontPicked);
    frequencyRow(rowOf(RandomnessTest::BackFrequency), draws, false, shape.backTotal, shape.backPicked);
    countRow(rowOf(RandomnessTest::OddCount), shape, draws, [](int n) { return n % 2 == 1; });
    const int half = shape.frontTotal / 2;
    countRow(rowOf(RandomnessTest::BigCount), shape, draws, [half](int n) { return n > half; });
    sumRow(rowOf(RandomnessTest::Sum), shape, draws);
    repeatRow(rowOf(RandomnessTest::Repeat), shape, draws);
    gapRow(rowOf(RandomnessTest::Gap), shape, draws);
    runsRow(rowOf(RandomnessTest::SumRuns), draws);

    std::vector<double> p;
    for (const RandomnessRow& row : report.rows)
        p.push_back(row.p);
    const std::vector<bool> rejects = holmRejects(p, kHolmLevel);
    std::string rejected;
    for (std::size_t i = 0; i < report.rows.size(); ++i) {
        RandomnessRow& row = report.rows[i];
        row.rejected = rejects[i];
        row.verdict = verdictOf(row, kTexts[i].subject);
        if (row.rejected)
            rejected += (rejected.empty() ? "" : "、") + row.name;
    }
    report.conclusion = rejected.empty() ? "与随机一致" : "偏离随机：" + rejected;
    return report;
}

std::vector<std::vector<std::string>> randomnessTable(const RandomnessReport& report)
{
    std::vector<std::vector<std::string>> table{{"检验", "统计量", "自由度", "p值"}};
    for (const RandomnessRow& row : report.rows) {
        // No "-0.00" for a z just below 0.
        const double statistic = std::fabs(row.statistic) < 0.005 ? 0.0 : row.statistic;
        table.push_back({row.name, decimalText(statistic, 2),
                         row.degreesOfFreedom < 0 ? "-" : std::to_string(row.degreesOfFreedom), pValueText(row.p)});
    }
    table.push_back({"结论", report.conclusion});
    return table;
}

} // namespace quorlin

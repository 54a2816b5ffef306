#pragma once

#include "analysis/randomness_draws.h"

#include <span>
#include <string>
#include <vector>

namespace quorlin {

// Whether a draw history departs from chance. Null model: every draw uniform over the
// C(35,5) × C(12,2) outcomes, numbers drawn without replacement, draws independent.

/// The eight tests, in the order of the report.
enum class RandomnessTest {
    FrontFrequency, ///< 前区号码频率: X² of the 35 counts × 34/30, 34 degrees of freedom
    BackFrequency,  ///< 后区号码频率: X² of the 12 counts × 11/10, 11 degrees of freedom
    OddCount,       ///< 前区奇数个数: X² against the hypergeometric distribution
    BigCount,       ///< 前区大数个数 (18–35): X² against the hypergeometric distribution
    Sum,            ///< 前区和值: X² against the exact distribution over every combination
    Repeat,         ///< 与上期重号个数: X² over the n − 1 pairs of successive draws
    Gap,            ///< 前区遗漏间隔: X² of the gaps between appearances against the geometric one
    SumRuns,        ///< 和值游程: runs above/below the median sum, z and a two-sided normal p
};

constexpr int kRandomnessTests = 8;

/// One cell of a distribution: a value (or merged values) with its observed and expected count.
struct CountCell {
    std::string label; ///< "01", "3", "15"; merged cells "15–62"; the gaps' last cell "≥ 40"
    double observed = 0;
    double expected = 0;
};

/// One test's row.
struct RandomnessRow {
    RandomnessTest test = RandomnessTest::FrontFrequency;
    std::string name;          ///< 前区号码频率 …
    double statistic = 0;      ///< X² (scaled for the frequency rows) or the runs test's z
    int degreesOfFreedom = -1; ///< merged cells − 1; -1 for the runs test
    double p = 1;
    bool rejected = false; ///< rejected by the Holm correction at 1 % over the eight rows
    /// For the charts, every value in order, unmerged (the numbers, 0–5, the sums 15–165, the repeat
    /// counts 0–5, the gaps 1.. longest with the longer ones' probability in the last); empty for
    /// the runs test.
    std::vector<CountCell> cells;
    /// The cells the X² used, merged from the lowest value up to an expected count of at least 5;
    /// for the runs test one cell 游程: the runs seen and their expected number.
    std::vector<CountCell> merged;
    /// The null model and what the row computes (the glossary's definition), for a tooltip.
    std::string nullModel;
    /// A plain-language verdict in one sentence.
    std::string verdict;
    /// Whether there were too few draws for the test (statistic 0, p 1, never rejected).
    bool tooFew = false;
};

struct RandomnessReport {
    std::size_t drawCount = 0;
    std::int32_t firstIssue = 0;
    std::int32_t lastIssue = 0;
    std::vector<RandomnessRow> rows; ///< kRandomnessTests rows in the enum's order
    /// The 结论 line's text: "与随机一致", or "偏离随机：" and the rejected rows joined by "、".
    std::string conclusion;
};

/// Runs the eight tests over `draws` (oldest first; at least one).
RandomnessReport testRandomness(const GameShape& shape, std::span<const TestedDraw> draws);

/// The printed table: the header 检验/统计量/自由度/p值, the eight rows (statistic with two
/// decimals, degrees of freedom as an integer or "-", pValueText) and the 结论 line. The command
/// line prints it tab-separated; the window exports it.
std::vector<std::vector<std::string>> randomnessTable(const RandomnessReport& report);

// The parts, for tests and the back-test's chance lines.

/// Pearson X² of `observed` against `expected` after merging cells from the lowest value upwards
/// until each merged cell expects at least 5 (a remainder below 5 joins the last merged cell).
struct MergedChiSquare {
    std::vector<CountCell> merged;
    double statistic = 0;
    int degreesOfFreedom = 0; ///< merged cells − 1 (0 when everything merges into one cell)
};
MergedChiSquare mergedChiSquare(const std::vector<CountCell>& cells);

/// P(j of the `picked` numbers fall among `marked` of `total`), j = 0..picked.
std::vector<double> hypergeometric(int total, int marked, int picked);
/// How many `picked`-number combinations of 1..total have each sum; index = sum.
std::vector<double> combinationSums(int total, int picked);
/// Holm's step-down procedure: which of `p` it rejects at level `alpha`.
std::vector<bool> holmRejects(std::span<const double> p, double alpha);

} // namespace quorlin

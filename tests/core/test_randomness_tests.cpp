// The randomness tests of a draw history: the tail probabilities, each statistic on a hand-worked
// history, the frequency test under the null model, and quorlin-cli randomness on the shipped history.
#include "analysis/randomness_tests.h"
#include "cli_fixture.h"
#include "common/random_source.h"
#include "common/tail_probability.h"
#include "store/schema.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

using namespace quorlin;

namespace {

constexpr GameShape kGame{};

// Four draws worked by hand below.
const std::vector<TestedDraw> kFour{
    {1, {1, 2, 3, 4, 5}, {1, 2}},
    {2, {1, 2, 3, 6, 7}, {1, 3}},
    {3, {8, 9, 10, 11, 12}, {2, 3}},
    {4, {1, 8, 20, 30, 35}, {1, 2}},
};

const RandomnessRow& rowOf(const RandomnessReport& report, RandomnessTest test)
{
    return report.rows.at(static_cast<std::size_t>(test));
}
// A row of a report about to go would dangle.
const RandomnessRow& rowOf(RandomnessReport&& report, RandomnessTest test) = delete;

// The observed counts of the cells that saw something, as "label:count".
std::vector<std::string> seen(const std::vector<CountCell>& cells)
{
    std::vector<std::string> texts;
    for (const CountCell& cell : cells)
        if (cell.observed != 0)
            texts.push_back(cell.label + ":" + std::to_string(static_cast<int>(cell.observed)));
    return texts;
}

} // namespace

// Reference values from the series of Q(a, x) in 420-digit decimals (Python's decimal module).
TEST(TailProbability, ChiSquareAndNormalTailsMatchHighPrecisionValues)
{
    struct Case {
        double x;
        int dof;
        double q;
    };
    for (const Case& c : std::initializer_list<Case>{
             {101.99, 34, 1.026283682642914e-08},
             {234.94, 34, 6.991476392303057e-32},
             {169.15, 102, 3.320510129239766e-05},
             {3, 3, 3.916251762710889e-01},
             {40, 1, 2.539628589470865e-10},
             {0.5, 5, 9.921232932326296e-01},
             {0.000001, 1, 9.992021155721779e-01},
             {1200, 101, 2.221349398007509e-187},
             {1500, 34, 9.307896270927209e-294},
             {1350, 1, 1.540553505333153e-295},
             {1380, 2, 2.171738281389827e-300},
         }) {
        EXPECT_NEAR(chiSquareUpperTail(c.x, c.dof) / c.q, 1.0, 1e-10) << c.x << " " << c.dof;
    }
    EXPECT_EQ(chiSquareUpperTail(0, 5), 1.0);

    struct NormalCase {
        double z;
        double upper;
    };
    for (const NormalCase& c : std::initializer_list<NormalCase>{{1.96, 2.499789514822044e-02},
                                                                 {3, 1.349898031630095e-03},
                                                                 {0.5, 3.085375387259869e-01},
                                                                 {37, 5.725571222524577e-300}}) {
        EXPECT_NEAR(normalUpperTail(c.z) / c.upper, 1.0, 1e-10) << c.z;
        EXPECT_NEAR(normalTwoSidedTail(-c.z) / (2 * c.upper), 1.0, 1e-10) << c.z;
        EXPECT_NEAR(normalUpperTail(-c.z), 1.0 - c.upper, 1e-15) << c.z;
    }
}

TEST(TailProbability, PValuesPrintThreeSignificantDigits)
{
    for (const auto& [p, text] : std::initializer_list<std::pair<double, const char*>>{{0.406, "0.406"},
                                                                                       {1.026e-08, "1.03e-08"},
                                                                                       {1.02e-08, "1.02e-08"},
                                                                                       {0.012345, "0.0123"},
                                                                                       {1.0, "1"},
                                                                                       {5.7255e-300, "5.73e-300"},
                                                                                       {1e-301, "<1e-300"},
                                                                                       {0.0, "<1e-300"}})
        EXPECT_EQ(pValueText(p), text) << p;
}

TEST(RandomnessParts, NullDistributionsAreTheExactCounts)
{
    const std::vector<double> odd = hypergeometric(35, 18, 5);
    const std::vector<double> byHand{6188, 42840, 104040, 110976, 52020, 8568};
    ASSERT_EQ(odd.size(), byHand.size());
    for (std::size_t j = 0; j < odd.size(); ++j)
        EXPECT_NEAR(odd[j] * 324632, byHand[j], 1e-8) << j;

    // Two of 1..5: sums 3 (1+2), 4 (1+3), 5 (1+4, 2+3), 6, 7, 8 (3+5), 9 (4+5).
    EXPECT_EQ(combinationSums(5, 2), (std::vector<double>{0, 0, 0, 1, 1, 2, 2, 2, 1, 1}));
    const std::vector<double> sums = combinationSums(35, 5);
    ASSERT_EQ(sums.size(), 166u);
    EXPECT_EQ(std::accumulate(sums.begin(), sums.end(), 0.0), 324632.0);
    EXPECT_EQ(sums[15], 1);
    EXPECT_EQ(sums[17], 2);
    for (int s = 15; s <= 165; ++s)
        EXPECT_EQ(sums[static_cast<std::size_t>(s)], sums[static_cast<std::size_t>(180 - s)]) << s;
}

TEST(RandomnessParts, CellsMergeFromTheLowestUpAndTheRemainderJoinsTheLast)
{
    const MergedChiSquare chi =
        mergedChiSquare({{"a", 3, 1}, {"b", 0, 2}, {"c", 2, 3}, {"d", 0, 1}, {"e", 2, 1}, {"f", 9, 4}, {"g", 1, 0.5}});
    ASSERT_EQ(chi.merged.size(), 2u);
    EXPECT_EQ(chi.merged[0].label, "a–c");
    EXPECT_EQ(chi.merged[1].label, "d–g");
    EXPECT_EQ(chi.merged[1].expected, 6.5);
    EXPECT_EQ(chi.merged[1].observed, 12);
    EXPECT_EQ(chi.degreesOfFreedom, 1);
    EXPECT_DOUBLE_EQ(chi.statistic, 1.0 / 6 + 5.5 * 5.5 / 6.5);

    // Less than 5 expected in all: one cell, nothing to test.
    const MergedChiSquare one = mergedChiSquare({{"0", 1, 2}, {"1", 3, 2}});
    EXPECT_EQ(one.merged.size(), 1u);
    EXPECT_EQ(one.merged[0].label, "0–1");
    EXPECT_EQ(one.degreesOfFreedom, 0);
}

TEST(RandomnessParts, HolmStepsDownAndStopsAtTheFirstKept)
{
    // Thresholds 1 %/8, /7, /6, … for the smallest, the next, …
    const std::vector<double> p{0.0012, 0.5, 0.0014, 0.0016, 0.5, 0.5, 0.5, 0.0021};
    EXPECT_EQ(holmRejects(p, 0.01), (std::vector<bool>{true, false, true, true, false, false, false, false}));
    // 0.0015 misses 1 %/7, so 0.0016 is kept although it is below 1 %/6.
    const std::vector<double> stops{0.0001, 0.0015, 0.0016, 0.9, 0.9, 0.9, 0.9, 0.9};
    EXPECT_EQ(holmRejects(stops, 0.01), (std::vector<bool>{true, false, false, false, false, false, false, false}));
}

TEST(RandomnessTests, EachStatisticOnAHandWorkedHistory)
{
    const RandomnessReport report = testRandomness(kGame, kFour);
    ASSERT_EQ(report.rows.size(), 8u);

    // 20 front numbers, 4/7 expected of each: 01–09 and 10–18 expect 36/7, 19–35 the 8 cells
    // after them (a remainder of 32/7) too: 68/7. Observed 14, 3, 3.
    const RandomnessRow& front = rowOf(report, RandomnessTest::FrontFrequency);
    ASSERT_EQ(front.merged.size(), 3u);
    EXPECT_EQ(front.merged[2].label, "19–35");
    EXPECT_EQ(seen(front.merged), (std::vector<std::string>{"01–09:14", "10–18:3", "19–35:3"}));
    EXPECT_EQ(front.degreesOfFreedom, 2);
    // (3844/252 + 225/252 + 2209/476) × 34/30; χ² with 2 degrees of freedom has the tail e^(-x/2).
    EXPECT_NEAR(front.statistic, 89054.0 / 3780, 1e-9);
    EXPECT_NEAR(front.p, std::exp(-89054.0 / 3780 / 2), 1e-15);
    EXPECT_EQ(front.cells.size(), 35u);

    // 8 back numbers, 2/3 expected of each: one cell, too few draws.
    const RandomnessRow& back = rowOf(report, RandomnessTest::BackFrequency);
    EXPECT_TRUE(back.tooFew);
    EXPECT_EQ(back.p, 1);
    EXPECT_EQ(seen(back.cells), (std::vector<std::string>{"01:3", "02:3", "03:2"}));

    EXPECT_EQ(seen(rowOf(report, RandomnessTest::OddCount).cells), (std::vector<std::string>{"2:2", "3:2"}));
    EXPECT_EQ(seen(rowOf(report, RandomnessTest::BigCount).cells), (std::vector<std::string>{"0:3", "3:1"}));
    const RandomnessRow& sum = rowOf(report, RandomnessTest::Sum);
    EXPECT_EQ(seen(sum.cells), (std::vector<std::string>{"15:1", "19:1", "50:1", "94:1"}));
    EXPECT_NEAR(sum.cells.front().expected, 4.0 / 324632, 1e-18);

    // Pairs: 3 shared (01 02 03), none, 1 (08); expected over 3 pairs, none sharing with 142506 of 324632.
    const RandomnessRow& repeat = rowOf(report, RandomnessTest::Repeat);
    EXPECT_EQ(seen(repeat.cells), (std::vector<std::string>{"0:1", "1:1", "3:1"}));
    EXPECT_NEAR(repeat.cells[0].expected, 3.0 * 142506 / 324632, 1e-12);

    // Gaps inside the range only: 01 at draws 1, 2, 4 (gaps 1, 2), 02, 03 and 08 once each (gap 1);
    // the longest seen is 2, so its cell holds P(gap ≥ 2) = 6/7.
    const RandomnessRow& gap = rowOf(report, RandomnessTest::Gap);
    EXPECT_EQ(seen(gap.cells), (std::vector<std::string>{"1:4", "≥2:1"}));
    EXPECT_NEAR(gap.cells[0].expected, 5.0 / 7, 1e-12);
    EXPECT_NEAR(gap.cells[1].expected, 30.0 / 7, 1e-12);

    // Sums 15 19 50 94: the median is the sorted element 4 div 2 = 50, left out; below below above,
    // 2 runs of n1 = 1, n2 = 2: mean 7/3, variance 2/9, z = -1/√2.
    const RandomnessRow& runs = rowOf(report, RandomnessTest::SumRuns);
    EXPECT_EQ(runs.degreesOfFreedom, -1);
    EXPECT_NEAR(runs.statistic, -1 / std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(runs.p, std::erfc(0.5), 1e-15);

    // p = 7.6e-06 alone is below 1 %/8: the only row Holm rejects.
    EXPECT_EQ(report.conclusion, "偏离随机：前区号码频率");
    EXPECT_NE(front.verdict.find("偏离最大的是01–09：实际14次，随机期望5.1次"), std::string::npos) << front.verdict;
    for (const RandomnessRow& row : report.rows) {
        EXPECT_EQ(row.rejected, row.test == RandomnessTest::FrontFrequency) << row.name;
        EXPECT_TRUE(row.nullModel.starts_with(row.name + "：")) << row.nullModel;
    }
    EXPECT_NE(back.verdict.find("期数太少"), std::string::npos) << back.verdict;
}

TEST(RandomnessTests, ADrawOutsideTheGameIsRefused)
{
    std::vector<TestedDraw> draws = kFour;
    draws[1].front[0] = 36;
    EXPECT_THROW(testRandomness(kGame, draws), std::invalid_argument);
    draws[1].front[0] = 2; // twice
    EXPECT_THROW(testRandomness(kGame, draws), std::invalid_argument);
}

// The test of the test: under the null model the corrected frequency statistic rejects at 5 % as
// often as it should, the uncorrected Pearson X² less often (drawing without replacement makes the
// counts less spread than independent cells would be).
TEST(RandomnessTests, TheCorrectedFrequencyTestHoldsItsLevelUnderTheNull)
{
    SeededRandomSource random(20261211);
    constexpr int kHistories = 2000;
    constexpr int kDraws = 300;
    int corrected = 0;
    int uncorrected = 0;
    std::vector<TestedDraw> draws(kDraws);
    for (int h = 0; h < kHistories; ++h) {
        for (TestedDraw& draw : draws) {
            std::vector<int> pool(35);
            std::iota(pool.begin(), pool.end(), 1);
            // The first five places of a random shuffle.
            for (int i = 0; i < 5; ++i)
                std::swap(pool[static_cast<std::size_t>(i)], pool[static_cast<std::size_t>(i + random.random(35 - i))]);
            draw.front.assign(pool.begin(), pool.begin() + 5);
            const int b1 = 1 + random.random(12);
            const int b2 = 1 + (b1 + random.random(11)) % 12;
            draw.back = {b1, b2};
        }
        const RandomnessReport report = testRandomness(kGame, draws);
        const RandomnessRow& row = rowOf(report, RandomnessTest::FrontFrequency);
        ASSERT_EQ(row.degreesOfFreedom, 34);
        corrected += row.p < 0.05 ? 1 : 0;
        uncorrected += chiSquareUpperTail(row.statistic * 30 / 34, 34) < 0.05 ? 1 : 0;
    }
    EXPECT_GE(corrected, 70);
    EXPECT_LE(corrected, 130);
    EXPECT_LT(uncorrected, corrected);
}

namespace {

struct CliRandomness : test::CliFixture<test::HistoryProgram> {
    CliRandomness() { prefix = {"randomness", kShippedLottery}; }
};

} // namespace

// The shipped history: the figures agree with tests/data/randomness/reference.py, a separate
// calculation in Python's standard library (exact fractions, the χ² tail in 120-digit decimals).
TEST_F(CliRandomness, TheEarlyDrawsDepartFromChanceAndTheLaterOnesDoNot)
{
    EXPECT_EQ(runLines({"--to", "2012094"}), (std::vector<std::string>{
                                                 "检验\t统计量\t自由度\tp值",
                                                 "前区号码频率\t234.94\t34\t7.01e-32",
                                                 "后区号码频率\t15.15\t11\t0.176",
                                                 "前区奇数个数\t6.87\t5\t0.23",
                                                 "前区大数个数\t82.86\t5\t2.11e-16",
                                                 "前区和值\t198.34\t78\t1.91e-12",
                                                 "与上期重号个数\t2.56\t3\t0.465",
                                                 "前区遗漏间隔\t54.81\t35\t0.0177",
                                                 "和值游程\t0.68\t-\t0.495",
                                                 "结论\t偏离随机：前区号码频率、前区大数个数、前区和值",
                                             }));
    EXPECT_EQ(runLines({"--from", "2012095"}), (std::vector<std::string>{
                                                   "检验\t统计量\t自由度\tp值",
                                                   "前区号码频率\t33.37\t34\t0.498",
                                                   "后区号码频率\t15.98\t11\t0.142",
                                                   "前区奇数个数\t4.46\t5\t0.486",
                                                   "前区大数个数\t7.44\t5\t0.19",
                                                   "前区和值\t122.49\t98\t0.0476",
                                                   "与上期重号个数\t2.05\t3\t0.563",
                                                   "前区遗漏间隔\t37.73\t41\t0.617",
                                                   "和值游程\t-1.31\t-\t0.191",
                                                   "结论\t与随机一致",
                                               }));
    // Every draw: the default range.
    const std::vector<std::string> all = runLines({});
    ASSERT_EQ(all.size(), 10u);
    EXPECT_EQ(all[1], "前区号码频率\t101.99\t34\t1.02e-08");
    EXPECT_EQ(runLines({"--from", "2007001", "--to", "2026115"}), all) << "the first and the newest stored issue";
    EXPECT_EQ(runLines({"--last", "100000"}), all);
}

TEST_F(CliRandomness, AnEmptyRangeOrAnIssueNotStoredIsRefused)
{
    for (const auto& [args, message] : std::initializer_list<std::pair<std::vector<std::string>, const char*>>{
             {{"--from", "2012095", "--to", "2012094"}, "起始期第2012095期在结束期第2012094期之后\n"},
             {{"--to", "2012999"}, "没有第2012999期的开奖号码\n"},
             {{"--from", "12a"}, "没有第12a期的开奖号码\n"},
             {{"--last", "0"}, "期数须至少为1\n"},
         }) {
        EXPECT_EQ(run(args), 1) << args[1];
        EXPECT_EQ(err.str(), message);
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_EQ(run({"--last", "5", "--from", "2012095"}), 2);
    EXPECT_NE(err.str().find("--last 不能与 --from、--to 同时给出"), std::string::npos) << err.str();
    EXPECT_EQ(run({"--last", "-5"}), 2);
}

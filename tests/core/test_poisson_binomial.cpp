// The exact distribution of a count of independent successes, its two-sided p, and how a p prints.
#include "common/poisson_binomial.h"
#include "common/tail_probability.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace quorlin;

namespace {

// Every one of the 2^n outcomes, its probability added to its count's.
std::vector<double> bruteForce(const std::vector<double>& chances)
{
    const std::size_t n = chances.size();
    std::vector<double> p(n + 1, 0.0);
    for (unsigned outcome = 0; outcome < (1u << n); ++outcome) {
        double probability = 1.0;
        std::size_t successes = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const bool yes = (outcome >> i) & 1u;
            probability *= yes ? chances[i] : 1.0 - chances[i];
            successes += yes ? 1 : 0;
        }
        p[successes] += probability;
    }
    return p;
}

} // namespace

TEST(PoissonBinomial, MatchesEveryOutcomeCountedOneByOne)
{
    // Varied chances; the second set is symmetric (k and 10 - k equally likely), so rounding may
    // split ties that the p must keep together.
    const std::vector<std::vector<double>> cases{
        {0.01, 0.07, 0.15, 0.3, 0.42, 0.5, 0.61, 0.77, 0.9, 0.995},
        {1.0 / 3, 2.0 / 3, 1.0 / 3, 2.0 / 3, 1.0 / 3, 2.0 / 3, 1.0 / 3, 2.0 / 3, 1.0 / 3, 2.0 / 3},
        {0.0, 1.0, 0.25, 0.25, 0.8},
    };
    for (const auto& chances : cases) {
        const std::vector<double> expected = bruteForce(chances);
        const std::vector<double> got = poissonBinomial(chances);
        ASSERT_EQ(got.size(), expected.size());
        for (std::size_t k = 0; k < expected.size(); ++k) {
            EXPECT_NEAR(got[k], expected[k], 1e-14) << "P(" << k << ")";
            double p = 0;
            for (const double other : expected)
                p += other <= expected[k] * (1 + 1e-9) ? other : 0.0;
            EXPECT_NEAR(poissonBinomialTwoSided(chances, k), std::min(p, 1.0), 1e-13) << "p of " << k;
        }
    }
    // The symmetric case by hand: P(3) = P(7), so 3 successes have the p of both tails.
    const auto& symmetric = cases[1];
    const std::vector<double> p = bruteForce(symmetric);
    EXPECT_NEAR(poissonBinomialTwoSided(symmetric, 3), p[0] + p[1] + p[2] + p[3] + p[7] + p[8] + p[9] + p[10], 1e-14);
    // Impossible counts: 0 and 5 successes when one trial always and one never succeeds.
    EXPECT_EQ(poissonBinomialTwoSided(cases[2], 0), 0.0);
    EXPECT_EQ(poissonBinomialTwoSided(cases[2], 5), 0.0);
    EXPECT_EQ(poissonBinomialTwoSided(cases[2], 6), 0.0);
}

TEST(PoissonBinomial, CertainOutcomesAndNoTrialsHaveP1)
{
    EXPECT_EQ(poissonBinomialTwoSided(std::vector<double>(500, 1.0), 500), 1.0);
    EXPECT_EQ(poissonBinomialTwoSided(std::vector<double>(500, 0.0), 0), 1.0);
    EXPECT_EQ(poissonBinomialTwoSided({}, 0), 1.0);
    // The most likely count of a long run sums every count: rounding must not push it above 1.
    EXPECT_LE(poissonBinomialTwoSided(std::vector<double>(3000, 0.5), 1500), 1.0);
}

TEST(PoissonBinomial, FarTailsStayExactWhereTheyDoNotUnderflow)
{
    // 500 trials at 1/2, none succeeding: both tails, 2 · 2^-500.
    EXPECT_DOUBLE_EQ(poissonBinomialTwoSided(std::vector<double>(500, 0.5), 0), std::ldexp(1.0, -499));
}

TEST(PValueText, ThreeSignificantDigits)
{
    const struct {
        double p;
        const char* text;
    } cases[] = {{1.0, "1"},         {0.40649, "0.406"}, {0.012345, "0.0123"}, {1.0249e-8, "1.02e-08"}, {0.05, "0.05"},
                 {2e-300, "2e-300"}, {0.0, "<1e-300"},   {1e-320, "<1e-300"},  {0.99951, "1"}};
    for (const auto& c : cases)
        EXPECT_EQ(pValueText(c.p), c.text) << c.p;
}

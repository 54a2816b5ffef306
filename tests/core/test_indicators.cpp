// Number indicators of a draw or combination, their theoretical values, and the per-draw table of the windows.
#include "analysis/draw_indicators.h"
#include "analysis/indicators.h"
#include "store/lottery_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

using namespace quorlin;

namespace {

constexpr int kTotal = 35;
constexpr int kCount = 5;

// One draw with the indicator values it must give against the draw before it.
struct DrawCase {
    const char* name;
    std::array<std::int32_t, 5> draw;
    std::array<std::int32_t, 5> reference;
    int bigWindow;
    int bigFilter;
    int odd;
    int sum;
    int span;
    int dispersion;
    int skew;
    int ac;
    int repeat;
    int zones; ///< zone count for `zoneCounts`
    std::vector<int> zoneCounts;
};

// Names the case in the test list.
void PrintTo(const DrawCase& c, std::ostream* os)
{
    *os << c.name;
}

class DrawIndicatorCase : public testing::TestWithParam<DrawCase> {};

const DrawCase kDrawCases[] = {
    {"LowestRunAfterHighestRun", {1, 2, 3, 4, 5}, {31, 32, 33, 34, 35}, 0, 0, 3, 15, 4, 30, 30, 4, 0, 3, {5, 0, 0}},
    {"EvenlySpread", {3, 9, 17, 25, 33}, {1, 2, 3, 4, 5}, 2, 3, 5, 87, 30, 4, 28, 7, 1, 5, {1, 1, 1, 1, 1}},
    {"MiddleRun", {17, 18, 19, 20, 21}, {2, 9, 17, 30, 34}, 4, 5, 3, 95, 4, 16, 4, 4, 1, 2, {2, 3}},
    {"MultiplesOfSeven",
     {7, 14, 21, 28, 35},
     {7, 14, 22, 29, 35},
     3,
     3,
     3,
     105,
     28,
     6,
     1,
     4,
     3,
     7,
     {0, 1, 1, 0, 1, 1, 1}},
    {"AllDifferencesDistinct", {1, 2, 5, 11, 19}, {1, 2, 3, 4, 5}, 1, 1, 4, 38, 18, 16, 14, 10, 3, 4, {3, 1, 1, 0}},
};

// Every indicator of the draw, in the order given and with the numbers reversed.
TEST_P(DrawIndicatorCase, GivesExpectedValues)
{
    const DrawCase& c = GetParam();
    std::array<std::int32_t, 5> reversed = c.draw;
    std::reverse(reversed.begin(), reversed.end());
    std::array<std::int32_t, 5> refReversed = c.reference;
    std::reverse(refReversed.begin(), refReversed.end());

    for (const auto& [order, draw, ref] :
         {std::tuple{"ascending", c.draw, c.reference}, std::tuple{"descending", reversed, refReversed}}) {
        SCOPED_TRACE(order);
        EXPECT_EQ(bigcount(draw, kTotal, BigRule::Window), c.bigWindow);
        EXPECT_EQ(bigcount(draw, kTotal, BigRule::Filter), c.bigFilter);
        EXPECT_EQ(oddcount(draw), c.odd);
        EXPECT_EQ(sumvalue(draw), c.sum);
        EXPECT_EQ(spanvalue(draw), c.span);
        EXPECT_EQ(dispersion(draw, kTotal), c.dispersion);
        EXPECT_EQ(skewvalue(draw, ref), c.skew);
        EXPECT_EQ(acvalue(draw, kTotal), c.ac);
        EXPECT_EQ(repeatcount(draw, ref), c.repeat);
        EXPECT_EQ(zonecounts(draw, kTotal, c.zones), c.zoneCounts);
    }
}

INSTANTIATE_TEST_SUITE_P(WorkedDraws, DrawIndicatorCase, testing::ValuesIn(kDrawCases),
                         [](const testing::TestParamInfo<DrawCase>& p) { return std::string(p.param.name); });

// Skew looks from the draw to the reference, so swapping the two changes the value.
TEST(Skew, IsMeasuredFromTheDrawNotTheReference)
{
    const std::array<std::int32_t, 5> low = {1, 2, 3, 4, 5};
    const std::array<std::int32_t, 5> spread = {3, 9, 17, 25, 33};
    EXPECT_EQ(skewvalue(spread, low), 28);
    EXPECT_EQ(skewvalue(low, spread), 2);
}

// Zone width and the size of every zone when all numbers 1..total are counted.
TEST(Zones, WidthAndZoneSizesCoverTheRange)
{
    struct ZoneCase {
        int total;
        int zones;
        int width;
        std::vector<int> sizes;
    };
    const ZoneCase cases[] = {
        {35, 1, 35, {35}},
        {35, 2, 18, {18, 17}},
        {35, 3, 12, {12, 12, 11}},
        {35, 4, 9, {9, 9, 9, 8}},
        {35, 5, 7, {7, 7, 7, 7, 7}},
        {35, 6, 6, {6, 6, 6, 6, 6, 5}},
        {35, 7, 5, {5, 5, 5, 5, 5, 5, 5}},
        {33, 5, 7, {7, 7, 7, 7, 5}},
        {12, 7, 2, {2, 2, 2, 2, 2, 2, 0}},
    };
    for (const ZoneCase& c : cases) {
        SCOPED_TRACE("total " + std::to_string(c.total) + ", zones " + std::to_string(c.zones));
        EXPECT_EQ(zonewidth(c.total, c.zones), c.width);
        std::vector<std::int32_t> all(static_cast<std::size_t>(c.total));
        std::iota(all.begin(), all.end(), 1);
        EXPECT_EQ(zonecounts(all, c.total, c.zones), c.sizes);
    }
}

// The numbers on either side of a zone boundary land in neighbouring zones.
TEST(Zones, BoundaryNumbersFallIntoTheRightZone)
{
    struct Boundary {
        int zones;
        std::int32_t number;
        int zone;
    };
    const Boundary cases[] = {
        {2, 18, 0}, {2, 19, 1}, {3, 24, 1}, {3, 25, 2}, {4, 27, 2}, {4, 28, 3},
        {4, 35, 3}, {6, 30, 4}, {6, 31, 5}, {7, 5, 0},  {7, 6, 1},  {7, 35, 6},
    };
    for (const Boundary& c : cases) {
        SCOPED_TRACE("zones " + std::to_string(c.zones) + ", number " + std::to_string(c.number));
        const std::array<std::int32_t, 1> one = {c.number};
        std::vector<int> expected(static_cast<std::size_t>(c.zones), 0);
        expected[static_cast<std::size_t>(c.zone)] = 1;
        EXPECT_EQ(zonecounts(one, kTotal, c.zones), expected);
    }
}

// The stated theoretical range of every indicator; the mean-based averages come from the draws.
TEST(TheoryValues, RangesAndAveragesForEveryIndicator)
{
    struct TheoryCase {
        Indicator indicator;
        int total;
        int count;
        float maximum;
        float minimum;
        float average;
    };
    // Mean 22 for the mean-based indicators; big, odd and repeat must ignore the draws.
    const std::vector<float> perDraw = {10.0f, 20.0f, 36.0f};
    const TheoryCase cases[] = {
        {Indicator::Big, 35, 5, 5, 0, 2.5f},
        {Indicator::Odd, 35, 5, 5, 0, 2.5f},
        {Indicator::Sum, 35, 5, 165, 15, 22},
        {Indicator::Span, 35, 5, 34, 4, 22},
        {Indicator::Dispersion, 35, 5, 30, 4, 22},
        {Indicator::Skew, 35, 5, 30, 0, 22},
        {Indicator::AC, 35, 5, 10, 4, 22},
        {Indicator::Repeat, 35, 5, 5, 0, 0},
        // Another game size, so that no figure of the 5-of-35 front zone is fixed in the code.
        {Indicator::Big, 33, 6, 6, 0, 3},
        {Indicator::Sum, 33, 6, 183, 21, 22},
        {Indicator::Span, 33, 6, 32, 5, 22},
        {Indicator::Dispersion, 33, 6, 27, 3, 22},
        {Indicator::Dispersion, 36, 6, 30, 4, 22},
        {Indicator::AC, 33, 6, 15, 5, 22},
        {Indicator::Repeat, 33, 6, 6, 0, 1},
    };
    for (const TheoryCase& c : cases) {
        SCOPED_TRACE("indicator " + std::to_string(static_cast<int>(c.indicator)) + ", " + std::to_string(c.count) +
                     " of " + std::to_string(c.total));
        const TheoryValues t = theoryvalues(c.indicator, c.total, c.count, perDraw);
        EXPECT_FLOAT_EQ(t.maximum, c.maximum);
        EXPECT_FLOAT_EQ(t.minimum, c.minimum);
        EXPECT_FLOAT_EQ(t.average, c.average);
    }
}

// Mean-based averages and totals are 0, not a division by zero, when no draw is loaded.
TEST(TheoryValues, MeanBasedValuesAreZeroWithoutDraws)
{
    for (const Indicator ind :
         {Indicator::Sum, Indicator::Span, Indicator::Dispersion, Indicator::Skew, Indicator::AC}) {
        SCOPED_TRACE(static_cast<int>(ind));
        EXPECT_EQ(theoryvalues(ind, kTotal, kCount, {}).average, 0.0f);
        EXPECT_EQ(theoreticalTotal(ind, kTotal, kCount, 10, {}), 0.0f);
    }
}

// The expected total of the last N draws that the windows set against the actual total.
TEST(TheoreticalTotal, OverTheLastDraws)
{
    struct TotalCase {
        Indicator indicator;
        int lastN;
        float expected;
    };
    const std::vector<float> perDraw = {10.0f, 20.0f, 36.0f}; // mean 22
    const TotalCase cases[] = {
        {Indicator::Big, 3, 7.5f}, {Indicator::Odd, 3, 7.5f},      {Indicator::Big, 10, 25.0f},
        {Indicator::Repeat, 3, 2}, {Indicator::Repeat, 10, 7},     {Indicator::Sum, 3, 66},
        {Indicator::Span, 5, 110}, {Indicator::Dispersion, 1, 22}, {Indicator::Skew, 4, 88},
        {Indicator::AC, 2, 44},
    };
    for (const TotalCase& c : cases) {
        SCOPED_TRACE("indicator " + std::to_string(static_cast<int>(c.indicator)) + ", last " +
                     std::to_string(c.lastN));
        EXPECT_FLOAT_EQ(theoreticalTotal(c.indicator, kTotal, kCount, c.lastN, perDraw), c.expected);
    }
}

// Three loaded draws with back numbers, and a transformed history with other front numbers.
class DrawTable : public testing::Test {
protected:
    // Fills hisfull and hisbian of a 5-of-35 + 2-of-12 lottery with three draws each.
    void SetUp() override
    {
        state.caisum = 35;
        state.caisel = 5;
        state.housum = 12;
        state.housel = 2;
        state.recnum = 3;
        const std::int32_t full[3][8] = {
            {24001, 31, 32, 33, 34, 35, 1, 2},
            {24002, 1, 2, 3, 4, 5, 3, 4},
            {24003, 3, 9, 17, 25, 33, 4, 11},
        };
        state.hisfull.resize(3, 8);
        for (std::size_t r = 0; r < 3; ++r)
            for (std::size_t j = 0; j < 8; ++j)
                state.hisfull.at(r, j) = full[r][j];
        const std::int32_t bian[3][6] = {
            {24001, 2, 9, 17, 30, 34},
            {24002, 17, 18, 19, 20, 21},
            {24003, 7, 14, 21, 28, 35},
        };
        state.hisbian.resize(3, 6);
        for (std::size_t r = 0; r < 3; ++r)
            for (std::size_t j = 0; j < 6; ++j)
                state.hisbian.at(r, j) = bian[r][j];
    }

    LotteryState state;
};

// Standard mode: oldest first, front numbers only, each draw measured against the one before.
TEST_F(DrawTable, StandardModeReadsTheDrawnNumbers)
{
    const std::vector<DrawIndicatorRow> rows = computeDrawIndicators(state, 5);
    ASSERT_EQ(rows.size(), 3u);

    struct Expected {
        std::int32_t issue;
        float big, odd, sum, span, dispersion, skew, ac, repeat;
        std::vector<int> zones;
    };
    const Expected expected[] = {
        {24001, 5, 3, 165, 4, 30, 15, 4, 0, {0, 0, 0, 0, 5}},
        {24002, 0, 3, 15, 4, 30, 30, 4, 0, {5, 0, 0, 0, 0}},
        {24003, 2, 5, 87, 30, 4, 28, 7, 1, {1, 1, 1, 1, 1}},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("draw " + std::to_string(i));
        const DrawIndicatorRow& row = rows[i];
        const Expected& e = expected[i];
        EXPECT_EQ(row.issue, e.issue);
        EXPECT_EQ(row.big, e.big);
        EXPECT_EQ(row.odd, e.odd);
        EXPECT_EQ(row.sum, e.sum);
        EXPECT_EQ(row.span, e.span);
        EXPECT_EQ(row.dispersion, e.dispersion);
        EXPECT_EQ(row.skew, e.skew);
        EXPECT_EQ(row.ac, e.ac);
        EXPECT_EQ(row.repeat, e.repeat);
        EXPECT_EQ(row.zones, e.zones);
    }
}

// Transformed mode reads hisbian, with the same first-draw values.
TEST_F(DrawTable, TransformedModeReadsTheTransformedNumbers)
{
    state.bianhuan = true;
    const std::vector<DrawIndicatorRow> rows = computeDrawIndicators(state, 2);
    ASSERT_EQ(rows.size(), 3u);

    EXPECT_EQ(rows[0].issue, 24001);
    EXPECT_EQ(rows[0].sum, 92.0f);
    EXPECT_EQ(rows[0].skew, 15.0f);
    EXPECT_EQ(rows[0].repeat, 0.0f);

    EXPECT_EQ(rows[1].sum, 95.0f);
    EXPECT_EQ(rows[1].big, 4.0f);
    EXPECT_EQ(rows[1].dispersion, 16.0f);
    EXPECT_EQ(rows[1].skew, 4.0f);
    EXPECT_EQ(rows[1].repeat, 1.0f);
    EXPECT_EQ(rows[1].zones, (std::vector<int>{2, 3}));

    EXPECT_EQ(rows[2].issue, 24003);
    EXPECT_EQ(rows[2].sum, 105.0f);
    EXPECT_EQ(rows[2].skew, 14.0f);
    EXPECT_EQ(rows[2].repeat, 1.0f);
    EXPECT_EQ(rows[2].ac, 4.0f);
}

// The first draw's skew is half the gap between total and count as a real, not truncated.
TEST_F(DrawTable, FirstDrawSkewKeepsTheHalf)
{
    state.caisum = 36;
    const std::vector<DrawIndicatorRow> rows = computeDrawIndicators(state, 5);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0].skew, 15.5f);
}

// Only the recnum loaded draws count; none loaded gives an empty table.
TEST_F(DrawTable, OnlyLoadedDrawsAreListed)
{
    state.recnum = 2;
    EXPECT_EQ(computeDrawIndicators(state, 5).size(), 2u);

    state.recnum = 0;
    EXPECT_TRUE(computeDrawIndicators(state, 5).empty());

    const LotteryState closed;
    EXPECT_TRUE(computeDrawIndicators(closed, 5).empty());
}

} // namespace

// The windows name what their theoretical average is: the sum's beside the mean of every combination.
TEST(TheoryValues, AverageNotesNameTheirDefinition)
{
    EXPECT_EQ(theoryAverageNote(Indicator::Sum, "和值", 35, 5),
              "理论平均和值是已载入各期和值的平均；全部前区组合的平均和值为90.0（无穷和值排除选号中的“理论平均值”）。");
    EXPECT_NE(theoryAverageNote(Indicator::Sum, "和值", 33, 6).find("为102.0"), std::string::npos);
    EXPECT_EQ(theoryAverageNote(Indicator::Span, "跨度", 35, 5), "理论平均跨度是已载入各期跨度的平均。");
    for (const Indicator fixed : {Indicator::Big, Indicator::Odd, Indicator::Repeat})
        EXPECT_EQ(theoryAverageNote(fixed, "x", 35, 5), "");
}

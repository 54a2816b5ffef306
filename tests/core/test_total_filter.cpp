// The total filter's run over the combination table, checked against a step-by-step reference.
#include "analysis/indicators.h"
#include "common/progress.h"
#include "filter/combination_table.h"
#include "filter/total_filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace quorlin;

namespace {

// The conditions as the window describes them, one combination at a time.
bool referenceKeeps(const std::vector<std::int32_t>& stored, const TotalFilterSettings& s, const FilterSpace& space)
{
    std::vector<std::int32_t> x = stored;
    if (!space.mapping.empty())
        for (auto& n : x)
            n = space.mapping[static_cast<std::size_t>(n)];
    std::vector<std::int32_t> latest(space.latestDraw.begin(), space.latestDraw.end());
    auto in = [](const std::optional<FilterRange>& r, int v) { return !r || r->contains(v); };
    auto count = [](const std::vector<std::int32_t>& comb, const std::vector<int>& chosen) {
        return static_cast<int>(std::count_if(comb.begin(), comb.end(), [&](int n) {
            return std::find(chosen.begin(), chosen.end(), n) != chosen.end();
        }));
    };
    return in(s.big, bigcount(x, space.total, BigRule::Filter)) && in(s.odd, oddcount(x)) && in(s.sum, sumvalue(x)) &&
           in(s.span, spanvalue(x)) && in(s.dispersion, dispersion(x, space.total)) &&
           in(s.skew, skewvalue(x, latest)) && in(s.ac, acvalue(x, space.total)) &&
           (!s.bankersOn || s.bankerHits.contains(count(x, s.bankers))) &&
           (!s.frontOn || s.frontHits.contains(count(stored, s.front)));
}

std::vector<std::uint8_t> referenceSurvivors(const CombinationTable& before, const TotalFilterSettings& s,
                                             const FilterSpace& space)
{
    std::vector<std::uint8_t> marks;
    for (std::size_t r = 0; r < before.rows(); ++r) {
        const auto row = before.row(r);
        const std::vector<std::int32_t> comb(row.begin(), row.end());
        marks.push_back(before.mark(r) != 0 || !referenceKeeps(comb, s, space) ? 1 : 0);
    }
    return marks;
}

std::vector<std::uint8_t> marksOf(const CombinationTable& table)
{
    std::vector<std::uint8_t> marks;
    for (std::size_t r = 0; r < table.rows(); ++r)
        marks.push_back(table.mark(r));
    return marks;
}

FilterSpace realSpace()
{
    FilterSpace space;
    space.latestDraw = {3, 9, 17, 25, 33};
    return space;
}

std::optional<FilterRange> randomRange(std::mt19937& rng, int lo, int hi)
{
    // Few conditions at once, so that each one decides the fate of many rows.
    if (rng() % 4 != 0)
        return std::nullopt;
    std::uniform_int_distribution<int> pick(lo, hi);
    int a = pick(rng), b = pick(rng);
    return FilterRange{std::min(a, b), std::max(a, b)};
}

TotalFilterSettings randomSettings(std::mt19937& rng)
{
    TotalFilterSettings s;
    s.big = randomRange(rng, 0, 5);
    s.odd = randomRange(rng, 0, 5);
    s.sum = randomRange(rng, 15, 165);
    s.span = randomRange(rng, 4, 34);
    s.dispersion = randomRange(rng, 4, 30);
    s.skew = randomRange(rng, 0, 30);
    s.ac = randomRange(rng, 4, 10);
    s.bankersOn = rng() % 2 == 0;
    for (int k = 0; k < 3; ++k)
        s.bankers.push_back(static_cast<int>(rng() % 35) + 1);
    s.bankerHits = {static_cast<int>(rng() % 2), 1 + static_cast<int>(rng() % 2)};
    s.frontOn = rng() % 2 == 0;
    for (int n = 1; n <= 35; ++n)
        if (rng() % 3 != 0)
            s.front.push_back(n);
    s.frontHits = {3, 5};
    s.back = {1, 2};
    return s;
}

} // namespace

TEST(TotalFilter, RandomRunsMatchTheReferenceInBothNumberSpaces)
{
    std::mt19937 rng(20261210);
    CombinationTable table;
    table.buildAll(35, 5);
    ASSERT_EQ(table.rows(), 324632u);
    FilterSpace mapped = realSpace();
    mapped.mapping.resize(36);
    for (int n = 1; n <= 35; ++n)
        mapped.mapping[static_cast<std::size_t>(n)] = n;
    std::shuffle(mapped.mapping.begin() + 1, mapped.mapping.end(), rng);

    for (int run = 0; run < 12; ++run) {
        SCOPED_TRACE(run);
        const FilterSpace& space = run % 2 == 0 ? realSpace() : mapped;
        const TotalFilterSettings settings = randomSettings(rng);
        // Every third run narrows the previous result instead of starting afresh.
        if (run % 3 == 0)
            table.buildAll(35, 5);
        const auto expected = referenceSurvivors(table, settings, space);
        const auto left = runTotalFilter(table, settings, space);
        ASSERT_TRUE(left);
        EXPECT_EQ(marksOf(table), expected);
        EXPECT_EQ(*left, static_cast<std::size_t>(std::count(expected.begin(), expected.end(), 0)));
    }
}

TEST(TotalFilter, EachConditionAloneMatchesTheReference)
{
    CombinationTable table;
    const FilterSpace space = realSpace();
    const std::vector<std::pair<std::optional<FilterRange> TotalFilterSettings::*, std::vector<FilterRange>>> cases = {
        {&TotalFilterSettings::big, {{2, 3}, {0, 0}, {5, 5}}},
        {&TotalFilterSettings::odd, {{1, 2}, {5, 5}}},
        {&TotalFilterSettings::sum, {{70, 110}, {15, 15}}},
        {&TotalFilterSettings::span, {{20, 28}, {4, 4}}},
        {&TotalFilterSettings::dispersion, {{4, 5}, {6, 9}, {10, 30}}},
        {&TotalFilterSettings::skew, {{0, 3}, {4, 6}, {7, 30}}},
        {&TotalFilterSettings::ac, {{4, 6}, {7, 8}, {10, 10}}},
    };
    for (const auto& [field, ranges] : cases) {
        for (const FilterRange& range : ranges) {
            SCOPED_TRACE(testing::Message() << range.lo << ".." << range.hi);
            TotalFilterSettings s;
            s.*field = range;
            table.buildAll(35, 5);
            const auto expected = referenceSurvivors(table, s, space);
            runTotalFilter(table, s, space);
            EXPECT_EQ(marksOf(table), expected);
        }
    }
}

TEST(TotalFilter, WorkedCases)
{
    CombinationTable table;
    auto keeps = [&](const TotalFilterSettings& s, std::vector<std::uint8_t> comb) {
        table.assign(35, 5, comb);
        runTotalFilter(table, s, realSpace());
        return table.mark(0) == 0;
    };
    TotalFilterSettings big;
    big.big = FilterRange{5, 5};
    EXPECT_TRUE(keeps(big, {17, 18, 19, 20, 21})) << "17 counts as big in the filter";
    EXPECT_FALSE(keeps(big, {16, 18, 19, 20, 21}));
    TotalFilterSettings ac;
    ac.ac = FilterRange{4, 4};
    EXPECT_TRUE(keeps(ac, {1, 2, 3, 4, 5}));
    ac.ac = FilterRange{10, 10};
    EXPECT_TRUE(keeps(ac, {1, 2, 4, 8, 16}));
    EXPECT_FALSE(keeps(ac, {1, 2, 3, 4, 5}));
}

TEST(TotalFilter, SuccessiveRunsNarrowAndAllFrontsWithFiveHitsKeepEverything)
{
    CombinationTable table;
    table.buildAll(35, 5);
    TotalFilterSettings first;
    first.sum = FilterRange{60, 100};
    TotalFilterSettings second;
    second.sum = FilterRange{80, 120};
    runTotalFilter(table, first, realSpace());
    runTotalFilter(table, second, realSpace());
    int smallest = 1000, largest = 0;
    for (std::size_t r = 0; r < table.rows(); ++r) {
        if (table.mark(r) != 0)
            continue;
        const auto row = table.row(r);
        const int sum = row[0] + row[1] + row[2] + row[3] + row[4];
        smallest = std::min(smallest, sum);
        largest = std::max(largest, sum);
    }
    EXPECT_EQ(smallest, 80);
    EXPECT_EQ(largest, 100);

    table.buildAll(35, 5);
    TotalFilterSettings all;
    all.frontOn = true;
    for (int n = 1; n <= 35; ++n)
        all.front.push_back(n);
    all.frontHits = {5, 5};
    EXPECT_EQ(runTotalFilter(table, all, realSpace()), std::optional<std::size_t>(324632));
}

TEST(TotalFilter, StoppedRunLeavesTheMarksAsTheyWere)
{
    CombinationTable table;
    table.buildAll(35, 5);
    Progress progress;
    progress.cancel();
    TotalFilterSettings s;
    s.sum = FilterRange{15, 15};
    EXPECT_FALSE(runTotalFilter(table, s, realSpace(), &progress));
    EXPECT_EQ(table.unmarked(), 324632u);
}

TEST(TotalFilter, ValidationMessagesInTheWindowsOrder)
{
    struct Case {
        const char* name;
        TotalFilterSettings settings;
        const char* message;
    };
    TotalFilterSettings none;
    none.back = {1, 2};
    TotalFilterSettings reversed = none;
    reversed.sum = FilterRange{100, 60};
    reversed.bankerHits = {2, 1};
    TotalFilterSettings bankers = none;
    bankers.odd = FilterRange{1, 2};
    bankers.bankerHits = {2, 1};
    TotalFilterSettings noFront = none;
    noFront.frontOn = true;
    TotalFilterSettings fourFront = noFront;
    fourFront.front = {1, 2, 3, 4};
    fourFront.back = {};
    TotalFilterSettings noBack = none;
    noBack.odd = FilterRange{1, 2};
    noBack.back = {};
    TotalFilterSettings oneBack = noBack;
    oneBack.back = {7};
    TotalFilterSettings fine = oneBack;
    fine.back = {7, 8};
    const std::vector<Case> cases = {
        {"no condition", none, "请选择过滤条件！"},
        {"lower above upper comes before the banker counts", reversed,
         "请前面组合框中的数值应该小于等于后面组合框中的数值！"},
        {"banker counts reversed", bankers, "胆码前面的中奖个数应该小于等于后面的中奖个数！"},
        {"red balls wanted, none chosen", noFront, "请点击你要选择的前区号！"},
        {"four red balls, before the back check", fourFront, "请至少选择5前区号！"},
        {"no back number", noBack, "请点击你要选择的后区号！"},
        {"one back number", oneBack, "请至少选择2个后区号！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(validateTotalFilter(c.settings, realSpace()), std::optional<std::string>(c.message));
    }
    EXPECT_EQ(validateTotalFilter(fine, realSpace()), std::nullopt);
}

TEST(TotalFilter, BankerTextItems)
{
    EXPECT_EQ(parseBankers(" 1 , 02  3").numbers, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(parseBankers("5\r\n05\n6").numbers, (std::vector<int>{5, 6}));
    const BankerParse joined = parseBankers("1,2");
    EXPECT_FALSE(joined.ok());
    EXPECT_EQ(joined.badItem, "1,2");
    EXPECT_FALSE(parseBankers("1 x").ok());
}

// The total filter's second-page conditions, 容错 and saved schemes, against plain definitions.
#include "analysis/indicators.h"
#include "filter/combination_table.h"
#include "filter/extra_conditions.h"
#include "filter/filter_scheme.h"
#include "filter/total_filter.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

using namespace quorlin;
using C = ExtraCondition;

namespace {

// A fixture history (oldest first): 35 is never drawn, 01 last came 11 draws ago, the latest
// draw is 03 09 17 25 33.
Grid<std::int32_t> fixtureHistory()
{
    const std::vector<std::vector<std::int32_t>> draws = {
        {1, 1, 2, 3, 4, 5},      {2, 6, 7, 8, 10, 12},    {3, 11, 13, 14, 15, 16}, {4, 18, 19, 20, 21, 22},
        {5, 23, 24, 26, 27, 28}, {6, 29, 30, 31, 32, 34}, {7, 2, 4, 6, 8, 10},     {8, 12, 14, 16, 18, 20},
        {9, 22, 24, 26, 28, 30}, {10, 5, 10, 15, 20, 25}, {11, 7, 14, 21, 28, 34}, {12, 3, 9, 17, 25, 33},
    };
    Grid<std::int32_t> his(draws.size(), 8);
    for (std::size_t r = 0; r < draws.size(); ++r)
        for (std::size_t c = 0; c < draws[r].size(); ++c)
            his.at(r, c) = draws[r][c];
    return his;
}

FilterSpace fixtureSpace()
{
    const Grid<std::int32_t> his = fixtureHistory();
    FilterSpace space;
    space.latestDraw = {3, 9, 17, 25, 33};
    space.omission = frontOmissions(his, his.rows(), 5, 35);
    return space;
}

// Each condition as the issue words it, one combination at a time.
int plainValue(C c, const std::vector<int>& x, const FilterSpace& space)
{
    const auto has = [](const std::vector<int>& v, int n) { return std::find(v.begin(), v.end(), n) != v.end(); };
    int n = 0;
    switch (c) {
    case C::Consecutive:
        for (std::size_t i = 0; i + 1 < x.size(); ++i)
            n += x[i + 1] == x[i] + 1;
        return n;
    case C::LongestRun:
        for (std::size_t i = 0; i < x.size(); ++i) {
            std::size_t j = i;
            while (j + 1 < x.size() && x[j + 1] == x[j] + 1)
                ++j;
            n = std::max(n, static_cast<int>(j - i + 1));
        }
        return n;
    case C::Mod3Zero:
    case C::Mod3One:
    case C::Mod3Two:
        return static_cast<int>(std::count_if(
            x.begin(), x.end(), [&](int v) { return v % 3 == static_cast<int>(c) - static_cast<int>(C::Mod3Zero); }));
    case C::Primes:
        return static_cast<int>(std::count_if(x.begin(), x.end(), [&](int v) {
            return has({2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31}, v);
        }));
    case C::Tails: {
        std::vector<int> tails;
        for (const int v : x)
            if (!has(tails, v % 10))
                tails.push_back(v % 10);
        return static_cast<int>(tails.size());
    }
    case C::TailSum:
        for (const int v : x)
            n += v % 10;
        return n;
    case C::Zone1:
        return static_cast<int>(std::count_if(x.begin(), x.end(), [](int v) { return v <= 12; }));
    case C::Zone2:
        return static_cast<int>(std::count_if(x.begin(), x.end(), [](int v) { return v >= 13 && v <= 24; }));
    case C::Zone3:
        return static_cast<int>(std::count_if(x.begin(), x.end(), [](int v) { return v >= 25; }));
    case C::Lowest:
        return x.front();
    case C::Highest:
        return x.back();
    case C::Repeat:
        return static_cast<int>(std::count_if(x.begin(), x.end(), [&](int v) { return has(space.latestDraw, v); }));
    case C::Neighbours:
        return static_cast<int>(std::count_if(x.begin(), x.end(), [&](int v) {
            return !has(space.latestDraw, v) && (has(space.latestDraw, v - 1) || has(space.latestDraw, v + 1));
        }));
    case C::Hot:
    case C::Warm:
    case C::Cold:
        return static_cast<int>(std::count_if(x.begin(), x.end(), [&](int v) {
            const int o = space.omission[static_cast<std::size_t>(v)];
            return c == C::Hot ? o <= 4 : c == C::Warm ? o >= 5 && o <= 9 : o >= 10;
        }));
    }
    return -1;
}

// Every combination with its plain values, worked out once for the fixture space.
struct PlainRow {
    std::vector<int> x;
    int sum = 0;
    int odd = 0;
    std::array<int, kExtraConditionCount> extra{};
};

const std::vector<PlainRow>& plainRows(const FilterSpace& space)
{
    static const std::vector<PlainRow> rows = [&space] {
        std::vector<PlainRow> all;
        std::vector<int> x(5);
        for (x[0] = 1; x[0] <= 31; ++x[0])
            for (x[1] = x[0] + 1; x[1] <= 32; ++x[1])
                for (x[2] = x[1] + 1; x[2] <= 33; ++x[2])
                    for (x[3] = x[2] + 1; x[3] <= 34; ++x[3])
                        for (x[4] = x[3] + 1; x[4] <= 35; ++x[4]) {
                            PlainRow row{x, 0, 0, {}};
                            for (const int v : x) {
                                row.sum += v;
                                row.odd += v % 2;
                            }
                            for (const ExtraConditionInfo& info : extraConditions())
                                row.extra[static_cast<std::size_t>(info.id)] = plainValue(info.id, x, space);
                            all.push_back(std::move(row));
                        }
        return all;
    }();
    return rows;
}

// The combinations failing at most `tolerance` conditions (real numbers, no skew here).
std::size_t plainKept(const TotalFilterSettings& s, const FilterSpace& space)
{
    std::size_t kept = 0;
    for (const PlainRow& row : plainRows(space)) {
        int failed = 0;
        const auto check = [&](const std::optional<FilterRange>& r, int v) { failed += r && !r->contains(v) ? 1 : 0; };
        check(s.sum, row.sum);
        check(s.odd, row.odd);
        if (s.bankersOn) {
            const int hits = static_cast<int>(std::count_if(row.x.begin(), row.x.end(), [&](int v) {
                return std::find(s.bankers.begin(), s.bankers.end(), v) != s.bankers.end();
            }));
            failed += s.bankerHits.contains(hits) ? 0 : 1;
        }
        for (std::size_t k = 0; k < kExtraConditionCount; ++k)
            check(s.extra[k], row.extra[k]);
        kept += failed <= s.tolerance ? 1 : 0;
    }
    return kept;
}

std::size_t run(const TotalFilterSettings& s, const FilterSpace& space)
{
    CombinationTable table;
    table.buildAll(35, 5);
    return runTotalFilter(table, s, space).value_or(0);
}

} // namespace

TEST(FilterConditions, ValuesOfWorkedCombinations)
{
    const FilterSpace space = fixtureSpace();
    // Omissions: 35 never drawn (12 draws), 01 drawn in the first draw (11), the latest draw 0.
    EXPECT_EQ(space.omission[35], 12);
    EXPECT_EQ(space.omission[1], 11);
    EXPECT_EQ(space.omission[3], 0);
    EXPECT_EQ(space.omission[34], 1);
    const ConditionHistory history{space.latestDraw, space.omission};
    const struct {
        std::vector<int> front;
        std::vector<std::pair<C, int>> values;
    } cases[] = {
        {{1, 2, 3, 4, 5},
         {{C::Consecutive, 4},
          {C::LongestRun, 5},
          {C::Mod3Zero, 1},
          {C::Mod3One, 2},
          {C::Mod3Two, 2},
          {C::Primes, 3},
          {C::Tails, 5},
          {C::TailSum, 15},
          {C::Zone1, 5},
          {C::Lowest, 1},
          {C::Highest, 5},
          {C::Repeat, 1},
          {C::Neighbours, 2}}},
        {{1, 11, 21, 31, 35},
         {{C::Consecutive, 0},
          {C::LongestRun, 1},
          {C::Tails, 2},
          {C::TailSum, 9},
          {C::Zone1, 2},
          {C::Zone2, 1},
          {C::Zone3, 2},
          {C::Primes, 2},
          {C::Cold, 2}}},
        {{3, 9, 17, 25, 33}, {{C::Repeat, 5}, {C::Neighbours, 0}, {C::Hot, 5}, {C::Warm, 0}, {C::Cold, 0}}},
        {{8, 10, 16, 18, 34}, {{C::Neighbours, 5}, {C::Hot, 4}, {C::Warm, 1}}},
    };
    for (const auto& c : cases)
        for (const auto& [condition, value] : c.values) {
            EXPECT_EQ(extraConditionValue(condition, c.front, history), value) << extraConditionInfo(condition).name;
            EXPECT_EQ(plainValue(condition, c.front, space), value) << extraConditionInfo(condition).name;
        }
}

TEST(FilterConditions, EachConditionAloneMatchesThePlainDefinition)
{
    const FilterSpace space = fixtureSpace();
    for (const ExtraConditionInfo& info : extraConditions()) {
        SCOPED_TRACE(info.name);
        // The lowest value alone, and a middle range.
        for (const FilterRange range :
             {FilterRange{info.low, info.low}, FilterRange{info.low + 1, (info.low + info.high) / 2}}) {
            TotalFilterSettings s;
            s.extraRange(info.id) = range;
            EXPECT_EQ(run(s, space), plainKept(s, space)) << range.lo << "-" << range.hi;
        }
    }
    // Boundaries the table cannot reach: five numbers of 35 have at least two tails.
    TotalFilterSettings oneTail;
    oneTail.extraRange(C::Tails) = FilterRange{1, 1};
    EXPECT_EQ(run(oneTail, space), 0u);
    TotalFilterSettings allRuns;
    allRuns.extraRange(C::LongestRun) = FilterRange{5, 5};
    EXPECT_EQ(run(allRuns, space), 31u);
}

TEST(FilterConditions, ThreeZonesAreThoseOfTheZoneAnalysisInAnyGame)
{
    // 30 numbers: 1–10, 11–20, 21–30, in the run and for one combination alike.
    FilterSpace space;
    space.total = 30;
    CombinationTable all;
    all.buildAll(30, 5);
    const ConditionHistory history{{}, {}, 30};
    for (const C zone : {C::Zone1, C::Zone2, C::Zone3}) {
        SCOPED_TRACE(extraConditionInfo(zone).name);
        const auto k = static_cast<std::size_t>(zone) - static_cast<std::size_t>(C::Zone1);
        TotalFilterSettings s;
        s.extraRange(zone) = FilterRange{2, 2};
        CombinationTable table = all;
        ASSERT_TRUE(runTotalFilter(table, s, space));
        std::size_t wrong = 0;
        for (std::size_t r = 0; r < table.rows(); ++r) {
            const std::vector<std::int32_t> comb(table.row(r).begin(), table.row(r).end());
            const std::vector<int> front(comb.begin(), comb.end());
            const int count = zonecounts(comb, 30, 3)[k];
            wrong += (table.mark(r) == 0) != (count == 2) ? 1 : 0;
            wrong += extraConditionValue(zone, front, history) != count ? 1 : 0;
        }
        EXPECT_EQ(wrong, 0u);
    }
}

TEST(FilterConditions, ToleranceKeepsWhatFailsAtMostKConditions)
{
    const FilterSpace space = fixtureSpace();
    std::mt19937 rng(21);
    for (int trial = 0; trial < 4; ++trial) {
        SCOPED_TRACE(trial);
        TotalFilterSettings s;
        s.sum = FilterRange{60 + trial * 10, 110};
        s.odd = FilterRange{1, 3};
        s.bankersOn = true;
        s.bankers = {static_cast<int>(rng() % 35) + 1, static_cast<int>(rng() % 35) + 1};
        s.bankerHits = {1, 2};
        for (std::size_t k = 0; k < kExtraConditionCount; ++k)
            if (rng() % 3 == 0) {
                const ExtraConditionInfo& info = extraConditions()[k];
                const int a = info.low + static_cast<int>(rng() % static_cast<unsigned>(info.high - info.low + 1));
                s.extra[k] = FilterRange{a, std::min(info.high, a + 1)};
            }
        for (int k = 0; k <= 2; ++k) {
            s.tolerance = k;
            EXPECT_EQ(run(s, space), plainKept(s, space)) << "tolerance " << k;
        }
        // As many faults allowed as there are conditions: everything stays.
        s.tolerance = s.activeCount();
        EXPECT_EQ(run(s, space), 324632u);
    }
}

TEST(FilterConditions, ValidationAndCounting)
{
    TotalFilterSettings s;
    s.extraRange(C::Hot) = FilterRange{3, 1};
    s.back = {1, 2};
    EXPECT_EQ(validateTotalFilter(s, FilterSpace{}),
              std::optional<std::string>("热号前面的数值应该小于等于后面的数值！"));
    s.extraRange(C::Hot) = FilterRange{1, 3};
    EXPECT_EQ(validateTotalFilter(s, FilterSpace{}), std::nullopt) << "a second-page condition alone is a condition";
    s.tolerance = -1;
    EXPECT_EQ(validateTotalFilter(s, FilterSpace{}), std::optional<std::string>("容错个数不能小于0！"));
    s.sum = FilterRange{70, 110};
    s.bankersOn = true;
    EXPECT_EQ(s.activeCount(), 3);
}

struct SchemeFixture : ::testing::Test {
    test::TempProgramDir dir;
    std::string write(const std::string& text)
    {
        const std::string path = dir.apppath() + "scheme.txt";
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
};

TEST_F(SchemeFixture, SchemesRoundTripAndReadAsWritten)
{
    TotalFilterSettings s;
    s.sum = FilterRange{70, 110};
    s.ac = FilterRange{6, 6};
    s.bankersOn = true;
    s.bankers = {12, 3};
    s.bankerHits = {0, 1};
    s.frontOn = true;
    s.front = {1, 2, 3, 4, 5, 6, 7};
    s.frontHits = {3, 5};
    s.extraRange(C::Consecutive) = FilterRange{1, 1};
    s.extraRange(C::Cold) = FilterRange{0, 2};
    s.tolerance = 1;
    s.back = {3, 1, 2};
    const std::string text = filterSchemeText(s);
    EXPECT_EQ(text, "sum = 70-110\nac = 6-6\nbanker = 03 12\nbanker-hits = 0-1\nfront = 01 02 03 04 05 06 07\n"
                    "front-hits = 3-5\nconsecutive = 1-1\ncold = 0-2\ntolerance = 1\nback = 01 02 03\n");
    EXPECT_EQ(filterSettingsText(s),
              "和值 70-110，AC值 6，胆码 03 12 中 0-1，红球 01 02 03 04 05 06 07 中 3-5，连号对数 1，冷号 0-2，容错 1");
    std::string error;
    const std::string path = dir.apppath() + "written.txt";
    ASSERT_TRUE(writeFilterScheme(s, path, error)) << error;
    const FilterScheme back = readFilterScheme(path, FilterSpace{});
    ASSERT_TRUE(back.ok) << back.error;
    TotalFilterSettings sorted = s;
    sorted.bankers = {3, 12};
    sorted.back = {1, 2, 3};
    EXPECT_EQ(back.settings, sorted);

    // Hand-written: comments, blanks, "A" for A-A, commas, and defaults for the hit ranges.
    const FilterScheme typed = readFilterScheme(
        write("# 我的方案\n\n  sum=80 - 100 \nprimes = 2\nbanker = 5,9\ntolerance = 0\n"), FilterSpace{});
    ASSERT_TRUE(typed.ok) << typed.error;
    EXPECT_EQ(typed.settings.sum, (FilterRange{80, 100}));
    EXPECT_EQ(typed.settings.extraRange(C::Primes), (FilterRange{2, 2}));
    EXPECT_EQ(typed.settings.bankers, (std::vector<int>{5, 9}));
    EXPECT_EQ(typed.settings.bankerHits, (FilterRange{1, 1}));
    EXPECT_EQ(typed.keys, (std::vector<std::string>{"sum", "primes", "banker", "tolerance"}));
}

TEST_F(SchemeFixture, BadSchemesAreRefusedNamingTheLine)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"sum = 70-110\nsums = 1\n", "第 2 行：不认识的条件“sums”"},
        {"sum = 110-70\n", "第 1 行：“sum”的取值“110-70”不是“A-B”或“A”形式的范围（0 ≤ A ≤ B）"},
        {"hot = -1\n", "第 1 行：“hot”的取值“-1”不是“A-B”或“A”形式的范围（0 ≤ A ≤ B）"},
        {"sum = 70\nsum = 80\n", "第 2 行：“sum”出现了两次"},
        {"# x\nsum 70\n", "第 2 行：应为“名称 = 取值”"},
        {"banker = 3 36\n", "第 1 行：“banker”的取值“3 36”不是1-35 中互不相同的号码"},
        {"back = 1 1\n", "第 1 行：“back”的取值“1 1”不是1-12 中互不相同的号码"},
        {"tolerance = x\n", "第 1 行：“tolerance”的取值“x”不是不小于 0 的整数"},
        {"sum = 70\nbanker-hits = 0-1\n", "第 2 行：“banker-hits”要和“banker”一起给"},
        {"sum =\n", "第 1 行：“sum”的取值“”不是“A-B”或“A”形式的范围（0 ≤ A ≤ B）"},
    };
    for (const auto& c : cases) {
        const FilterScheme scheme = readFilterScheme(write(c.text), FilterSpace{});
        EXPECT_FALSE(scheme.ok) << c.text;
        EXPECT_EQ(scheme.error, c.error) << c.text;
    }
    EXPECT_FALSE(readFilterScheme(dir.apppath() + "missing.txt", FilterSpace{}).ok);
}

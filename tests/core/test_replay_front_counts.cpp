// The replay's kept fronts per draw, counted 64 rows a word, against a plain run of the total
// filter over every combination with the draws before each draw.
#include "check/replay_front_counts.h"
#include "filter/combination_table.h"
#include "filter/extra_conditions.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <optional>

using namespace quorlin;

namespace {

struct FrontCountsFixture : ::testing::Test {
    Grid<std::int32_t> his = test::shippedHistory();
    CombinationTable table = [] {
        CombinationTable t;
        t.buildAll(35, 5);
        return t;
    }();

    // The kept fronts of draw `at` by hits, the slow way.
    std::array<std::uint64_t, 9> plainCount(const TotalFilterSettings& s, std::size_t at)
    {
        FilterSpace space;
        for (int k = 1; k <= 5; ++k)
            space.latestDraw.push_back(his.at(at - 1, static_cast<std::size_t>(k)));
        space.omission = frontOmissions(his, at, 5, 35);
        std::fill(table.markData(), table.markData() + table.rows(), 0);
        runTotalFilter(table, s, space);
        std::uint64_t drawn = 0;
        for (int k = 1; k <= 5; ++k)
            drawn |= std::uint64_t{1} << his.at(at, static_cast<std::size_t>(k));
        std::array<std::uint64_t, 9> byHits{};
        for (std::size_t r = 0; r < table.rows(); ++r)
            if (table.mark(r) == 0)
                ++byHits[static_cast<std::size_t>(std::popcount(table.mask(r) & drawn))];
        return byHits;
    }
};

struct DependentCase {
    const char* name;
    std::optional<FilterRange> skew;
    std::optional<ExtraCondition> condition;
    FilterRange range;
};

} // namespace

TEST_F(FrontCountsFixture, EveryDrawDependentConditionCountsAsThePlainFilterWithAndWithoutTolerance)
{
    using C = ExtraCondition;
    // Ranges that keep and drop rows of every kind: the upper and the lower bound of a count, a
    // count of none or of at least one (the or'ed form), a single value, and ranges the whole game
    // passes or that no row meets.
    const std::vector<DependentCase> cases{
        {"偏度 0-3", FilterRange{0, 3}, {}, {}},   {"偏度 2-6", FilterRange{2, 6}, {}, {}},
        {"偏度 0-34", FilterRange{0, 34}, {}, {}}, {"重号 0-1", {}, C::Repeat, {0, 1}},
        {"重号 1-2", {}, C::Repeat, {1, 2}},       {"重号 0-0", {}, C::Repeat, {0, 0}},
        {"邻号 1-5", {}, C::Neighbours, {1, 5}},   {"邻号 2-2", {}, C::Neighbours, {2, 2}},
        {"热号 0-4", {}, C::Hot, {0, 4}},          {"热号 2-3", {}, C::Hot, {2, 3}},
        {"温号 1-3", {}, C::Warm, {1, 3}},         {"冷号 0-1", {}, C::Cold, {0, 1}},
        {"冷号 0-5", {}, C::Cold, {0, 5}},         {"冷号 6-7", {}, C::Cold, {6, 7}},
    };
    const std::vector<std::size_t> draws{his.rows() - 3, his.rows() - 2, his.rows() - 1, 400};
    for (const DependentCase& c : cases) {
        for (const int tolerance : {0, 1}) {
            // Two conditions free of the draw, so the tolerance is spent on either kind.
            TotalFilterSettings s;
            s.sum = FilterRange{70, 110};
            s.odd = FilterRange{2, 3};
            s.skew = c.skew;
            if (c.condition)
                s.extraRange(*c.condition) = c.range;
            s.tolerance = tolerance;
            ReplayFrontCounts counts(s, 35, 5);
            // The newest draws in order, then one far back (its omissions counted afresh).
            for (const std::size_t at : draws)
                EXPECT_EQ(counts.count(his, at), plainCount(s, at))
                    << c.name << " 容错 " << tolerance << " draw row " << at;
        }
    }
}

TEST_F(FrontCountsFixture, ConditionsTogetherSpendOneToleranceBetweenThem)
{
    TotalFilterSettings s;
    s.ac = FilterRange{6, 10};
    s.skew = FilterRange{1, 5};
    s.extraRange(ExtraCondition::Repeat) = FilterRange{0, 1};
    s.extraRange(ExtraCondition::Neighbours) = FilterRange{0, 1};
    s.extraRange(ExtraCondition::Hot) = FilterRange{1, 3};
    s.extraRange(ExtraCondition::Warm) = FilterRange{1, 2};
    s.extraRange(ExtraCondition::Cold) = FilterRange{1, 2};
    for (const int tolerance : {0, 1, 2, 3, 9}) {
        s.tolerance = tolerance;
        ReplayFrontCounts counts(s, 35, 5);
        for (std::size_t at = his.rows() - 2; at < his.rows(); ++at)
            EXPECT_EQ(counts.count(his, at), plainCount(s, at)) << "容错 " << tolerance << " draw row " << at;
    }
}

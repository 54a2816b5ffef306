// The exclusion windows' core: the random relabelling, the run loop, the four tests, the list they
// load, and what they refuse.
#include "common/progress.h"
#include "common/random_source.h"
#include "exclusion_reference.h"
#include "filter/bias_exclusion.h"
#include "filter/exclusion_list_reader.h"
#include "filter/exclusion_set.h"
#include "filter/follow_exclusion.h"
#include "filter/repeat_exclusion.h"
#include "filter/sum_exclusion.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <bit>
#include <fstream>

using namespace quorlin;
using test::madeUpHistory;
using test::plainRelabel;

namespace {

std::uint64_t maskOf(const std::vector<int>& numbers)
{
    std::uint64_t m = 0;
    for (const int n : numbers)
        m |= std::uint64_t{1} << n;
    return m;
}

// Every combination of five out of 35, in lexicographic order.
template <class Visit> void everyCombination(Visit&& visit)
{
    CombinationTable all;
    all.buildAll(35, 5);
    for (std::size_t r = 0; r < all.rows(); ++r)
        visit(all.row(r), all.mask(r));
}

// Replays what a member drew: the stage (when it draws one) and the permutation.
struct Drawn {
    int stage = 0;
    std::vector<int> perm;
};
Drawn replay(std::uint32_t seed, int cur, bool stage = true)
{
    SeededRandomSource rng(seed);
    Drawn d;
    if (stage)
        d.stage = rng.random(cur) + 1;
    d.perm = drawPermutation(rng, 35);
    return d;
}

// The relabelled draw at t, as a set of relabelled numbers.
std::uint64_t relabelledDraw(const DrawHistory& h, const Drawn& d, RankOrder order, int t)
{
    const std::vector<int> relabel = plainRelabel(h, d.perm, d.stage, order, t);
    std::uint64_t m = 0;
    for (int j = 0; j < 5; ++j)
        m |= std::uint64_t{1} << relabel[h.draw(t)[j]];
    return m;
}

} // namespace

TEST(RandTransform, MatchesThePlainRankingAtEveryPositionInEveryOrder)
{
    SeededRandomSource rng(3);
    for (const DrawHistory& h : {madeUpHistory(90, 7), madeUpHistory(90, 8)})
        for (const RankOrder order : {RankOrder::GapAscending, RankOrder::CountAscending, RankOrder::GapDescending}) {
            for (const int stage : {0, 1, 7, 89}) {
                const std::vector<int> perm = drawPermutation(rng, 35);
                const RandTransform t(h, perm, stage, order);
                const RandTransform::Relabelled r = t.relabelled(20, 90);
                for (int p = 20; p <= 90; ++p) {
                    const std::vector<int> plain = plainRelabel(h, perm, stage, order, p);
                    if (p == 90) {
                        for (int n = 1; n <= 35; ++n)
                            ASSERT_EQ(r.relabelTo[static_cast<std::size_t>(n)], plain[static_cast<std::size_t>(n)])
                                << stage;
                        continue;
                    }
                    std::vector<std::uint8_t> want;
                    for (int j = 0; j < 5; ++j)
                        want.push_back(static_cast<std::uint8_t>(plain[h.draw(p)[j]]));
                    std::sort(want.begin(), want.end());
                    ASSERT_TRUE(std::equal(want.begin(), want.end(), r.draws.begin() + (p - 20) * 5))
                        << p << " " << stage;
                }
            }
        }
}

TEST(RandTransform, PermutationRedrawsTakenNumbers)
{
    struct Scripted final : RandomSource {
        std::vector<int> values{2, 2, 0, 2, 1, 0};
        std::size_t at = 0;
        void reseed() override {}
        int random(int) override { return values[at++]; }
    } rng;
    EXPECT_EQ(drawPermutation(rng, 3), (std::vector<int>{0, 3, 1, 2}));
    EXPECT_EQ(rng.at, 5u);
}

// The run loop, on the sum test with the real history's shape: 200 made-up draws.
struct RunFixture : ::testing::Test {
    DrawHistory h = madeUpHistory(200, 11);
    SumExclusion sum{h, {200, 149, 44}};
};

TEST_F(RunFixture, CountModeEndsAtExactlyTheTargetInLexicographicOrder)
{
    ExclusionSet set(35, 5);
    SeededRandomSource rng(5);
    const ExclusionRunResult r = set.run(sum, {true, 10000, 0, 0}, ExclusionSet::AfterRun::StartOver, rng);
    EXPECT_EQ(r.end, RunEnd::Completed);
    EXPECT_EQ(r.kept, 10000u);
    ASSERT_EQ(set.table().rows(), 10000u);
    for (std::size_t i = 1; i < set.table().rows(); ++i) {
        const auto a = set.table().row(i - 1), b = set.table().row(i);
        ASSERT_TRUE(std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end()));
    }
    EXPECT_TRUE(set.fresh()); // the sum window's next run starts from every combination again
    EXPECT_EQ(set.bets().size(), 10000u);
}

TEST_F(RunFixture, IterationModeDoesTheCountedIterationsAndTheSameSeedRepeatsTheRun)
{
    for (const long n : {1L, 3L}) {
        ExclusionSet a(35, 5), b(35, 5);
        SeededRandomSource ra(9), rb(9);
        const auto ea = a.run(sum, {false, 0, n, 0}, ExclusionSet::AfterRun::Narrow, ra);
        const auto eb = b.run(sum, {false, 0, n, 0}, ExclusionSet::AfterRun::Narrow, rb);
        EXPECT_EQ(ea.iterations, n);
        EXPECT_GT(324632u, ea.kept);
        EXPECT_EQ(ea.kept, eb.kept);
        EXPECT_EQ(a.stage(), ea.stage);
        EXPECT_FALSE(a.fresh()); // repeat and bias windows narrow the same set
    }
    // One iteration takes one stage and one permutation, nothing more.
    SeededRandomSource used(9), fresh(9);
    ExclusionSet c(35, 5);
    c.run(sum, {false, 0, 1, 0}, ExclusionSet::AfterRun::Narrow, used);
    fresh.random(200);
    drawPermutation(fresh, 35);
    EXPECT_EQ(used.random(1000000), fresh.random(1000000));
}

TEST_F(RunFixture, AStopLeavesTheMarksAndKeepsTheTableUncompacted)
{
    ExclusionSet set(35, 5);
    SeededRandomSource rng(2);
    Progress progress;
    progress.cancel();
    const auto r = set.run(sum, {true, 10000, 0, 0}, ExclusionSet::AfterRun::Narrow, rng, &progress);
    EXPECT_EQ(r.end, RunEnd::Stopped);
    EXPECT_TRUE(set.fresh());
    EXPECT_EQ(set.table().rows(), 324632u);
}

TEST_F(RunFixture, ACountModeRunThatCanExcludeNothingGivesUpAtTheLimit)
{
    SumExclusion never(h, {200, 999, -1});
    ExclusionSet set(35, 5);
    SeededRandomSource rng(1);
    const auto r = set.run(never, {true, 10, 0, 25}, ExclusionSet::AfterRun::Narrow, rng);
    EXPECT_EQ(r.end, RunEnd::IterationLimit);
    EXPECT_EQ(r.iterations, 25);
    EXPECT_TRUE(set.fresh());
}

TEST_F(RunFixture, ALoadedSetIsNarrowedByEveryRunAndAClearStartsOver)
{
    ExclusionSet set(35, 5);
    set.load({1, 2, 3, 4, 5, 31, 32, 33, 34, 35, 10, 12, 14, 16, 18});
    EXPECT_FALSE(set.fresh());
    SumExclusion all(h, {200, 15, -1});
    SeededRandomSource rng(1);
    const auto r = set.run(all, {true, 1, 0, 0}, ExclusionSet::AfterRun::StartOver, rng);
    EXPECT_EQ(r.kept, 1u);
    EXPECT_EQ(set.bets().bet(0), "10 12 14 16 18"); // table order: the first two went first
    EXPECT_FALSE(set.fresh());
    set.clear();
    EXPECT_TRUE(set.fresh());
}

TEST(SumExclusion, DefaultsExcludeExactlyRelabelledSumsOutside45To148)
{
    const DrawHistory h = madeUpHistory(150, 4);
    EXPECT_EQ(SumExclusion::defaultHigh(35, 5), 149);
    EXPECT_EQ(SumExclusion::defaultLow(35, 5), 44);
    SumExclusion member(h, {150, 149, 44});
    SeededRandomSource rng(21);
    member.prepare(rng);
    const Drawn d = replay(21, 150);
    EXPECT_EQ(member.stage(), d.stage);
    const std::vector<int> relabel = plainRelabel(h, d.perm, d.stage, RankOrder::GapAscending, 150);
    std::size_t excluded = 0;
    everyCombination([&](std::span<const std::uint8_t> row, std::uint64_t mask) {
        int s = 0;
        for (const auto n : row)
            s += relabel[n];
        const bool want = s >= 149 || s <= 44;
        excluded += want;
        ASSERT_EQ(member.excludes(mask, row.data()), want) << s;
    });
    EXPECT_GT(excluded, 0u);
}

TEST(RepeatExclusion, ExcludesExactlyTheRelabelledDrawsOrSharedNumbers)
{
    const DrawHistory h = madeUpHistory(120, 8);
    for (const int threshold : {5, 1}) {
        RepeatExclusion member(h, {100, 10, threshold});
        SeededRandomSource rng(31);
        member.prepare(rng);
        const Drawn d = replay(31, 100);
        const std::vector<int> relabel = plainRelabel(h, d.perm, d.stage, RankOrder::CountAscending, 100);
        std::vector<std::uint64_t> recent;
        for (int t = 90; t < 100; ++t)
            recent.push_back(relabelledDraw(h, d, RankOrder::CountAscending, t));
        everyCombination([&](std::span<const std::uint8_t> row, std::uint64_t mask) {
            std::uint64_t relabelled = 0;
            for (const auto n : row)
                relabelled |= std::uint64_t{1} << relabel[n];
            bool want = false;
            for (const std::uint64_t r : recent)
                want = want || (threshold == 5 ? relabelled == r : (relabelled & r) != 0);
            ASSERT_EQ(member.excludes(mask, row.data()), want);
        });
    }
}

TEST(RepeatExclusion, RepeatCountsOfTheHistory)
{
    const std::vector<std::uint8_t> draws{1, 2, 3, 4, 5, 1, 2, 6, 7, 8, 9, 10, 11, 12, 13, 1, 2, 3, 12, 13};
    const auto counts = repeatCounts(draws, 5, 2);
    ASSERT_EQ(counts.size(), 4u);
    EXPECT_FALSE(counts[0] || counts[1]);
    EXPECT_EQ(counts[2], 0);
    EXPECT_EQ(counts[3], 2); // against draw 1 ({1, 2}) and draw 2 ({12, 13}); draw 0 lies beyond Q
}

TEST(BiasExclusion, TriggersAndRangesFollowTheLastRelabelledDraws)
{
    const DrawHistory h = madeUpHistory(60, 2);
    int high = 0, low = 0;
    for (const bool odd : {false, true}) {
        for (std::uint32_t seed = 1; seed <= 60; ++seed) {
            BiasExclusion::Settings s = BiasExclusion::defaults(5);
            s.cur = 60;
            s.oddMode = odd;
            BiasExclusion member(h, s);
            SeededRandomSource rng(seed);
            const bool active = member.prepare(rng);
            const Drawn d = replay(seed, 60);
            auto counted = [&](int n) { return odd ? n % 2 == 1 : n >= 17; };
            auto property = [&](int t) {
                return std::popcount(relabelledDraw(h, d, RankOrder::CountAscending, t) & [&] {
                    std::uint64_t m = 0;
                    for (int n = 1; n <= 35; ++n)
                        if (counted(n))
                            m |= std::uint64_t{1} << n;
                    return m;
                }());
            };
            const bool wantHigh = property(58) >= 4 && property(59) >= 4;
            const bool wantLow = property(58) <= 1 && property(59) <= 1;
            ASSERT_EQ(member.highTriggered(), wantHigh);
            ASSERT_EQ(member.lowTriggered(), wantLow);
            ASSERT_EQ(active, wantHigh || wantLow);
            high += wantHigh;
            low += wantLow;
            if (!active)
                continue;
            const std::vector<int> relabel = plainRelabel(h, d.perm, d.stage, RankOrder::CountAscending, 60);
            everyCombination([&](std::span<const std::uint8_t> row, std::uint64_t mask) {
                int c = 0;
                for (const auto n : row)
                    c += counted(relabel[n]);
                ASSERT_EQ(member.excludes(mask, row.data()), (wantHigh && c == 5) || (wantLow && c == 0));
            });
        }
    }
    EXPECT_GT(high, 0);
    EXPECT_GT(low, 0);
}

TEST(BiasExclusion, WithBothBoxesClearedNothingGoes)
{
    const DrawHistory h = madeUpHistory(60, 2);
    BiasExclusion::Settings s = BiasExclusion::defaults(5);
    s.cur = 60;
    s.highOn = s.lowOn = false;
    BiasExclusion member(h, s);
    SeededRandomSource rng(1);
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(member.prepare(rng));
}

// A hand-made history; the draw before the current position is 01 02 03 20 21.
struct FollowFixture : ::testing::Test {
    DrawHistory h;
    FollowFixture()
    {
        h.fronts = {1, 2, 3, 4, 5, 6, 7, 8, 9, 20, 1, 2, 11, 12, 13, 14, 15, 16, 17, 18, 1, 2, 3, 20, 21};
        h.issues = {1, 2, 3, 4, 5};
    }
    // The follow number, read off the member's test: the largest `high` that excludes.
    int follow(int group, const std::vector<int>& candidate)
    {
        for (int high = 5; high >= 0; --high) {
            FollowExclusion::Settings s;
            s.cur = 5;
            s.transformed = false;
            s.group = group;
            s.high = high;
            s.low = -1;
            FollowExclusion member(h, s);
            SeededRandomSource rng(1);
            member.prepare(rng);
            const std::vector<std::uint8_t> numbers(candidate.begin(), candidate.end());
            if (member.excludes(maskOf(candidate), numbers.data()))
                return high;
        }
        return -1;
    }
};

TEST_F(FollowFixture, FollowNumberInTheRealHistoryForSinglesPairsAndTriples)
{
    // Singles: 01 and 02 were last seen in draw 2 (followed by 14..18), 03 in draw 0 (followed by
    // 06 07 08 09 20), 20 in draw 1 (followed by 01 02 11 12 13). Pairs: 01 02 → draw 3, 01 03 and
    // 02 03 → draw 1. Triples: 01 02 03 → draw 1.
    struct Case {
        std::vector<int> candidate;
        int singles, pairs, triples;
    };
    const std::vector<Case> cases{
        {{14, 15, 16, 17, 18}, 5, 5, 0},
        {{6, 7, 8, 14, 15}, 3, 3, 3},
        {{11, 12, 13, 30, 31}, 3, 0, 0},
        {{30, 31, 32, 33, 34}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(follow(1, c.candidate), c.singles);
        EXPECT_EQ(follow(2, c.candidate), c.pairs);
        EXPECT_EQ(follow(3, c.candidate), c.triples);
    }
    std::vector<std::uint8_t> draws = h.fronts;
    draws.insert(draws.end(), {14, 15, 16, 17, 18});
    EXPECT_EQ(followNumbers(draws, 5, 1), (std::vector<int>{0, 0, 0, 0, 0, 5}));
    EXPECT_EQ(followNumbers(draws, 5, 3), (std::vector<int>{0, 0, 0, 0, 0, 0}));
}

TEST_F(FollowFixture, RotationModeMovesEveryNumberOnByOneCodePerDraw)
{
    const DrawHistory real = madeUpHistory(40, 5);
    FollowExclusion::Settings s;
    s.cur = 40;
    s.rotation = true;
    FollowExclusion member(real, s);
    SeededRandomSource rng(6);
    const RandTransform::Relabelled r = member.history(rng, 40);
    std::vector<int> base(36, -1);
    auto check = [&](int n, int t, int code) {
        const int b = ((code - 1 - t) % 35 + 35) % 35;
        if (base[static_cast<std::size_t>(n)] < 0)
            base[static_cast<std::size_t>(n)] = b;
        ASSERT_EQ(base[static_cast<std::size_t>(n)], b) << n << " " << t;
    };
    for (int t = 0; t < 40; ++t)
        for (int j = 0; j < 5; ++j)
            check(real.draw(t)[j], t, r.draws[static_cast<std::size_t>(t * 5 + j)]);
    for (int n = 1; n <= 35; ++n)
        check(n, 40, r.relabelTo[static_cast<std::size_t>(n)]);
}

TEST(ExclusionChecks, RefuseWhatCannotBeComputed)
{
    EXPECT_TRUE(RepeatExclusion::check({0, 1, 5}));
    EXPECT_TRUE(RepeatExclusion::check({9, 10, 5}));
    EXPECT_FALSE(RepeatExclusion::check({10, 10, 5}));
    BiasExclusion::Settings b = BiasExclusion::defaults(5);
    b.cur = 1;
    EXPECT_TRUE(BiasExclusion::check(b));
    b.cur = 2;
    EXPECT_FALSE(BiasExclusion::check(b));
    FollowExclusion::Settings f;
    f.cur = 1;
    EXPECT_TRUE(FollowExclusion::check(f));
    f.cur = 2;
    EXPECT_FALSE(FollowExclusion::check(f));
    for (const int group : {0, 4}) {
        f.group = group;
        EXPECT_EQ(FollowExclusion::check(f).value_or(""), "对比号码数只能是 1、2 或 3！");
    }
    EXPECT_TRUE(checkCurrentPosition(0));
}

struct ListFixture : ::testing::Test {
    test::TempProgramDir dir;
    std::string write(const std::string& text)
    {
        const std::string path = dir.apppath() + "list.txt";
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
};

TEST_F(ListFixture, RepeatsOfTheLast100EntriesAddNothing)
{
    std::string text = "01 02 03 04 05+01 02\r\n01 02 03 04 05+01 03\r\n";
    int others = 0; // 100 other entries: the first falls out of reach
    for (int a = 10; a < 34 && others < 100; ++a)
        for (int b = a + 1; b <= 34 && others < 100; ++b, ++others)
            text += "06 07 08 " + std::to_string(a) + " " + std::to_string(b) + "\r\n";
    text += "01 02 03 04 05\r\n";
    const LoadedExclusionList list = readExclusionList(write(text), TicketShape{});
    ASSERT_TRUE(list.ok) << list.error;
    EXPECT_EQ(list.fronts.size(), 102u * 5u);
}

TEST_F(ListFixture, BadListsAreRefusedNamingTheLine)
{
    EXPECT_EQ(readExclusionList(write("01 02 03 04 05\r\n01 02 03 04 36\r\n"), TicketShape{}).error,
              "第 2 行：前区号码“36”不在 01-35 之内。文件未载入。");
    EXPECT_FALSE(
        readExclusionList(write("01 02 03 04 05\r\n01 02 03 04 06\r\n01 02 03 04 07\r\n"), TicketShape{}, 2).ok);
    EXPECT_TRUE(readExclusionList(write("01 02 03 04 05\r\n01 02 03 04 06\r\n"), TicketShape{}, 2).ok);
}

TEST(RepeatExclusion, LookingUpTheDrawsExcludesWhatVisitingEveryRowWould)
{
    // The same member, with the lookup switched off.
    struct Visiting final : ExclusionMember {
        RepeatExclusion& inner;
        explicit Visiting(RepeatExclusion& m) : inner(m) {}
        bool prepare(RandomSource& rng) override { return inner.prepare(rng); }
        bool excludes(std::uint64_t mask, const std::uint8_t* n) const override { return inner.excludes(mask, n); }
    };
    const DrawHistory h = madeUpHistory(80, 3);
    RepeatExclusion a(h, {80, 10, 5}), b(h, {80, 10, 5});
    ASSERT_NE(a.onlyThese(), nullptr);
    Visiting visiting(b);
    ExclusionSet looked(35, 5), visited(35, 5);
    SeededRandomSource ra(4), rb(4);
    looked.run(a, {true, 324632 - 25, 0, 0}, ExclusionSet::AfterRun::Narrow, ra);
    visited.run(visiting, {true, 324632 - 25, 0, 0}, ExclusionSet::AfterRun::Narrow, rb);
    ASSERT_EQ(looked.table().rows(), 324632u - 25u);
    EXPECT_TRUE(std::equal(looked.table().numberData(), looked.table().numberData() + 5 * looked.table().rows(),
                           visited.table().numberData()));
}

TEST(FollowExclusion, RankModeTestsAgainstTheWholeRelabelledHistory)
{
    const DrawHistory h = madeUpHistory(400, 9);
    for (const int group : {1, 2, 3}) {
        FollowExclusion::Settings s;
        s.cur = 400;
        s.group = group;
        s.high = 3;
        s.low = 1;
        s.randomStage = group == 2;
        FollowExclusion member(h, s), whole(h, s);
        SeededRandomSource a(group), b(group);
        member.prepare(a);
        const RandTransform::Relabelled r = whole.history(b, 400);
        std::vector<std::uint64_t> masks;
        for (std::size_t d = 0; d < 400; ++d) {
            std::uint64_t m = 0;
            for (std::size_t j = 0; j < 5; ++j)
                m |= std::uint64_t{1} << r.draws[d * 5 + j];
            masks.push_back(m);
        }
        const auto followers = followerDraws([&](int j) { return masks[static_cast<std::size_t>(j)]; },
                                             r.draws.data() + 399 * 5, 5, 400, group);
        everyCombination([&](std::span<const std::uint8_t> row, std::uint64_t mask) {
            std::uint64_t relabelled = 0;
            for (const auto n : row)
                relabelled |= std::uint64_t{1} << r.relabelTo[n];
            int follow = 0;
            for (const std::uint64_t f : followers)
                follow = std::max(follow, std::popcount(relabelled & f));
            ASSERT_EQ(member.excludes(mask, row.data()), follow >= 3 || follow <= 1) << group;
        });
    }
}

// Made wheels: the guarantee and its refusals, the verifier against every possible draw, holes
// and repair, and the search.
#include "test_support.h"
#include "wheel/wheel_bets.h"
#include "wheel/wheel_file.h"
#include "wheel/wheel_guarantee.h"
#include "wheel/wheel_maker.h"
#include "wheel/wheel_names.h"
#include "wheel/wheel_repair.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <random>

using namespace quorlin;

namespace {

/// Every draw of 5 front numbers out of 1..35: when it holds every banker and at least M other pool
/// numbers, some bet must hold the bankers and T of the drawn pool numbers.
bool holdsForEveryDraw(const WheelGuarantee& g, const std::vector<WheelBet>& bets)
{
    std::vector<int> draw = {1, 2, 3, 4, 5};
    const std::vector<int> free = g.freeNumbers();
    const auto in = [](const std::vector<int>& set, int n) {
        return std::find(set.begin(), set.end(), n) != set.end();
    };
    for (;;) {
        int bankers = 0, inPool = 0;
        for (const int n : draw) {
            bankers += in(g.bankers, n);
            inPool += in(free, n);
        }
        if (bankers == static_cast<int>(g.bankers.size()) && inPool >= g.ok) {
            bool covered = false;
            for (const WheelBet& bet : bets) {
                int common = 0;
                bool allBankers = true;
                for (const int b : g.bankers)
                    allBankers = allBankers && in(bet, b);
                for (const int n : draw)
                    common += in(free, n) && in(bet, n);
                covered = covered || (allBankers && common >= g.hit);
            }
            if (!covered)
                return false;
        }
        int i = 4;
        while (i >= 0 && draw[static_cast<std::size_t>(i)] == 31 + i)
            --i;
        if (i < 0)
            return true;
        ++draw[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < 5; ++j)
            draw[static_cast<std::size_t>(j)] = draw[static_cast<std::size_t>(j - 1)] + 1;
    }
}

std::vector<WheelBet> randomBets(const WheelGuarantee& g, int count, std::mt19937& rng)
{
    std::vector<WheelBet> bets;
    std::vector<int> free = g.freeNumbers();
    for (int i = 0; i < count; ++i) {
        std::shuffle(free.begin(), free.end(), rng);
        WheelBet bet = g.bankers;
        bet.insert(bet.end(), free.begin(), free.begin() + g.freeWidth());
        std::sort(bet.begin(), bet.end());
        bets.push_back(bet);
    }
    return bets;
}

} // namespace

TEST(WheelGuarantee, RefusesEachBadDefinitionNamingIt)
{
    const struct {
        WheelGuarantee g;
        const char* message;
    } cases[] = {
        {{{1, 2, 3, 4}, {}, 3, 3}, "至少要有5个"},
        {{{1, 2, 3, 4, 4, 6}, {}, 3, 3}, "4 重复"},
        {{{1, 2, 3, 4, 36}, {}, 3, 3}, "36 不在1到35"},
        {{{1, 2, 3, 4, 5, 6}, {7}, 3, 3}, "胆码 07 不在号码池"},
        {{{1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4}, 1, 1}, "胆码最多3个"},
        {{{1, 2, 3, 4, 5, 6}, {1, 2}, 4, 3}, "M 应为1到3"},
        {{{1, 2, 3, 4, 5, 6}, {}, 6, 3}, "M 应为1到5"},
        {{{1, 2, 3, 4, 5, 6}, {}, 3, 4}, "T 应为1到3"},
        {{{1, 2, 3, 4, 5, 6}, {}, 3, 0}, "T 应为1到3"},
    };
    for (const auto& c : cases)
        EXPECT_NE(wheelGuaranteeProblem(c.g).find(c.message), std::string::npos) << c.message;
    EXPECT_EQ(wheelGuaranteeProblem({{1, 2, 3, 4, 5, 35}, {35}, 4, 2}), "");
    EXPECT_EQ(wheelGuaranteeLabel({{1, 3, 5, 7, 12, 20}, {3, 12}, 3, 2}), "胆码 03 12\t中3保2");
}

TEST(WheelGuarantee, TypedPoolReadsBankersBeforeTheMarkAndWritesBackTheSame)
{
    WheelGuarantee g;
    ASSERT_EQ(readWheelPool(" 12,3 # 7 5  1,20 ", g), "");
    EXPECT_EQ(g.pool, (std::vector<int>{1, 3, 5, 7, 12, 20}));
    EXPECT_EQ(g.bankers, (std::vector<int>{3, 12}));
    EXPECT_EQ(wheelPoolText(g), "03 12#01 05 07 20");
    ASSERT_EQ(readWheelPool(wheelPoolText(g), g), "");
    EXPECT_EQ(g.bankers, (std::vector<int>{3, 12}));
    ASSERT_EQ(readWheelPool("9 8 7", g), "");
    EXPECT_TRUE(g.bankers.empty());
    EXPECT_EQ(wheelPoolText(g), "07 08 09");
    const struct {
        const char* text;
        const char* message;
    } refused[] = {
        {"01 02 x3", "号码池 中的 \"x3\" 不是号码"},
        {"1a#02 03", "胆码 中的 \"1a\" 不是号码"},
        {"001 02", "\"001\""},
        {"01#02#03", "只能有一个 #"},
    };
    for (const auto& c : refused) {
        g = {{1, 2, 3, 4, 5}, {1}, 3, 3};
        EXPECT_NE(readWheelPool(c.text, g).find(c.message), std::string::npos) << c.text;
        EXPECT_EQ(g.bankers, std::vector<int>{1}) << "a refused text changes nothing";
    }
    // A banker typed among the others as well is the pool's repeat.
    ASSERT_EQ(readWheelPool("03#03 04 05 06 07", g), "");
    EXPECT_NE(wheelGuaranteeProblem(g).find("03 重复"), std::string::npos);
}

TEST(WheelGuarantee, RanksEveryMSetOnceAndBack)
{
    const MSetIndex index(9, 4, 2);
    std::vector<int> seen(index.count(), 0);
    MSetIndex::forEachChoice(index.full(), 4, [&](std::uint64_t mask) {
        const std::uint64_t r = index.rank(mask);
        ASSERT_LT(r, index.count());
        ++seen[r];
        EXPECT_EQ(index.maskOf(r), mask);
    });
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), 126);
}

TEST(WheelGuarantee, VerifierAgreesWithEveryDrawOnRandomWheels)
{
    const WheelGuarantee guarantees[] = {
        {{2, 5, 9, 14, 20, 33}, {}, 4, 4},
        {{1, 2, 3, 4, 5, 6, 7}, {}, 3, 3},
        {{3, 6, 9, 12, 15, 18, 21}, {}, 5, 4},
        {{1, 4, 8, 10, 11, 29, 35}, {}, 5, 3},
        {{1, 2, 3, 4, 5, 6, 7, 8}, {3}, 4, 3},
        {{7, 8, 9, 10, 11, 12, 13}, {8, 13}, 3, 2},
        {{1, 2, 30, 31, 32, 33, 34, 35}, {1, 2, 35}, 2, 2},
        {{5, 6, 7, 8, 9, 10}, {}, 2, 1},
    };
    std::mt19937 rng(7);
    int holding = 0, failing = 0;
    for (const WheelGuarantee& g : guarantees) {
        ASSERT_EQ(wheelGuaranteeProblem(g), "");
        for (int count = 1; count <= 8; ++count) {
            const std::vector<WheelBet> bets = randomBets(g, count, rng);
            const bool holds = holdsForEveryDraw(g, bets);
            EXPECT_EQ(verifyWheel(g, bets), holds) << wheelGuaranteeLabel(g) << " with " << count << " bets";
            (holds ? holding : failing) += 1;
        }
    }
    // Both verdicts are exercised.
    EXPECT_GT(holding, 5);
    EXPECT_GT(failing, 5);
}

TEST(WheelGuarantee, RefusesBetsThatAreNotOfThePool)
{
    const WheelGuarantee g{{1, 2, 3, 4, 5, 6, 7}, {2}, 3, 3};
    std::vector<std::uint64_t> masks;
    EXPECT_EQ(wheelBetMasks(g, {{1, 2, 3, 4, 5}, {2, 3, 4, 5, 8}}, masks), "第2注的号码 08 不在号码池中");
    EXPECT_EQ(wheelBetMasks(g, {{1, 3, 4, 5, 6}}, masks), "第1注没有包含全部胆码");
    EXPECT_EQ(wheelBetMasks(g, {{1, 2, 3, 4}}, masks), "第1注不是5个号码");
    EXPECT_EQ(wheelBetMasks(g, {{1, 2, 3, 3, 4}}, masks), "第1注的号码 03 重复");
    EXPECT_FALSE(verifyWheel(g, {{1, 2, 3, 4, 5}, {2, 3, 4, 5, 8}}));
}

namespace {

/// A shipped wheel (选五型, no bankers) as bets of the pool 1..basic.
std::vector<WheelBet> shippedWheel(int basic, int ok, int hit)
{
    const std::string name = "选五型" + std::string(basic < 10 ? "0" : "") + std::to_string(basic) + "码中" +
                             std::to_string(ok) + "保" + std::to_string(hit) + ".txt";
    const auto path = std::filesystem::path(quorlin::test::distFilesDir()) / kWheelFolder / name;
    const LoadedWheel loaded = readWheel(path.string(), 5, basic);
    EXPECT_TRUE(loaded.ok) << name << ": " << loaded.error;
    std::vector<int> pool;
    for (int n = 1; n <= basic; ++n)
        pool.push_back(n);
    return wheelBets(loaded.wheel, pool, {});
}

std::vector<int> poolOf(int basic)
{
    std::vector<int> pool;
    for (int n = 1; n <= basic; ++n)
        pool.push_back(n);
    return pool;
}

} // namespace

TEST(WheelHoles, RemovingABetOpensExactlyTheMSetsOnlyItCovered)
{
    const struct {
        WheelGuarantee g;
        int bet;
    } cases[] = {
        {{poolOf(10), {}, 5, 4}, 3},
        {{poolOf(9), {}, 4, 4}, 0},
        {{poolOf(12), {}, 5, 3}, 1},
    };
    for (const auto& c : cases) {
        std::vector<WheelBet> bets = shippedWheel(static_cast<int>(c.g.pool.size()), c.g.ok, c.g.hit);
        const WheelCoverage whole = wheelCoverage(c.g, bets);
        ASSERT_EQ(whole.error, "");
        ASSERT_TRUE(whole.holes.empty());
        ASSERT_EQ(whole.covered, whole.total);
        const WheelBet removed = bets[static_cast<std::size_t>(c.bet)];
        bets.erase(bets.begin() + c.bet);
        // The M-sets with T or more in the removed bet and fewer than T in every other bet.
        std::vector<std::vector<int>> expected;
        std::vector<std::uint64_t> masks;
        ASSERT_EQ(wheelBetMasks(c.g, bets, masks), "");
        const MSetIndex index(static_cast<int>(c.g.pool.size()), c.g.ok, c.g.hit);
        MSetIndex::forEachChoice(index.full(), c.g.ok, [&](std::uint64_t set) {
            std::vector<int> numbers;
            for (int i = 0; i < index.numbers(); ++i)
                if (set >> i & 1u)
                    numbers.push_back(i + 1);
            const auto common = [&](const WheelBet& bet) {
                return std::count_if(numbers.begin(), numbers.end(),
                                     [&](int n) { return std::find(bet.begin(), bet.end(), n) != bet.end(); });
            };
            if (common(removed) >= c.g.hit &&
                std::none_of(bets.begin(), bets.end(), [&](const WheelBet& b) { return common(b) >= c.g.hit; }))
                expected.push_back(numbers);
        });
        std::sort(expected.begin(), expected.end());
        const WheelCoverage coverage = wheelCoverage(c.g, bets);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(coverage.holes, expected) << wheelGuaranteeLabel(c.g);
        EXPECT_EQ(coverage.covered + expected.size(), coverage.total);
    }
}

TEST(WheelRepair, DamagedShippedWheelsRepairToVerifiedWheelsNoLarger)
{
    const struct {
        int basic, ok, hit;
    } cases[] = {{10, 5, 4}, {12, 4, 4}, {13, 5, 3}, {11, 4, 4}};
    for (const auto& c : cases) {
        const WheelGuarantee g{poolOf(c.basic), {}, c.ok, c.hit};
        const std::vector<WheelBet> original = shippedWheel(c.basic, c.ok, c.hit);
        // One bet removed, one bet with a number changed.
        std::vector<WheelBet> damaged = original;
        damaged.erase(damaged.begin() + 1);
        WheelBet& changed = damaged.front();
        for (int n = 1; n <= c.basic; ++n)
            if (std::find(changed.begin(), changed.end(), n) == changed.end()) {
                changed.back() = n;
                break;
            }
        std::sort(changed.begin(), changed.end());
        ASSERT_FALSE(wheelCoverage(g, damaged).holes.empty());
        const WheelRepair repair = repairWheel(g, damaged);
        ASSERT_EQ(repair.error, "");
        EXPECT_TRUE(holdsForEveryDraw(g, repair.bets)) << c.basic;
        EXPECT_LE(repair.bets.size(), original.size()) << c.basic << " 中" << c.ok << "保" << c.hit;
        EXPECT_GT(repair.added, 0u);
    }
}

TEST(WheelRepair, RepairsWithBankersAndRefusesForeignBets)
{
    const WheelGuarantee g{{2, 4, 6, 8, 10, 12, 14, 16, 18}, {4}, 3, 3};
    const WheelRepair repair = repairWheel(g, {{2, 4, 6, 8, 10}});
    ASSERT_EQ(repair.error, "");
    EXPECT_TRUE(holdsForEveryDraw(g, repair.bets));
    EXPECT_EQ(repairWheel(g, {{2, 4, 6, 8, 11}}).error, "第1注的号码 11 不在号码池中");
    EXPECT_EQ(wheelCoverage(g, {{2, 4, 6, 8, 11}}).error, "第1注的号码 11 不在号码池中");
}

TEST(WheelRepair, ARepairOfNearlyNothingForTheWholeFieldEndsWhenStopped)
{
    // 324,632 M-sets and one bet: covering the holes must not scan them all for every added bet,
    // and a stopped repair still gives a verified wheel at once, whatever its time limit.
    const WheelGuarantee g{poolOf(35), {}, 5, 4};
    Progress progress;
    progress.cancel();
    const WheelRepair repair = repairWheel(g, {{1, 2, 3, 4, 5}}, 86'400, &progress);
    ASSERT_EQ(repair.error, "");
    EXPECT_TRUE(verifyWheel(g, repair.bets));
    EXPECT_GT(repair.added, 1000u);
}

TEST(WheelMaker, MadeWheelsHoldForEveryDraw)
{
    const struct {
        WheelGuarantee g;
        std::size_t best; ///< the best known size: the search stops there
    } cases[] = {
        {{poolOf(7), {}, 3, 3}, 5},
        {{poolOf(8), {}, 4, 4}, 20},
        {{poolOf(9), {}, 5, 4}, 9},
        {{poolOf(10), {}, 5, 3}, 2},
        {{{2, 5, 9, 14, 20, 27, 31, 33, 35}, {5}, 3, 2}, 0},
        {{{1, 3, 5, 7, 9, 11, 13}, {3, 11}, 3, 3}, 10},
        {{{4, 8, 15, 16, 23, 34}, {4, 8, 15}, 2, 1}, 1},
    };
    for (const auto& c : cases) {
        WheelMakeOptions options;
        options.seed = 11;
        options.targetSize = c.best;
        options.stepsPerSize = c.best ? 0 : 20'000;
        options.seconds = 600;
        const MadeWheel made = makeWheel(c.g, options);
        ASSERT_EQ(made.error, "");
        EXPECT_TRUE(holdsForEveryDraw(c.g, made.bets)) << wheelGuaranteeLabel(c.g);
        if (c.best) {
            EXPECT_EQ(made.bets.size(), c.best) << wheelGuaranteeLabel(c.g);
        }
        EXPECT_TRUE(std::is_sorted(made.bets.begin(), made.bets.end()));
    }
}

TEST(WheelMaker, SameSeedOneThreadGivesTheSameWheel)
{
    const WheelGuarantee g{poolOf(11), {}, 4, 3};
    WheelMakeOptions options;
    options.seed = 5;
    options.stepsPerSize = 5'000;
    options.seconds = 600;
    const MadeWheel first = makeWheel(g, options), second = makeWheel(g, options);
    EXPECT_EQ(first.bets, second.bets);
    options.seed = 6;
    EXPECT_NE(makeWheel(g, options).bets, first.bets);
}

TEST(WheelMaker, ThreadsShareTheBestAndReportEachSmallerWheel)
{
    const WheelGuarantee g{poolOf(10), {}, 5, 4};
    std::mutex mutex;
    std::vector<std::size_t> sizes;
    WheelMakeOptions options;
    options.threads = 3;
    options.targetSize = 14;
    options.seconds = 600;
    options.onBest = [&](std::size_t size) {
        const std::lock_guard lock(mutex);
        sizes.push_back(size);
    };
    const MadeWheel made = makeWheel(g, options);
    EXPECT_EQ(made.bets.size(), 14u);
    EXPECT_TRUE(verifyWheel(g, made.bets));
    ASSERT_FALSE(sizes.empty());
    EXPECT_TRUE(std::is_sorted(sizes.rbegin(), sizes.rend()));
    EXPECT_EQ(sizes.back(), 14u);
}

TEST(WheelMaker, StopsAtOnceWithAVerifiedWheel)
{
    const WheelGuarantee g{poolOf(20), {}, 4, 4};
    Progress progress;
    progress.cancel();
    WheelMakeOptions options;
    options.threads = 2;
    options.seconds = 600;
    options.progress = &progress;
    const MadeWheel made = makeWheel(g, options);
    ASSERT_EQ(made.error, "");
    EXPECT_FALSE(made.bets.empty());
    EXPECT_TRUE(verifyWheel(g, made.bets));
    // A refused guarantee makes nothing.
    EXPECT_NE(makeWheel({poolOf(4), {}, 3, 3}, options).error, "");
}

TEST(WheelMaker, ASearchReachingTheLowerBoundEndsThere)
{
    const struct {
        WheelGuarantee g;
        std::size_t bound;
    } cases[] = {
        {{poolOf(7), {}, 4, 4}, 9},    {{poolOf(8), {}, 4, 4}, 18}, {{poolOf(13), {}, 3, 3}, 32},
        {{poolOf(19), {}, 3, 3}, 103}, {{poolOf(10), {}, 5, 4}, 1}, {{poolOf(6), {2}, 4, 4}, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wheelLowerBound(c.g), c.bound) << wheelGuaranteeLabel(c.g);
    // Both wheels meet their bound: with a day's limit the search returns only because it ends there.
    WheelMakeOptions options;
    options.threads = 2;
    options.seconds = 86'400;
    for (const WheelGuarantee& g : {WheelGuarantee{poolOf(7), {}, 4, 4}, WheelGuarantee{poolOf(6), {2}, 4, 4}}) {
        const MadeWheel made = makeWheel(g, options);
        EXPECT_EQ(made.bets.size(), wheelLowerBound(g));
        EXPECT_TRUE(verifyWheel(g, made.bets));
    }
}

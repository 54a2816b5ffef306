// The compound search: the longest-absent transformed number and the steps that exclude the real
// numbers behind it.
#include "analysis/compound_search.h"
#include "common/progress.h"
#include "common/random_source.h"
#include "store/display_tables.h"
#include "store/lottery_state.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace quorlin;

namespace {

/// Three draws in the display rows: 11..15, then 6..10, then (newest) 1..5; 16..35 never drawn.
/// No transformed build has been made, so the mapping of the coming draw is the identity.
LotteryState threeDraws()
{
    LotteryState state;
    state.recnum = 3;
    state.histext.resize(3, state.caisum, state.housum);
    for (int r = 0; r < 3; ++r)
        for (int n = 11 - 5 * r; n < 16 - 5 * r; ++n)
            state.histext.markFront(static_cast<std::size_t>(r), n);
    return state;
}

} // namespace

TEST(CompoundSearch, LongestAbsentIsTheLastOfTheExchangeOrder)
{
    LotteryState state = threeDraws();
    // 16..35 are all absent 3 (= recnum) draws; the exchange leaves the last of them last.
    EXPECT_EQ(CompoundSearch::longestAbsent(state), std::make_pair(35, 3));
    // 35 one draw ago: the exchanges that bring it forward carry 16 to the end, not 34.
    state.histext.markFront(1, 35);
    EXPECT_EQ(CompoundSearch::longestAbsent(state), std::make_pair(16, 3));
    LotteryState drawnNewest = threeDraws();
    for (int n = 16; n <= 35; ++n)
        drawnNewest.histext.markFront(2, n);
    // Now 11..15 are the longest absent, two draws.
    EXPECT_EQ(CompoundSearch::longestAbsent(drawnNewest).second, 2);
}

TEST(CompoundSearch, StepsExcludeUntilTheCountIsReached)
{
    const LotteryState state = threeDraws();
    // A limit at or above caisum: the first passing step ends with 34 numbers.
    CompoundSearch wide(35, true, 3, 35);
    EXPECT_TRUE(wide.step(state));
    EXPECT_EQ(wide.remaining(), 34);
    EXPECT_EQ(wide.result().substr(0, 9), "01 02 03 ");
    EXPECT_EQ(wide.result().size(), 34u * 3u);
    EXPECT_EQ(wide.result().find("35"), std::string::npos);

    // A threshold above recnum never excludes anything.
    CompoundSearch strict(35, true, 4, 30);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(strict.step(state));
    EXPECT_EQ(strict.remaining(), 35);
    EXPECT_EQ(strict.steps(), 5);

    // Excluding 35 again changes nothing.
    CompoundSearch again(35, false, 0, 33);
    EXPECT_FALSE(again.step(state));
    EXPECT_FALSE(again.step(state));
    EXPECT_EQ(again.remaining(), 34);
}

TEST(CompoundSearch, RunStepsOnFreshBuildsOfItsOwnHistoryUntilItEnds)
{
    LotteryState state;
    state.hisfull = test::shippedHistory();
    state.recnum = static_cast<int>(state.hisfull.rows());
    state.caiopen = true;
    state.histext.resize(1, 35, 12); // a display table of the window's, which the search leaves out
    LotteryState history = CompoundSearch::searchHistory(state);
    EXPECT_EQ(history.hisfull.rows(), state.hisfull.rows());
    EXPECT_EQ(history.histext.rows(), 0u);

    // The same steps as building and stepping by hand with the same generator.
    CompoundSearch byHand(35, true, 12, 25);
    LotteryState handHistory = history;
    SeededRandomSource handRng(11);
    bool done = false;
    while (!done) {
        buildtransformed(handHistory, handRng);
        done = byHand.step(handHistory);
    }
    CompoundSearch search(35, true, 12, 25);
    SeededRandomSource rng(11);
    Progress progress;
    std::int64_t builds = 0;
    EXPECT_EQ(search.run(history, rng, 100000, &progress, [&](const LotteryState&) { ++builds; }),
              CompoundSearch::End::Done);
    EXPECT_EQ(search.result(), byHand.result());
    EXPECT_EQ(search.steps(), byHand.steps());
    EXPECT_EQ(builds, search.steps());
    EXPECT_EQ(history.bianperm, handHistory.bianperm);
    EXPECT_EQ(progress.total(), 100000);
    EXPECT_EQ(progress.done(), search.steps() - 1);

    // A threshold no build reaches ends at the step limit; a stop ends at the next step.
    CompoundSearch unreachable(35, true, 100000, 25);
    EXPECT_EQ(unreachable.run(history, rng, 7), CompoundSearch::End::StepLimit);
    EXPECT_EQ(unreachable.steps(), 7);
    Progress stop;
    EXPECT_EQ(unreachable.run(history, rng, 1000, &stop,
                              [&](const LotteryState&) {
                                  if (unreachable.steps() == 10)
                                      stop.cancel();
                              }),
              CompoundSearch::End::Stopped);
    EXPECT_EQ(unreachable.steps(), 10);
}

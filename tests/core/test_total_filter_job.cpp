// The total filter's whole run and load as the window and the command line start them: what the
// outcome hands back, what the list file holds, and what a stop or a failed write leaves behind.
#include "common/progress.h"
#include "filter/bet_list.h"
#include "filter/combination_table.h"
#include "filter/total_filter_job.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

using namespace quorlin;

namespace {

struct TotalFilterJobFixture : ::testing::Test {
    test::TempProgramDir dir;
    FilterSpace space;

    std::string file(const std::string& name) const { return dir.apppath() + name; }
    std::string contents(const std::string& name) const
    {
        std::ifstream in(file(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void write(const std::string& name, const std::string& text) const
    {
        std::ofstream(file(name), std::ios::binary) << text;
    }
    // A run over every combination keeping the sums in `lo`..`hi`, its list going to temp.txt.
    TotalFilterRun sumRun(int lo, int hi, std::vector<int> back) const
    {
        TotalFilterRun run;
        run.settings.sum = FilterRange{lo, hi};
        run.settings.back = std::move(back);
        run.space = space;
        run.rebuild = true;
        run.listPath = file("temp.txt");
        return run;
    }
};

} // namespace

TEST_F(TotalFilterJobFixture, RunPairsEverySurvivorAndNarrowsTheTableItIsGiven)
{
    // Sum 15 and 16 keep 01 02 03 04 05 and 01 02 03 04 06; every back number gives 66 pairs.
    const TotalFilterOutcome outcome = runTotalFilterJob({}, sumRun(15, 16, everyBackNumber(space)));
    ASSERT_TRUE(outcome.completed);
    EXPECT_EQ(outcome.survivors, 2u);
    ASSERT_TRUE(outcome.table);
    EXPECT_EQ(outcome.table->rows(), 324632u);
    EXPECT_EQ(outcome.table->unmarked(), 2u);
    ASSERT_EQ(outcome.bets->size(), 132u);
    EXPECT_EQ(outcome.bets->numbered(0), "0000001    01 02 03 04 05+01 02");
    EXPECT_EQ(outcome.bets->numbered(65), "0000066    01 02 03 04 05+11 12");
    EXPECT_EQ(outcome.bets->numbered(66), "0000067    01 02 03 04 06+01 02");
    const std::string list = contents("temp.txt");
    EXPECT_TRUE(list.starts_with("0000001    01 02 03 04 05+01 02\r\n"));
    EXPECT_TRUE(list.ends_with("0000132    01 02 03 04 06+11 12\r\n"));

    // Without a list path nothing is written; the next run narrows the working table it is given.
    TotalFilterRun again = sumRun(16, 20, {1, 2});
    again.rebuild = false;
    again.listPath.clear();
    const TotalFilterOutcome narrowed = runTotalFilterJob(*outcome.table, again);
    EXPECT_EQ(narrowed.survivors, 1u);
    EXPECT_EQ(narrowed.bets->numbered(0), "0000001    01 02 03 04 06+01 02");
    EXPECT_EQ(contents("temp.txt"), list);
}

TEST_F(TotalFilterJobFixture, RunThatKeepsNothingMarksEveryRowAndLeavesTheList)
{
    write("temp.txt", "earlier list\r\n");
    // The sum of five numbers is at least 15.
    const TotalFilterOutcome outcome = runTotalFilterJob({}, sumRun(10, 14, {1, 2}));
    ASSERT_TRUE(outcome.completed);
    EXPECT_EQ(outcome.survivors, 0u);
    ASSERT_TRUE(outcome.table);
    EXPECT_EQ(outcome.table->rows(), 324632u);
    EXPECT_EQ(outcome.table->unmarked(), 0u);
    ASSERT_TRUE(outcome.bets);
    EXPECT_TRUE(outcome.bets->empty());
    EXPECT_EQ(contents("temp.txt"), "earlier list\r\n");
}

TEST_F(TotalFilterJobFixture, StoppedRunOrLoadGivesNothingAndLeavesTheList)
{
    write("temp.txt", "earlier list\r\n");
    write("list.txt", "01 02 03 04 05+01 02\r\n");
    Progress stopped;
    stopped.cancel();

    const TotalFilterOutcome run = runTotalFilterJob({}, sumRun(15, 60, {1, 2}), &stopped);
    EXPECT_FALSE(run.completed);
    EXPECT_FALSE(run.table);
    EXPECT_FALSE(run.bets);
    const TotalFilterOutcome load = loadTotalFilterJob(file("list.txt"), space, file("temp.txt"), &stopped);
    EXPECT_FALSE(load.completed);
    EXPECT_FALSE(load.table);
    EXPECT_EQ(contents("temp.txt"), "earlier list\r\n");
}

TEST_F(TotalFilterJobFixture, ListThatCannotBeWrittenThrows)
{
    const std::string nowhere = file("missing/temp.txt");
    TotalFilterRun run = sumRun(15, 15, {1, 2});
    run.listPath = nowhere;
    EXPECT_THROW(runTotalFilterJob({}, run), std::runtime_error);
    write("list.txt", "01 02 03 04 05+01 02\r\n");
    EXPECT_THROW(loadTotalFilterJob(file("list.txt"), space, nowhere), std::runtime_error);
}

// The stake plans: the worked figures of the fixed and staged plans, the variable plan's draws, the
// averages, exact money, and the plan files written and read back.
#include "invest/money.h"
#include "invest/plan_file.h"
#include "invest/stake_plan.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace quorlin;

namespace {

using Row = PlanStore::Row;

/// The first seven values of a fixed or staged row.
std::vector<std::int64_t> seven(const Row& row)
{
    return {row.begin(), row.begin() + 7};
}

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

/// The cells of a plan as the window shows them after generating it.
std::vector<std::vector<std::string>> cellsOf(const PlanStore& store)
{
    std::vector<std::vector<std::string>> rows;
    for (std::size_t r = 0; r < store.rows(); ++r) {
        rows.emplace_back();
        for (int c = 0; c < store.columns(); ++c)
            rows.back().push_back(std::to_string(store.row(r)[static_cast<std::size_t>(c)]));
    }
    return rows;
}

} // namespace

TEST(FixedPlan, WorkedFiguresWithTheDefaultInputs)
{
    PlanStore store(PlanKind::Fixed);
    ASSERT_EQ(buildFixedPlan(PlanInputs{}, store), PlanOutcome::Built);
    ASSERT_EQ(store.rows(), 80u);
    for (std::size_t r = 0; r < 61; ++r)
        EXPECT_EQ(store.row(r)[1], 1) << "draw " << r + 1;
    // The last column is the net profit in percent of the total invested, truncated.
    EXPECT_EQ(seven(store.row(60)), (std::vector<std::int64_t>{61, 1, 16, 976, 1000, 24, 2}));
    EXPECT_EQ(seven(store.row(61)), (std::vector<std::int64_t>{62, 2, 32, 1008, 2000, 992, 98}));
    EXPECT_EQ(seven(store.row(79)), (std::vector<std::int64_t>{80, 2, 32, 1584, 2000, 416, 26}));
    EXPECT_EQ(store.averageNet(80), 551);
}

TEST(FixedPlan, ANetEqualToTheTargetIsAcceptedAtThatMultiple)
{
    // Draw 1 at multiple 1 nets 1000 − 16 = 984.
    struct Case {
        std::int64_t lirun;
        std::int64_t multiple;
    };
    for (const Case c : {Case{984, 1}, Case{985, 2}, Case{-5000, 1}}) {
        PlanInputs in;
        in.lirun = c.lirun;
        in.days = 1;
        PlanStore store(PlanKind::Fixed);
        ASSERT_EQ(buildFixedPlan(in, store), PlanOutcome::Built);
        EXPECT_EQ(store.row(0)[1], c.multiple) << "target " << c.lirun;
    }
}

TEST(FixedPlan, APrizeNoLargerThanTheStakeNeverPays)
{
    PlanInputs in;
    in.outofsin = 16;
    PlanStore store(PlanKind::Fixed);
    EXPECT_EQ(buildFixedPlan(in, store), PlanOutcome::MultipleTooLarge);
}

TEST(FixedPlan, TheAverageTruncatesTowardZero)
{
    // Nothing is won: the nets are −3 and −4, which a negative target accepts at multiple 1.
    PlanInputs in;
    in.prekui = 2;
    in.lirun = -10;
    in.inofsin = 1;
    in.outofsin = 0;
    in.days = 2;
    PlanStore store(PlanKind::Fixed);
    ASSERT_EQ(buildFixedPlan(in, store), PlanOutcome::Built);
    EXPECT_EQ(store.row(0)[5] + store.row(1)[5], -7);
    EXPECT_EQ(store.averageNet(2), -3);
}

TEST(FixedPlan, MoneyBeyondSixtyFourBitsIsRefusedNotWrapped)
{
    PlanInputs in;
    in.prekui = std::numeric_limits<std::int64_t>::max() - 10;
    PlanStore store(PlanKind::Fixed);
    EXPECT_THROW(buildFixedPlan(in, store), MoneyOverflowError);
}

TEST(StagedPlan, WorkedFiguresWithTheDefaultInputs)
{
    PlanStore store(PlanKind::Staged);
    ASSERT_EQ(buildStagedPlan(PlanInputs{}, store), PlanOutcome::Built);
    EXPECT_EQ(seven(store.row(79)), (std::vector<std::int64_t>{80, 2, 32, 1664, 2000, 336, 20}));
    EXPECT_EQ(store.averageNet(80), 592);
}

TEST(StagedPlan, OneMultipleHoldsForEachStageOfCeilingNOverSDraws)
{
    // N = 85, S = 10: nine stages of 9 draws and a last one of 4.
    PlanInputs in;
    in.days = 85;
    in.outofsin = 500;
    PlanStore store(PlanKind::Staged);
    ASSERT_EQ(buildStagedPlan(in, store), PlanOutcome::Built);
    std::vector<std::int64_t> stageMultiples;
    for (std::size_t r = 0; r < 85; ++r) {
        EXPECT_EQ(store.row(r)[0], static_cast<std::int64_t>(r + 1));
        if (r % 9 == 0)
            stageMultiples.push_back(store.row(r)[1]);
        else
            EXPECT_EQ(store.row(r)[1], stageMultiples.back()) << "draw " << r + 1;
        // The multiple is the smallest that keeps every draw of the stage at the target.
        EXPECT_GE(store.row(r)[5], in.lirun);
    }
    EXPECT_EQ(stageMultiples.size(), 10u);
    EXPECT_LT(stageMultiples.front(), stageMultiples.back());
}

TEST(StagedPlan, FewerDrawsThanStagesGiveOneDrawPerStageAsTheFixedPlan)
{
    PlanInputs in;
    in.days = 7;
    in.jieduan = 10;
    in.outofsin = 40;
    PlanStore staged(PlanKind::Staged);
    PlanStore fixed(PlanKind::Fixed);
    ASSERT_EQ(buildStagedPlan(in, staged), PlanOutcome::Built);
    ASSERT_EQ(buildFixedPlan(in, fixed), PlanOutcome::Built);
    for (std::size_t r = 0; r < 7; ++r)
        EXPECT_EQ(staged.row(r), fixed.row(r)) << "draw " << r + 1;
}

TEST(VariablePlan, EightBetsADrawFollowTheFixedPlanOfStake16)
{
    PlanInputs in;
    std::int64_t before = in.prekui;
    PlanStore fixed(PlanKind::Fixed);
    ASSERT_EQ(buildFixedPlan(in, fixed), PlanOutcome::Built);
    for (std::int64_t k = 1; k <= 80; ++k) {
        const auto row = variableDraw(k, 8, before, in);
        ASSERT_TRUE(row) << "draw " << k;
        const Row& f = fixed.row(static_cast<std::size_t>(k - 1));
        EXPECT_EQ(*row, (Row{k, f[1], 8, f[2], f[3], f[4], f[5], f[6]})) << "draw " << k;
        before = (*row)[4];
    }
}

TEST(VariablePlan, ADrawThatNoMultipleMakesPayGivesNothing)
{
    PlanInputs in;
    in.outofsin = 30;
    EXPECT_TRUE(variableDraw(1, 10, 0, in)) << "prize 30 beats a stake of 20";
    EXPECT_FALSE(variableDraw(1, 15, 0, in)) << "prize 30 never beats a stake of 30";
}

TEST(ProfitRate, TruncatesAndHasNoRateWithoutInvestment)
{
    EXPECT_EQ(profitRate(24, 976), 2);
    EXPECT_EQ(profitRate(-7, 100), -7);
    EXPECT_EQ(profitRate(-1, 3), -33);
    EXPECT_EQ(profitRate(5, 0), 0);
    // The product passes 64 bits before the division brings it back.
    EXPECT_EQ(profitRate(std::numeric_limits<std::int64_t>::max() / 2, std::numeric_limits<std::int64_t>::max()), 49);
}

TEST(WholeNumbers, FieldTextsAreReadLikeTheFieldsShowThem)
{
    EXPECT_EQ(toInt64(" 42 "), 42);
    EXPECT_EQ(toInt64("-7"), -7);
    EXPECT_EQ(toInt64("+7"), 7);
    for (const char* bad : {"", "abc", "1.5", "12a", "99999999999999999999"})
        EXPECT_THROW(toInt64(bad), WholeNumberError) << bad;
    EXPECT_THROW(toInt32("3000000000"), WholeNumberError);
}

struct PlanFileFixture : ::testing::Test {
    test::TempProgramDir dir;
    std::string path = dir.apppath() + "计划.txt";
};

TEST_F(PlanFileFixture, AFixedPlanWrittenAndReadBackHasTheSameCellsAndAverage)
{
    PlanStore store(PlanKind::Fixed);
    ASSERT_EQ(buildFixedPlan(PlanInputs{}, store), PlanOutcome::Built);
    const std::vector<std::string> header{"0", "10", "16", "1000", "80"};
    std::string error;
    ASSERT_TRUE(writePlanFile(path, header, cellsOf(store), error)) << error;

    const std::string bytes = fileBytes(path);
    EXPECT_TRUE(bytes.starts_with("0\r\n10\r\n16\r\n1000\r\n80\r\n1\r\n1\r\n16\r\n16\r\n1000\r\n984\r\n"));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 5 + 7 * 80);

    PlanStore loaded(PlanKind::Fixed);
    const PlanLoad load = loadPlanFile(path, loaded);
    ASSERT_EQ(load.refusal, "");
    EXPECT_EQ(load.header, header);
    EXPECT_EQ(load.days, 80);
    EXPECT_EQ(load.rows, cellsOf(store));
    EXPECT_EQ(load.completeRows, 80u);
    EXPECT_EQ(load.stoppedAt, 0u);
    EXPECT_EQ(loaded.averageNet(80), 551);
}

TEST_F(PlanFileFixture, AVariablePlanReadsItsRowsAndCountsThem)
{
    writeFile(path, "0\r\n10\r\n16\r\n1000\r\n80\r\n8\r\n"
                    "1\r\n1\r\n8\r\n16\r\n16\r\n1000\r\n984\r\n6150\r\n"
                    "2\r\n1\r\n5\r\n10\r\n26\r\n1000\r\n974\r\n3746\r\n");
    PlanStore store(PlanKind::Variable);
    const PlanLoad load = loadPlanFile(path, store);
    ASSERT_EQ(load.refusal, "");
    EXPECT_EQ(load.rows.size(), 2u);
    EXPECT_EQ(load.completeRows, 2u);
    EXPECT_EQ(store.rows(), 80u);
    EXPECT_EQ(store.row(1), (Row{2, 1, 5, 10, 26, 1000, 974, 3746}));
    EXPECT_EQ(store.averageNet(2), 979);
}

TEST_F(PlanFileFixture, RowsBeyondTheNumberOfDrawsAreRefusedNamingTheLine)
{
    // Two draws planned, three rows written.
    std::string bytes = "0\r\n10\r\n16\r\n1000\r\n2\r\n10\r\n";
    for (int r = 1; r <= 3; ++r)
        bytes += std::to_string(r) + "\r\n1\r\n16\r\n16\r\n1000\r\n984\r\n98\r\n";
    writeFile(path, bytes);
    PlanStore store(PlanKind::Staged);
    store.resize(5);
    store.row(0)[0] = 77;
    const PlanLoad load = loadPlanFile(path, store);
    EXPECT_NE(load.refusal.find("第21行"), std::string::npos) << load.refusal;
    EXPECT_EQ(store.rows(), 5u) << "a refused load changes nothing";
    EXPECT_EQ(store.row(0)[0], 77);
}

TEST_F(PlanFileFixture, ALineThatIsNoNumberStopsEachPlanInItsOwnWay)
{
    std::string bytes = "0\r\n10\r\n16\r\n1000\r\n3\r\n";
    const std::string staged = bytes + "10\r\n";
    const std::string rows = "1\r\n1\r\n16\r\n16\r\n1000\r\n984\r\n98\r\n2\r\n1\r\nx\r\n";

    // The fixed plan stops reading and reports how many rows it read in full.
    writeFile(path, bytes + rows);
    PlanStore fixed(PlanKind::Fixed);
    const PlanLoad fixedLoad = loadPlanFile(path, fixed);
    EXPECT_EQ(fixedLoad.refusal, "");
    EXPECT_EQ(fixedLoad.completeRows, 1u);
    EXPECT_EQ(fixedLoad.stoppedAt, 15u);
    EXPECT_EQ(fixedLoad.error, "");
    ASSERT_EQ(fixedLoad.rows.size(), 2u);
    EXPECT_EQ(fixedLoad.rows[1], (std::vector<std::string>{"2", "1"}));

    // The staged plan ends with the conversion error, naming the line.
    writeFile(path, staged + rows);
    PlanStore stagedStore(PlanKind::Staged);
    const PlanLoad stagedLoad = loadPlanFile(path, stagedStore);
    EXPECT_NE(stagedLoad.error.find("第16行"), std::string::npos) << stagedLoad.error;
    EXPECT_NE(stagedLoad.error.find("“x”"), std::string::npos) << stagedLoad.error;
    EXPECT_EQ(stagedLoad.rows.size(), 2u) << "the rows before the error stay";
}

TEST_F(PlanFileFixture, AFixedOrStagedPlanWithoutDrawsIsRefused)
{
    writeFile(path, "0\r\n10\r\n16\r\n1000\r\n0\r\n");
    PlanStore store(PlanKind::Fixed);
    EXPECT_EQ(loadPlanFile(path, store).refusal, "投注期数必须大于0！");
    // A variable plan may be saved before its first draw.
    writeFile(path, "0\r\n10\r\n16\r\n1000\r\n0\r\n8\r\n");
    PlanStore variable(PlanKind::Variable);
    const PlanLoad load = loadPlanFile(path, variable);
    EXPECT_EQ(load.refusal, "");
    EXPECT_TRUE(load.rows.empty());
}

TEST_F(PlanFileFixture, AMissingFileIsRefusedWithItsName)
{
    PlanStore store(PlanKind::Fixed);
    EXPECT_NE(loadPlanFile(path, store).refusal.find("计划.txt"), std::string::npos);
}

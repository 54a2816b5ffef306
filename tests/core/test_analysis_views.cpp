// What the analysis views show: indicator summaries and advice, zone tables, omission tables, the
// trend grid's omission counts.
#include "analysis/draw_indicators.h"
#include "analysis/indicator_summary.h"
#include "analysis/omission_table.h"
#include "analysis/trend_omission.h"
#include "analysis/zone_table.h"
#include "store/his_text.h"
#include "store/lottery_state.h"

#include <gtest/gtest.h>

#include <set>

using namespace quorlin;

namespace {

// Draws whose indicator value is given; the front numbers do not matter to the summary.
IndicatorAnalysis analyse(Indicator indicator, const std::vector<float>& values, int recent)
{
    std::vector<DrawIndicatorRow> draws;
    std::vector<std::int32_t> fronts;
    for (std::size_t i = 0; i < values.size(); ++i) {
        DrawIndicatorRow row;
        row.issue = 2020001 + static_cast<int>(i);
        row.big = row.odd = row.sum = row.span = row.dispersion = row.skew = row.ac = row.repeat = values[i];
        draws.push_back(row);
        fronts.insert(fronts.end(), {1, 2, 3, 4, 5});
    }
    return analyseIndicator(indicator, draws, fronts, 35, 5, recent);
}

std::string lastLine(const IndicatorAnalysis& a)
{
    const auto lines = summaryLines(a);
    return lines.size() == 6 ? lines.back() : std::string();
}

} // namespace

TEST(IndicatorSummary, TheoreticalLinesAndTheBigCountAdvice)
{
    const IndicatorAnalysis a = analyse(Indicator::Big, {2, 3, 4, 4}, 3);
    EXPECT_EQ(summaryLines(a),
              (std::vector<std::string>{"理论最多大数个数：5.0", "理论最少大数个数：0.0", "理论平均大数个数：2.5",
                                        "最近3期大数个数总和：11.0", "最近3期理论大数个数总和：7.5"}));
    EXPECT_EQ(analyse(Indicator::Big, {0, 4, 4, 4}, 3).advice, IndicatorAnalysis::Advice::High); // 12 ≥ 11.25
    EXPECT_EQ(analyse(Indicator::Big, {0, 1, 2, 2}, 3).advice, IndicatorAnalysis::Advice::Low);  // 5 ≤ 5
    EXPECT_EQ(analyse(Indicator::Big, {0, 2, 2, 2}, 3).advice, IndicatorAnalysis::Advice::None);
    EXPECT_EQ(lastLine(analyse(Indicator::Big, {0, 4, 4, 4}, 3)),
              "最近3期大数个数总和远远超过理论个数总和，建议选择小于理论平均大数个数的组合！");
}

TEST(IndicatorSummary, AdviceThresholdsOfSumAndRepeat)
{
    // Sum: the history's mean is 90, so T = 270 for N = 3; high from 405, low up to 180.
    struct Case {
        const char* name;
        Indicator indicator;
        std::vector<float> values;
        int recent;
        float theoretical;
        IndicatorAnalysis::Advice advice;
    };
    using A = IndicatorAnalysis::Advice;
    const std::vector<Case> cases = {
        {"sum high", Indicator::Sum, {0, 45, 135, 135, 135}, 3, 270.0f, A::High},
        {"sum low", Indicator::Sum, {120, 120, 120, 60, 60, 60}, 3, 270.0f, A::Low},
        {"sum between", Indicator::Sum, {0, 180, 90, 90, 90}, 3, 270.0f, A::None},
        {"repeat N=1 always high", Indicator::Repeat, {0, 0, 0}, 1, 0.0f, A::High},
        {"repeat N=2 two", Indicator::Repeat, {0, 1, 1}, 2, 1.0f, A::High},
        {"repeat N=2 one", Indicator::Repeat, {0, 0, 1}, 2, 1.0f, A::None},
        {"repeat N=2 none", Indicator::Repeat, {0, 0, 0}, 2, 1.0f, A::Low},
        {"repeat N=3", Indicator::Repeat, {0, 1, 1, 0}, 3, 2.0f, A::None},
        {"repeat N=3 three", Indicator::Repeat, {0, 1, 1, 1}, 3, 2.0f, A::High},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const IndicatorAnalysis a = analyse(c.indicator, c.values, c.recent);
        EXPECT_FLOAT_EQ(a.theoreticalTotal, c.theoretical);
        EXPECT_EQ(a.advice, c.advice);
    }
    EXPECT_EQ(summaryLines(analyse(Indicator::Repeat, {0, 1, 1, 1}, 3))[2], "理论平均重码个数：0.0");
}

TEST(IndicatorSummary, RecentCountStaysWithinTheHistoryAndAnEmptyHistoryHasNoSummary)
{
    EXPECT_EQ(analyse(Indicator::Odd, {1, 2}, 3).recent, 2);
    EXPECT_EQ(analyse(Indicator::Odd, {1, 2}, 0).recent, 1);
    EXPECT_TRUE(summaryLines(analyse(Indicator::Odd, {}, 3)).empty());
    const IndicatorAnalysis a = analyse(Indicator::Skew, {15, 3}, 2);
    EXPECT_EQ(a.rows[0].value, "15");
    EXPECT_EQ(a.rows[0].numbers, "01 02 03 04 05 ");
}

TEST(ZoneTable, HeadersAndCounts)
{
    const ZoneTable five = buildZoneTable({2020001}, {3, 9, 17, 25, 33}, 35, 5, 5);
    EXPECT_EQ(five.headers, (std::vector<std::string>{"记录期号", "开奖号码", "01-07号码总数", "08-14号码总数",
                                                      "15-21号码总数", "22-28号码总数", "29-35号码总数"}));
    EXPECT_EQ(five.rows[0].counts, (std::vector<int>{1, 1, 1, 1, 1}));
    EXPECT_EQ(five.rows[0].numbers, "03 09 17 25 33 ");
    const ZoneTable four = buildZoneTable({2020001}, {3, 9, 17, 25, 35}, 35, 5, 4);
    EXPECT_EQ(four.headers.back(), "28-35号码总数");
    EXPECT_EQ(four.headers[2], "01-09号码总数");
    EXPECT_EQ(four.rows[0].counts, (std::vector<int>{2, 1, 1, 1}));
    EXPECT_EQ(buildZoneTable({1}, {3, 9, 17, 25, 33}, 35, 5, 2).rows[0].counts, (std::vector<int>{3, 2}));
    EXPECT_EQ(buildZoneTable({1}, {1, 2, 3, 4, 5}, 35, 5, 7).headers.back(), "31-35号码总数");
}

namespace {

// 2000 draws in which number 1 comes in the draws `with` (indexes, oldest 0) and otherwise not.
std::vector<std::int32_t> historyWithNumberOne(const std::set<int>& with)
{
    std::vector<std::int32_t> draws;
    for (int i = 0; i < 2000; ++i) {
        if (with.count(i))
            draws.insert(draws.end(), {1, 2, 3, 4, 5});
        else
            draws.insert(draws.end(), {6, 7, 8, 9, 10});
    }
    return draws;
}

// A row of a temporary table would dangle.
const OmissionRow& rowOf(OmissionTable&& table, int number) = delete;
const OmissionRow& rowOf(const OmissionTable& table, int number)
{
    for (const OmissionRow& row : table.rows)
        if (row.number == number)
            return row;
    throw std::logic_error("no row");
}

} // namespace

TEST(OmissionTable, ReturnRuleAndItsChaseValue)
{
    // Newest draw, 5 before it, 24 before that, and 287 more long ago: 290 occurrences.
    std::set<int> with{1999, 1994, 1970};
    for (int i = 0; i < 287; ++i)
        with.insert(i);
    const OmissionTable table =
        buildOmissionTable(historyWithNumberOne(with), 35, 5, 2000, OmissionRule::Return, OmissionSort::Number);
    const OmissionRow& one = rowOf(table, 1);
    EXPECT_EQ(one.cells, (std::vector<std::string>{"01", "7.0", "285.7", "290", "1684", "24", "3.4", "337%"}));
    EXPECT_EQ(table.headers[5], "前次遗漏");

    // A gap of 20 before the third occurrence and 30 before the fourth: no return.
    std::set<int> late{1999, 1994, 1974, 1944};
    for (int i = 0; i < 286; ++i)
        late.insert(i);
    const OmissionTable lateTable =
        buildOmissionTable(historyWithNumberOne(late), 35, 5, 2000, OmissionRule::Return, OmissionSort::Number);
    const OmissionRow& none = rowOf(lateTable, 1);
    EXPECT_EQ(none.cells[5], "0");
    EXPECT_EQ(none.cells[6], "0");
    EXPECT_EQ(none.cells[7], "0%");
}

TEST(OmissionTable, CurrentRuleAndNumbersNeverDrawn)
{
    std::set<int> with{1985};
    for (int i = 0; i < 289; ++i)
        with.insert(i);
    const OmissionTable table =
        buildOmissionTable(historyWithNumberOne(with), 35, 5, 2000, OmissionRule::Current, OmissionSort::Number);
    EXPECT_EQ(rowOf(table, 1).cells[5], "14");
    EXPECT_EQ(rowOf(table, 1).cells[6], "2.0");
    EXPECT_EQ(rowOf(table, 1).cells[7], "197%");
    // Number 2 came in the newest draw (with 1? no: 2..5 come in the draws of 1, 6..10 otherwise).
    EXPECT_EQ(rowOf(table, 6).cells[5], "0");
    EXPECT_EQ(rowOf(table, 6).cells[6], "0.0");
    // Never drawn: no division by zero, 0%.
    EXPECT_EQ(rowOf(table, 35).cells[3], "0");
    EXPECT_EQ(rowOf(table, 35).cells[7], "0%");
    EXPECT_EQ(table.headers[5], "目前遗漏");
}

TEST(OmissionTable, SortsAsTheExchangeSortLeavesThem)
{
    // Five back-zone draws of two numbers each over 1..6.
    const std::vector<std::int32_t> draws{1, 2, 3, 4, 1, 5, 2, 3, 1, 6};
    auto order = [&](OmissionSort sort) {
        std::vector<int> numbers;
        for (const OmissionRow& row : buildOmissionTable(draws, 6, 2, 5, OmissionRule::Current, sort).rows)
            numbers.push_back(row.number);
        return numbers;
    };
    EXPECT_EQ(order(OmissionSort::Number), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    // Current omissions 1→0, 2→1, 3→1, 4→3, 5→2, 6→0, largest first; worked by hand through the
    // exchange sort, which leaves 2 before 3 and 1 before 6.
    EXPECT_EQ(order(OmissionSort::Omission), (std::vector<int>{4, 5, 2, 3, 1, 6}));
    // Occurrences 1→3, 2→2, 3→2, 4→1, 5→1, 6→1, fewest first: the sort leaves 4 5 6 and 3 2 1.
    EXPECT_EQ(order(OmissionSort::Count), (std::vector<int>{4, 5, 6, 3, 2, 1}));
}

namespace {

// Two draws whose real front numbers lie in the first and last zone, and a transformed history
// that swaps them, shown in transformed mode.
LotteryState stateInTransformedMode()
{
    LotteryState state;
    state.recnum = 2;
    state.bianhuan = true;
    state.hisfull.resize(2, 8);
    state.hisbian.resize(2, 6);
    const std::int32_t real[2][8] = {{2020001, 1, 2, 3, 4, 5, 1, 2}, {2020002, 31, 32, 33, 34, 35, 11, 12}};
    const std::int32_t transformed[2][6] = {{2020001, 31, 32, 33, 34, 35}, {2020002, 1, 2, 3, 4, 5}};
    for (std::size_t r = 0; r < 2; ++r) {
        for (std::size_t c = 0; c < 8; ++c)
            state.hisfull.at(r, c) = real[r][c];
        for (std::size_t c = 0; c < 6; ++c)
            state.hisbian.at(r, c) = transformed[r][c];
    }
    return state;
}

} // namespace

TEST(AnalysisViewsOfTheOpenLottery, ZonesFollowTheAskedSpaceOmissionsTheRealNumbers)
{
    const LotteryState state = stateInTransformedMode();
    const ZoneTable real = buildZoneTable(state, 5, false);
    ASSERT_EQ(real.rows.size(), 2u);
    EXPECT_EQ(real.rows[0].issue, "2020001");
    EXPECT_EQ(real.rows[0].counts, (std::vector<int>{5, 0, 0, 0, 0}));
    EXPECT_EQ(real.rows[1].numbers, "31 32 33 34 35 ");
    const ZoneTable transformed = buildZoneTable(state, 5, true);
    EXPECT_EQ(transformed.rows[0].counts, (std::vector<int>{0, 0, 0, 0, 5}));
    EXPECT_EQ(transformed.rows[1].issue, "2020002");

    // Whatever the mode, the omission windows read the real numbers of the chosen zone.
    EXPECT_EQ(zoneHistory(state, false), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 31, 32, 33, 34, 35}));
    EXPECT_EQ(zoneHistory(state, true), (std::vector<std::int32_t>{1, 2, 11, 12}));
    const OmissionTable back = buildOmissionTable(state, true, OmissionRule::Current, OmissionSort::Number);
    ASSERT_EQ(back.rows.size(), 12u);
    EXPECT_EQ(back.rows[0].cells[1], "6.0");
    EXPECT_EQ(back.rows[0].cells[5], "1"); // back number 01 came in the older of the two draws
    EXPECT_EQ(back.rows[10].cells[5], "0");
    EXPECT_EQ(buildOmissionTable(state, false, OmissionRule::Current, OmissionSort::Number).rows.size(), 35u);
}

namespace {

// A small game's display rows, oldest first: front numbers 1..4 (cells 3..6), back 1..2 (cells 8..9).
HisText trendRows(const std::vector<std::pair<std::vector<int>, std::vector<int>>>& draws)
{
    HisText rows;
    rows.resize(draws.size(), 4, 2);
    for (std::size_t r = 0; r < draws.size(); ++r) {
        rows.setRow(r, std::to_string(r + 1), {});
        for (const int n : draws[r].first)
            rows.markFront(r, n);
        for (const int n : draws[r].second)
            rows.markBack(r, n);
    }
    return rows;
}

} // namespace

TEST(TrendOmission, CountsDownTheRowsAndSummarisesEveryNumber)
{
    // Front 1 in rows 0-1, 2 never, 3 in rows 2 and 5, 4 in rows 1 and 3-5; back 1 always, 2 in row 5.
    const HisText rows = trendRows({{{1}, {1}}, {{1, 4}, {1}}, {{3}, {1}}, {{4}, {1}}, {{4}, {1}}, {{3, 4}, {1, 2}}});
    const TrendOmission table(rows);
    struct Column {
        int cell;
        std::vector<int> omission; // oldest row first
        TrendColumnSummary summary;
    };
    // Worked by hand; 平均遗漏 = (6 draws − occurrences) / (occurrences + 1).
    const std::vector<Column> columns{
        {3, {0, 0, 1, 2, 3, 4}, {2, 4.0 / 3, 4, 2}}, {4, {1, 2, 3, 4, 5, 6}, {0, 6.0, 6, 0}},
        {5, {1, 2, 0, 1, 2, 0}, {2, 4.0 / 3, 2, 1}}, {6, {1, 0, 1, 0, 0, 0}, {4, 0.4, 1, 3}},
        {8, {0, 0, 0, 0, 0, 0}, {6, 0.0, 0, 6}},     {9, {1, 2, 3, 4, 5, 0}, {1, 2.5, 5, 1}},
    };
    for (const Column& column : columns) {
        SCOPED_TRACE("cell " + std::to_string(column.cell));
        for (std::size_t r = 0; r < rows.rows(); ++r) {
            EXPECT_EQ(table.omission(r, column.cell), column.omission[r]) << "row " << r;
            EXPECT_EQ(table.drawn(r, column.cell), rows.marked(r, column.cell)) << "row " << r;
        }
        const TrendColumnSummary& summary = table.summary(column.cell);
        EXPECT_EQ(summary.occurrences, column.summary.occurrences);
        EXPECT_DOUBLE_EQ(summary.meanOmission, column.summary.meanOmission);
        EXPECT_EQ(summary.longestOmission, column.summary.longestOmission);
        EXPECT_EQ(summary.longestRun, column.summary.longestRun);
    }
    // The separators hold no figures.
    for (const int separator : {2, 7})
        EXPECT_EQ(table.summary(separator).occurrences + table.summary(separator).longestOmission, 0);
}

TEST(TrendOmission, SummarisesTheNewestDrawsAsIfTheyWereAll)
{
    // The rows of the test above; the newest three are rows 3-5.
    const HisText rows = trendRows({{{1}, {1}}, {{1, 4}, {1}}, {{3}, {1}}, {{4}, {1}}, {{4}, {1}}, {{3, 4}, {1, 2}}});
    const TrendOmission table(rows);
    const std::vector<TrendColumnSummary> last3 = table.summaries(3);
    struct Column {
        int cell;
        TrendColumnSummary summary;
    };
    // Front 1 was drawn only before them; the gaps and the mean count these three draws alone.
    const std::vector<Column> columns{
        {3, {0, 3.0, 3, 0}}, {5, {1, 1.0, 2, 1}}, {6, {3, 0.0, 0, 3}}, {8, {3, 0.0, 0, 3}}, {9, {1, 1.0, 2, 1}}};
    for (const Column& column : columns) {
        SCOPED_TRACE("cell " + std::to_string(column.cell));
        const TrendColumnSummary& summary = last3[static_cast<std::size_t>(column.cell)];
        EXPECT_EQ(summary.occurrences, column.summary.occurrences);
        EXPECT_DOUBLE_EQ(summary.meanOmission, column.summary.meanOmission);
        EXPECT_EQ(summary.longestOmission, column.summary.longestOmission);
        EXPECT_EQ(summary.longestRun, column.summary.longestRun);
    }
    // No limit, or one beyond the rows, is every row.
    for (const std::size_t draws : {std::size_t{0}, std::size_t{6}, std::size_t{100}}) {
        const std::vector<TrendColumnSummary> all = table.summaries(draws);
        EXPECT_EQ(all[6].occurrences, table.summary(6).occurrences);
        EXPECT_EQ(all[4].longestOmission, 6);
    }
}

TEST(TrendOmission, EmptyHistoryHasNoRowsAndZeroFigures)
{
    const TrendOmission table(trendRows({}));
    EXPECT_EQ(table.rows(), 0u);
    EXPECT_EQ(table.summary(3).occurrences, 0);
    EXPECT_DOUBLE_EQ(table.summary(3).meanOmission, 0.0);
    EXPECT_EQ(table.summary(9).longestOmission, 0);
}

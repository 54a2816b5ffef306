// The draw schedule of a lottery's definition: the next draw day, the coming draw and its issue,
// and how many scheduled draws the stored history lacks.
#include "common/calendar.h"
#include "store/database.h"
#include "store/draw_line_parser.h"
#include "store/draw_schedule.h"
#include "store/schema.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace quorlin;

namespace {

constexpr int kDrawMinute = 21 * 60 + 25;

LocalMinute at(std::int32_t date, int hour, int minute)
{
    return LocalMinute{date, hour * 60 + minute};
}

} // namespace

TEST(DrawSchedule, IsReadFromTheDefinitionOrRefused)
{
    const struct {
        const char* weekdays;
        const char* time;
        bool ok;
    } cases[] = {
        {"136", "21:25", true}, {"7", "9:05", true},      {"", "21:25", false},    {"138", "21:25", false},
        {"136", "", false},     {"136", "晚上", false},   {"136", "24:00", false}, {"136", "21:60", false},
        {"136", "21:5", false}, {"136", "121:25", false},
    };
    for (const auto& c : cases) {
        LotteryDefinition definition = shippedLotteryDefinition();
        definition.drawWeekdays = c.weekdays;
        definition.drawTime = c.time;
        EXPECT_EQ(DrawSchedule::of(definition).has_value(), c.ok) << c.weekdays << " " << c.time;
    }
    LotteryDefinition sunday = shippedLotteryDefinition();
    sunday.drawWeekdays = "7";
    sunday.drawTime = "9:05";
    const auto schedule = DrawSchedule::of(sunday);
    ASSERT_TRUE(schedule);
    EXPECT_EQ(schedule->drawMinute(), 9 * 60 + 5);
    EXPECT_EQ(schedule->nextDrawDate(20261011), 20261018) << "7 is Sunday";
    EXPECT_EQ(DrawSchedule::shipped().drawMinute(), kDrawMinute);
}

TEST(DrawSchedule, NextDrawDateIsTheFirstMondayWednesdayOrSaturdayAfter)
{
    const struct {
        int date;
        int next;
    } cases[] = {
        {20261011, 20261012}, // Sunday -> Monday
        {20261012, 20261014}, // Monday -> Wednesday
        {20261013, 20261014}, // Tuesday -> Wednesday
        {20261014, 20261017}, // Wednesday -> Saturday
        {20261015, 20261017}, // Thursday -> Saturday
        {20261016, 20261017}, // Friday -> Saturday
        {20261017, 20261019}, // Saturday -> Monday
        {20241230, 20250101}, // across the year
        {20240226, 20240228}, // Monday before a leap day
        {20240228, 20240302}, // Wednesday across the leap day
    };
    for (const auto& c : cases)
        EXPECT_EQ(DrawSchedule::shipped().nextDrawDate(c.date), c.next) << c.date;
}

TEST(DrawOutlook, CountsTheHeldDrawsAndNamesTheComingOne)
{
    const struct {
        const char* name;
        std::int32_t newestIssue;
        std::int32_t newestDate;
        LocalMinute now;
        DrawOutlook expected;
    } cases[] = {
        {"the evening of the newest draw, before its time",
         2026115,
         20261010,
         at(20261010, 21, 0),
         {20261012, 2026116, 0}},
        {"a draw day a minute before the draw", 2026115, 20261010, at(20261012, 21, 24), {20261012, 2026116, 0}},
        {"the draw's minute itself: held", 2026115, 20261010, at(20261012, 21, 25), {20261014, 2026117, 1}},
        {"a draw day after the draw", 2026115, 20261010, at(20261012, 23, 59), {20261014, 2026117, 1}},
        {"a day without a draw", 2026115, 20261010, at(20261013, 10, 0), {20261014, 2026117, 1}},
        {"two months behind", 2026115, 20261010, at(20261210, 22, 58), {20261212, 2026142, 26}},
        {"the first draw of a year", 2025150, 20251231, at(20260102, 12, 0), {20260103, 2026001, 0}},
        {"the first draw of a year held", 2025150, 20251231, at(20260103, 21, 25), {20260105, 2026002, 1}},
        {"behind across the year", 2025148, 20251227, at(20260105, 22, 0), {20260107, 2026003, 4}},
        {"new year's day is a draw day", 2024152, 20241230, at(20241231, 8, 0), {20250101, 2025001, 0}},
        {"no draw stored, before the draw", 0, 0, at(20261012, 21, 24), {20261012, 0, 0}},
        {"no draw stored, at the draw", 0, 0, at(20261012, 21, 25), {20261014, 0, 0}},
        {"a clock behind the newest draw", 2026115, 20261010, at(20261001, 9, 0), {20261012, 2026116, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DrawOutlook outlook = drawOutlook(DrawSchedule::shipped(), c.newestIssue, c.newestDate, c.now);
        EXPECT_EQ(outlook.nextDate, c.expected.nextDate);
        EXPECT_EQ(outlook.nextIssue, c.expected.nextIssue);
        EXPECT_EQ(outlook.behind, c.expected.behind);
    }
    EXPECT_EQ(behindWarning(26), "数据已落后 26 期，请下载");
}

// The real history: wherever the next draw came on the next scheduled day (no holiday break in
// between), the outlook names its date and issue, over every new year included.
TEST(DrawOutlook, AgreesWithTheRealHistoryOutsideHolidayBreaks)
{
    std::vector<std::string> dates;
    const Grid<std::int32_t> history = test::shippedHistory(&dates);
    int compared = 0;
    int newYears = 0;
    for (std::size_t i = 0; i + 1 < history.rows(); ++i) {
        std::int32_t date = 0;
        std::int32_t nextDate = 0;
        ASSERT_TRUE(parseDrawDate(dates[i], date) && parseDrawDate(dates[i + 1], nextDate));
        if (DrawSchedule::shipped().nextDrawDate(date) != nextDate)
            continue;
        const DrawOutlook outlook = drawOutlook(DrawSchedule::shipped(), history.at(i, 0), date, at(nextDate, 21, 24));
        EXPECT_EQ(outlook.nextDate, nextDate) << history.at(i, 0);
        EXPECT_EQ(outlook.nextIssue, history.at(i + 1, 0)) << history.at(i, 0);
        EXPECT_EQ(outlook.behind, 0);
        ++compared;
        newYears += history.at(i + 1, 0) % 1000 == 1 ? 1 : 0;
    }
    EXPECT_GT(compared, 2800);
    EXPECT_GE(newYears, 15);
}

TEST(DrawOutlook, IsReadFromTheDatabaseForALottery)
{
    test::ShippedProgram program;
    Database db;
    db.open(program.databasePath());
    const LocalMinute monday = at(20200106, 20, 0);
    const auto empty = readDrawOutlook(db, kShippedLottery, monday);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->nextDate, 20200106);
    EXPECT_EQ(empty->nextIssue, 0);

    test::insertDraws(program.databasePath(), kShippedLottery, {{2020001, 1, 2, 3, 4, 5, 1, 2}}, "2020-01-01");
    test::insertDraws(program.databasePath(), kShippedLottery, {{2019150, 1, 2, 3, 4, 5, 1, 2}}, "2019-12-30");
    const auto stored = readDrawOutlook(db, kShippedLottery, monday);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->nextDate, 20200106);
    EXPECT_EQ(stored->nextIssue, 2020003) << "counted from the newest issue, not the last row written";
    EXPECT_EQ(stored->behind, 1);

    db.exec("update " + quoteIdentifier(definitionTableName(kShippedLottery)) + " set 开奖时间='晚上'");
    EXPECT_FALSE(readDrawOutlook(db, kShippedLottery, monday));
    EXPECT_THROW(readDrawOutlook(db, "没有的彩票", monday), DatabaseError);
}

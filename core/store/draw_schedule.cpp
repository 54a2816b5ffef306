#include "store/draw_schedule.h"

#include "common/calendar.h"
#include "common/text_file.h"
#include "store/database.h"
#include "store/draw_line_parser.h"
#include "store/lottery_catalog.h"
#include "store/schema.h"

#include <charconv>

namespace quorlin {

namespace {

// "H:MM" or "HH:MM" as the minute of the day, or -1.
int readMinute(const std::string& text)
{
    const auto colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 2 || text.size() != colon + 3)
        return -1;
    const std::string_view hours(text.data(), colon);
    const std::string_view minutes(text.data() + colon + 1, 2);
    if (!isAllDigits(hours) || !isAllDigits(minutes))
        return -1;
    int h = 0;
    int m = 0;
    std::from_chars(hours.data(), hours.data() + hours.size(), h);
    std::from_chars(minutes.data(), minutes.data() + minutes.size(), m);
    return h < 24 && m < 60 ? h * 60 + m : -1;
}

bool heldBy(std::int32_t date, int minute, LocalMinute now)
{
    return date < now.date || (date == now.date && minute <= now.minute);
}

} // namespace

std::optional<DrawSchedule> DrawSchedule::of(const LotteryDefinition& definition)
{
    DrawSchedule schedule;
    bool any = false;
    for (const char day : definition.drawWeekdays) {
        if (day < '1' || day > '7')
            return std::nullopt;
        schedule.days_[static_cast<std::size_t>((day - '0') % 7)] = true;
        any = true;
    }
    schedule.minute_ = readMinute(definition.drawTime);
    if (!any || schedule.minute_ < 0)
        return std::nullopt;
    return schedule;
}

DrawSchedule DrawSchedule::shipped()
{
    return *of(shippedLotteryDefinition());
}

std::int32_t DrawSchedule::nextDrawDate(std::int32_t date) const
{
    std::int32_t next = addDays(date, 1);
    while (!days_[static_cast<std::size_t>(weekdayOf(next))])
        next = addDays(next, 1);
    return next;
}

DrawOutlook drawOutlook(const DrawSchedule& schedule, std::int32_t newestIssue, std::int32_t newestDate,
                        LocalMinute now)
{
    DrawOutlook outlook;
    outlook.nextMinute = schedule.drawMinute();
    if (newestDate == 0) {
        // Nothing stored to count from: only the date of the coming draw is known.
        std::int32_t date = addDays(now.date, -1);
        do
            date = schedule.nextDrawDate(date);
        while (heldBy(date, schedule.drawMinute(), now));
        outlook.nextDate = date;
        return outlook;
    }
    std::int32_t date = newestDate;
    std::int32_t issue = newestIssue;
    while (true) {
        const std::int32_t next = schedule.nextDrawDate(date);
        issue = next / 10000 != date / 10000 ? next / 10000 * 1000 + 1 : issue + 1;
        date = next;
        if (!heldBy(date, schedule.drawMinute(), now))
            break;
        ++outlook.behind;
    }
    outlook.nextDate = date;
    outlook.nextIssue = issue;
    return outlook;
}

std::optional<DrawOutlook> readDrawOutlook(Database& db, const std::string& lottery, LocalMinute now)
{
    const auto schedule = DrawSchedule::of(readDefinition(db, lottery));
    if (!schedule)
        return std::nullopt;
    std::int32_t issue = 0;
    std::int32_t date = 0;
    Statement newest(db, "select 记录期号,开奖日期 from " + quoteIdentifier(drawTableName(lottery)) +
                             " order by 记录期号 desc limit 1");
    if (newest.step() && !parseDrawIssue(newest.text(0), issue))
        issue = 0;
    if (issue == 0 || !parseDrawDate(newest.text(1), date))
        issue = date = 0;
    return drawOutlook(*schedule, issue, date, now);
}

std::string behindWarning(int behind)
{
    return "数据已落后 " + std::to_string(behind) + " 期，请下载";
}

} // namespace quorlin

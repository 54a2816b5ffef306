#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quorlin {

class Database;
struct LotteryDefinition;

/// A local moment to the minute: the date (year * 10000 + month * 100 + day) and the minute of the day.
struct LocalMinute {
    std::int32_t date = 0;
    int minute = 0;
};

/// When a lottery draws, as its definition says: the weekdays (开奖星期, "136" = Monday, Wednesday,
/// Saturday; 1 Monday … 7 Sunday) and the time of day (开奖时间, "21:25"). Holiday breaks are not
/// part of it, so dates it gives across one are those the weekdays would give.
class DrawSchedule {
public:
    /// The schedule of a definition; nullopt when its weekdays name no day or its time is not H:MM.
    static std::optional<DrawSchedule> of(const LotteryDefinition& definition);
    /// The schedule of the lottery the program ships with.
    static DrawSchedule shipped();

    /// The first draw day after `date`.
    std::int32_t nextDrawDate(std::int32_t date) const;
    /// Minute of the day the draw is held.
    int drawMinute() const { return minute_; }

private:
    std::array<bool, 7> days_{}; // indexed 0 Sunday … 6 Saturday, as weekdayOf counts
    int minute_ = 0;
};

/// The coming draw and how far the stored history lags behind the schedule.
struct DrawOutlook {
    std::int32_t nextDate = 0;  ///< the first scheduled draw after now
    std::int32_t nextIssue = 0; ///< its issue; 0 when no draw is stored to count from
    int behind = 0;             ///< scheduled draws after the newest stored one that are already held
    int nextMinute = 0;         ///< the minute of the day of the coming draw
};

/// The outlook from the newest stored draw (issue 2026115, date 20261010; both 0 when the table is
/// empty) at `now`. A draw counts as held from its minute on. Issues count on by one a draw and
/// restart at <year>001 with the first draw of a year.
DrawOutlook drawOutlook(const DrawSchedule& schedule, std::int32_t newestIssue, std::int32_t newestDate,
                        LocalMinute now);

/// The outlook of a lottery of the database at `now`, from its definition and its newest stored
/// draw (a table without a draw, or whose newest issue or date is unreadable, counts as empty);
/// nullopt when its definition gives no schedule. Throws DatabaseError.
std::optional<DrawOutlook> readDrawOutlook(Database& db, const std::string& lottery, LocalMinute now);

/// "数据已落后 N 期，请下载".
std::string behindWarning(int behind);

} // namespace quorlin

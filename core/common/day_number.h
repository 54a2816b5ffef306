#pragma once

#include <cstdint>
#include <string>

namespace quorlin {

/// Day arithmetic on calendar dates written as year * 10000 + month * 100 + day (the form
/// parseDrawDate gives), in the Gregorian calendar extended backwards.
namespace days {

/// Whole days from 1970-01-01 to the date (negative before it).
std::int64_t fromDate(std::int32_t date);
/// The date that many days after 1970-01-01.
std::int32_t toDate(std::int64_t days);
/// 0 Sunday, 1 Monday … 6 Saturday.
int weekday(std::int32_t date);
/// The date written year-month-day without leading zeros ("2026-3-7").
std::string shortText(std::int32_t date);

} // namespace days

} // namespace quorlin

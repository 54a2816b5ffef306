#include "common/day_number.h"

namespace quorlin::days {

// The civil-date conversions count in eras of 400 years, which repeat exactly in the Gregorian
// calendar, with years starting on 1 March so that the leap day falls at a year's end.
std::int64_t fromDate(std::int32_t date)
{
    std::int64_t y = date / 10000;
    const std::int64_t m = date / 100 % 100;
    const std::int64_t d = date % 100;
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::int32_t toDate(std::int64_t days)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t doe = days - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = yoe + era * 400 + (m <= 2);
    return static_cast<std::int32_t>(y * 10000 + m * 100 + d);
}

int weekday(std::int32_t date)
{
    // 1970-01-01 was a Thursday.
    const std::int64_t r = (fromDate(date) + 4) % 7;
    return static_cast<int>(r < 0 ? r + 7 : r);
}

std::string shortText(std::int32_t date)
{
    return std::to_string(date / 10000) + "-" + std::to_string(date / 100 % 100) + "-" + std::to_string(date % 100);
}

} // namespace quorlin::days

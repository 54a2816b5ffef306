#include "common/calendar.h"

#include <charconv>
#include <cstdio>
#include <ctime>

namespace quorlin {

bool isValidDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int last = month == 2 && leap ? 29 : kDays[month - 1];
    return day <= last;
}

namespace {

bool readPart(std::string_view& rest, int& value, std::size_t minDigits, std::size_t maxDigits)
{
    const char* begin = rest.data();
    const char* end = begin + rest.size();
    auto [ptr, ec] = std::from_chars(begin, end, value);
    const auto digits = static_cast<std::size_t>(ptr - begin);
    if (ec != std::errc() || digits < minDigits || digits > maxDigits || *begin == '+' || *begin == '-')
        return false;
    rest.remove_prefix(digits);
    return true;
}

} // namespace

bool isDateText(std::string_view text)
{
    return dateFromText(text) != 0;
}

int dateFromText(std::string_view text)
{
    int year = 0;
    int month = 0;
    int day = 0;
    std::string_view rest = text;
    if (!readPart(rest, year, 4, 4) || rest.empty())
        return 0;
    const char sep = rest.front();
    if (sep != '-' && sep != '/')
        return 0;
    rest.remove_prefix(1);
    if (!readPart(rest, month, 1, 2) || rest.empty() || rest.front() != sep)
        return 0;
    rest.remove_prefix(1);
    if (!readPart(rest, day, 1, 2) || !rest.empty() || !isValidDate(year, month, day))
        return 0;
    return year * 10000 + month * 100 + day;
}

std::string dateText(int date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date / 10000, date / 100 % 100, date % 100);
    return text;
}

std::string canonicalDateText(std::string_view text)
{
    const int date = dateFromText(text);
    if (date == 0)
        return {};
    // Most dates are stored in that form already.
    if (text.size() == 10 && text[4] == '-' && text[7] == '-')
        return std::string(text);
    return dateText(date);
}

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's civil-day algorithms).
int dayNumber(int date)
{
    int year = date / 10000;
    const int month = date / 100 % 100;
    const int day = date % 100;
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int civilDate(int days)
{
    days += 719468;
    const int era = (days >= 0 ? days : days - 146096) / 146097;
    const int dayOfEra = days - era * 146097;
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const int month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const int year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return year * 10000 + month * 100 + day;
}

} // namespace

int weekdayOf(int date)
{
    // 1970-01-01 was a Thursday.
    const int weekday = (dayNumber(date) + 4) % 7;
    return weekday < 0 ? weekday + 7 : weekday;
}

int addDays(int date, int days)
{
    return civilDate(dayNumber(date) + days);
}

int todayDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
}

} // namespace quorlin

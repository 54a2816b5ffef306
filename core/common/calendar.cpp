#include "common/calendar.h"

#include <charconv>

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
    int year = 0;
    int month = 0;
    int day = 0;
    std::string_view rest = text;
    if (!readPart(rest, year, 4, 4) || rest.empty())
        return false;
    const char sep = rest.front();
    if (sep != '-' && sep != '/')
        return false;
    rest.remove_prefix(1);
    if (!readPart(rest, month, 1, 2) || rest.empty() || rest.front() != sep)
        return false;
    rest.remove_prefix(1);
    if (!readPart(rest, day, 1, 2) || !rest.empty())
        return false;
    return isValidDate(year, month, day);
}

} // namespace quorlin

#pragma once

#include <string>
#include <string_view>

namespace quorlin {

/// True for a real calendar date (leap years counted).
bool isValidDate(int year, int month, int day);

/// True when the text is a real date written year-month-day with '-' or '/' between the parts
/// (the form the draw tables store, e.g. "2007-05-30").
bool isDateText(std::string_view text);
/// The date such a text names, written year * 10000 + month * 100 + day; 0 when it is none.
int dateFromText(std::string_view text);

/// A date written year * 10000 + month * 100 + day as the draw tables store it: "2007-05-30".
std::string dateText(int date);
/// The text of a date the way dateText writes it, whatever form `text` is in ("2007/5/30");
/// empty when it is not a date.
std::string canonicalDateText(std::string_view text);

/// Day of the week of a date written year * 10000 + month * 100 + day: 0 Sunday, 1 Monday … 6 Saturday.
int weekdayOf(int date);

/// The date `days` days after `date` (both written year * 10000 + month * 100 + day).
int addDays(int date, int days);

/// Today's local date, written year * 10000 + month * 100 + day.
int todayDate();

} // namespace quorlin

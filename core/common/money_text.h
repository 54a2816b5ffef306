#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorlin {

// Money and large counts as the windows show them to a Chinese reader. The command line and every
// export keep the plain numbers (std::to_string, yuanText).
//
// The full form, for sentences and labels: the whole part grouped in threes by commas, a fraction
// of 分 always with two decimals ("1,234元", "-5,000元", "6,547,013.52元", "1,234.50元").
// The short form, for narrow columns: below 1万 the full form; from 1万 "12.35万元", from 1亿
// "315.37亿元", two decimals rounded half away from zero. An amount that would round to
// "10,000.00万" reads "1.00亿元" instead.

/// A whole number grouped in threes: "-1,234,567".
std::string groupedNumber(std::int64_t value);

/// Whole 元 in full: "1,234元".
std::string yuanFullText(std::int64_t yuan);
/// 分 in full: "1,234元", "1,234.50元"; another unit, or none, in place of 元.
std::string fenFullText(std::int64_t fen, std::string_view unit = "元");
/// Whole 元 in short: "9,999元", "12.35万元", "315.37亿元".
std::string yuanShortText(std::int64_t yuan);
/// 分 in short: "9,999.99元", "12.35万元".
std::string fenShortText(std::int64_t fen);
/// An amount of 元 with a fraction (an expected prize) in full, rounded to the 分: "92,240,903.46元".
std::string yuanFullText(double yuan);
/// A count in full with its unit: "1,234,567注".
std::string countFullText(std::uint64_t count, std::string_view unit);
/// A count in short with its unit: "9,999注", "123.46万注"; an empty unit gives "123.46万".
std::string countShortText(std::uint64_t count, std::string_view unit);

/// How a chart axis of money in 元 reads: its values divided by `divisor`, in `unit`.
struct MoneyScale {
    double divisor = 1;
    const char* unit = "元";
};
/// The scale for values up to `largest` in magnitude: 元 below 1万, 万元 below 1亿, else 亿元.
MoneyScale moneyScale(double largest);

} // namespace quorlin

#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorlin {

/// A text that should hold a whole number and does not; its message names the text, as the
/// conversion error the user sees.
class WholeNumberError : public std::runtime_error {
public:
    explicit WholeNumberError(std::string_view text);
};

/// A stake-plan figure that leaves the range of signed 64-bit numbers. The plans compute exactly
/// or not at all: a wrapped total would show the user a plan that cannot be paid.
class MoneyOverflowError : public std::overflow_error {
public:
    MoneyOverflowError();
    /// The same for another computation, with its own message.
    explicit MoneyOverflowError(const std::string& message);
};

/// The whole number in `text` (blanks around it and a leading sign allowed), or nothing.
std::optional<std::int64_t> parseWholeNumber(std::string_view text);
/// The whole number of a field or file line; throws WholeNumberError.
std::int64_t toInt64(std::string_view text);
/// As toInt64, for the fields that size tables and count bets; throws WholeNumberError also when
/// the number does not fit 32 bits.
std::int32_t toInt32(std::string_view text);

/// Exact sums and products of money; throw MoneyOverflowError instead of wrapping.
std::int64_t moneyAdd(std::int64_t a, std::int64_t b);
std::int64_t moneySub(std::int64_t a, std::int64_t b);
std::int64_t moneyMul(std::int64_t a, std::int64_t b);

/// 当期利润率(%): the net profit in percent of the total invested, truncated toward zero; 0 when
/// nothing has been invested, where a rate has no meaning.
std::int64_t profitRate(std::int64_t net, std::int64_t total);

} // namespace quorlin

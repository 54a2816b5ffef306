#include "invest/money.h"

#include "common/text_encoding.h"

#include <charconv>
#include <limits>

namespace quorlin {

namespace {
// The one product that may pass 64 bits before it is divided back into range.
__extension__ typedef __int128 Wide;
} // namespace

WholeNumberError::WholeNumberError(std::string_view text)
    : std::runtime_error("“" + lineExcerpt(text) + "”不是有效的整数")
{
}

MoneyOverflowError::MoneyOverflowError() : std::overflow_error("金额超出计算范围，无法投注！") {}

MoneyOverflowError::MoneyOverflowError(const std::string& message) : std::overflow_error(message) {}

std::optional<std::int64_t> parseWholeNumber(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::int64_t toInt64(std::string_view text)
{
    const auto value = parseWholeNumber(text);
    if (!value)
        throw WholeNumberError(text);
    return *value;
}

std::int32_t toInt32(std::string_view text)
{
    const std::int64_t value = toInt64(text);
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw WholeNumberError(text);
    return static_cast<std::int32_t>(value);
}

std::int64_t moneyAdd(std::int64_t a, std::int64_t b)
{
    std::int64_t r = 0;
    if (__builtin_add_overflow(a, b, &r))
        throw MoneyOverflowError();
    return r;
}

std::int64_t moneySub(std::int64_t a, std::int64_t b)
{
    std::int64_t r = 0;
    if (__builtin_sub_overflow(a, b, &r))
        throw MoneyOverflowError();
    return r;
}

std::int64_t moneyMul(std::int64_t a, std::int64_t b)
{
    std::int64_t r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        throw MoneyOverflowError();
    return r;
}

std::int64_t profitRate(std::int64_t net, std::int64_t total)
{
    if (total == 0)
        return 0;
    const Wide rate = static_cast<Wide>(net) * 100 / total;
    if (rate < std::numeric_limits<std::int64_t>::min() || rate > std::numeric_limits<std::int64_t>::max())
        throw MoneyOverflowError();
    return static_cast<std::int64_t>(rate);
}

} // namespace quorlin

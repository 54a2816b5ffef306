#include "common/decimal_text.h"

#include <charconv>

namespace quorlin {

namespace {

template <class Real> std::string fixed(Real value, int decimals)
{
    // Room for every double in fixed notation; a larger long double (never a count or an amount of
    // the program) gives "-".
    char text[400];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(text, end) : std::string("-");
}

} // namespace

std::string decimalText(double value, int decimals)
{
    return fixed(value, decimals);
}

std::string decimalText(long double value, int decimals)
{
    return fixed(value, decimals);
}

std::string percentText(double ratio)
{
    return fixed(ratio * 100.0, 1) + '%';
}

} // namespace quorlin

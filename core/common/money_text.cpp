#include "common/money_text.h"

#include "common/decimal_text.h"

#include <cmath>

namespace quorlin {

namespace {

constexpr std::uint64_t kWan = 10'000;
constexpr std::uint64_t kYi = 100'000'000;

// An amount as a magnitude in its smallest unit: `perWhole` of them make one 元 (or one of a count).
struct Amount {
    std::uint64_t magnitude = 0;
    bool negative = false;
    std::uint64_t perWhole = 1;
};

Amount amountOf(std::int64_t value, std::uint64_t perWhole)
{
    // The magnitude of the most negative value is still exact in 64 unsigned bits.
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    return {magnitude, value < 0, perWhole};
}

std::string grouped(std::uint64_t whole)
{
    const std::string digits = std::to_string(whole);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

std::string twoDigits(std::uint64_t hundredths)
{
    return {static_cast<char>('0' + hundredths / 10), static_cast<char>('0' + hundredths % 10)};
}

std::string fullText(const Amount& a, std::string_view unit)
{
    std::string text = (a.negative ? "-" : "") + grouped(a.magnitude / a.perWhole);
    const std::uint64_t rest = a.magnitude % a.perWhole;
    if (rest != 0) // only 分: perWhole is 100
        text += '.' + twoDigits(rest);
    return text + std::string(unit);
}

// The magnitude in hundredths of `size` whole ones, rounded half away from zero.
std::uint64_t hundredthsOf(const Amount& a, std::uint64_t size)
{
    const std::uint64_t hundredth = size / 100 * a.perWhole;
    return a.magnitude / hundredth + (a.magnitude % hundredth >= hundredth - hundredth / 2 ? 1 : 0);
}

std::string shortText(const Amount& a, std::string_view unit)
{
    if (a.magnitude < kWan * a.perWhole)
        return fullText(a, unit);
    std::uint64_t hundredths = hundredthsOf(a, kWan);
    const char* scale = "万";
    if (a.magnitude >= kYi * a.perWhole || hundredths >= kYi / kWan * 100) {
        hundredths = hundredthsOf(a, kYi);
        scale = "亿";
    }
    return (a.negative ? "-" : "") + grouped(hundredths / 100) + '.' + twoDigits(hundredths % 100) + scale +
           std::string(unit);
}

} // namespace

std::string groupedNumber(std::int64_t value)
{
    return fullText(amountOf(value, 1), "");
}

std::string yuanFullText(std::int64_t yuan)
{
    return fullText(amountOf(yuan, 1), "元");
}

std::string fenFullText(std::int64_t fen, std::string_view unit)
{
    return fullText(amountOf(fen, 100), unit);
}

std::string yuanFullText(double yuan)
{
    const double fen = std::round(yuan * 100);
    // Past 64 bits of 分 (never an amount of the game) the plain decimals, ungrouped.
    if (!(std::fabs(fen) < 9e18))
        return decimalText(yuan, 2) + "元";
    return fenFullText(static_cast<std::int64_t>(fen));
}

std::string yuanShortText(std::int64_t yuan)
{
    return shortText(amountOf(yuan, 1), "元");
}

std::string fenShortText(std::int64_t fen)
{
    return shortText(amountOf(fen, 100), "元");
}

std::string countFullText(std::uint64_t count, std::string_view unit)
{
    return fullText({count, false, 1}, unit);
}

std::string countShortText(std::uint64_t count, std::string_view unit)
{
    return shortText({count, false, 1}, unit);
}

MoneyScale moneyScale(double largest)
{
    const double magnitude = std::fabs(largest);
    if (magnitude >= static_cast<double>(kYi))
        return {static_cast<double>(kYi), "亿元"};
    if (magnitude >= static_cast<double>(kWan))
        return {static_cast<double>(kWan), "万元"};
    return {};
}

} // namespace quorlin

#include "common/yuan_amount.h"

#include <cstdlib>

namespace quorlin {

std::optional<std::int64_t> parseYuan(std::string_view text)
{
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() || (point != std::string_view::npos && (fraction.empty() || fraction.size() > 2)))
        return std::nullopt;
    const bool grouped = whole.find(',') != std::string_view::npos;
    std::int64_t yuan = 0;
    std::size_t digits = 0; // since the last comma
    for (std::size_t i = 0; i < whole.size(); ++i) {
        const char c = whole[i];
        if (c == ',') {
            // A comma follows one to three leading digits or a full group, and is followed by one.
            if (digits == 0 || digits > 3 || (i > digits && digits != 3))
                return std::nullopt;
            digits = 0;
            continue;
        }
        if (c < '0' || c > '9' || __builtin_mul_overflow(yuan, 10, &yuan) ||
            __builtin_add_overflow(yuan, c - '0', &yuan))
            return std::nullopt;
        ++digits;
    }
    if (grouped && digits != 3)
        return std::nullopt;
    std::int64_t fen = 0;
    for (std::size_t k = 0; k < 2; ++k) {
        const char c = k < fraction.size() ? fraction[k] : '0';
        if (c < '0' || c > '9')
            return std::nullopt;
        fen = fen * 10 + (c - '0');
    }
    std::int64_t total = 0;
    if (__builtin_mul_overflow(yuan, 100, &total) || __builtin_add_overflow(total, fen, &total))
        return std::nullopt;
    return total;
}

namespace {

std::string fractionText(std::int64_t fen)
{
    const std::int64_t cents = std::llabs(fen % 100);
    if (cents == 0)
        return {};
    std::string text = "." + std::to_string(cents / 10);
    if (cents % 10 != 0)
        text += std::to_string(cents % 10);
    return text;
}

} // namespace

std::string yuanText(std::int64_t fen)
{
    return (fen < 0 && fen > -100 ? "-" : "") + std::to_string(fen / 100) + fractionText(fen);
}

} // namespace quorlin

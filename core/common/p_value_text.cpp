#include "common/p_value_text.h"

#include <charconv>

namespace quorlin {

std::string pValueText(double p)
{
    if (!(p >= 1e-300))
        return "<1e-300";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, p, std::chars_format::general, 3);
    return std::string(buffer, result.ptr);
}

} // namespace quorlin

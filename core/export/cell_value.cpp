#include "export/cell_value.h"

#include "common/calendar.h"

#include <charconv>

namespace quorlin {

namespace {

constexpr int kMostSignificantDigits = 15;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Digits, optionally one '.' with digits on both sides, after an optional '-'.
bool readsAsNumber(std::string_view text, int& significant, bool& fraction)
{
    std::size_t i = text.size() > 1 && text[0] == '-' ? 1 : 0;
    std::size_t intDigits = 0;
    std::size_t fracDigits = 0;
    fraction = false;
    significant = 0;
    bool leading = true;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !fraction && intDigits > 0) {
            fraction = true;
            continue;
        }
        if (!isDigit(c))
            return false;
        (fraction ? fracDigits : intDigits) += 1;
        if (c != '0')
            leading = false;
        if (!leading)
            ++significant;
    }
    return intDigits > 0 && (!fraction || fracDigits > 0);
}

} // namespace

CellValue cellValue(std::string_view text)
{
    CellValue value;
    int significant = 0;
    bool fraction = false;
    if (readsAsNumber(text, significant, fraction)) {
        if (significant > kMostSignificantDigits)
            return value;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value.number);
        if (ec != std::errc() || end != text.data() + text.size())
            return value;
        value.kind = CellValue::Kind::Number;
        const std::string_view magnitude = text[0] == '-' ? text.substr(1) : text;
        const std::size_t point = magnitude.find('.');
        const std::size_t whole = point == std::string_view::npos ? magnitude.size() : point;
        if (whole > 1 && magnitude[0] == '0')
            value.digits = static_cast<int>(whole);
        if (point != std::string_view::npos)
            value.decimals = static_cast<int>(magnitude.size() - point - 1);
        return value;
    }
    if (const int date = dateFromText(text); date != 0) {
        value.kind = CellValue::Kind::Date;
        value.date = date;
        value.slashDate = text.find('/') != std::string_view::npos;
    }
    return value;
}

int displayWidth(std::string_view text)
{
    int width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        // From U+2E80 on (E2 BA 80) come the CJK ideographs, kana, hangul and full-width forms:
        // two columns each.
        const auto second = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0u;
        const bool wide = length == 4 || (length == 3 && (lead > 0xE2 || (lead == 0xE2 && second >= 0xBA)));
        width += wide ? 2 : 1;
        i += length;
    }
    return width;
}

} // namespace quorlin

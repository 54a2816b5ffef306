#include "store/his_text.h"

#include <algorithm>
#include <cstdio>

namespace quorlin {

void HisText::resize(std::size_t rows, int frontTotal, int backTotal)
{
    frontTotal_ = frontTotal;
    backTotal_ = backTotal;
    issues_.assign(rows, {});
    drawTexts_.assign(rows, {});
    marks_.resize(rows, static_cast<std::size_t>(frontTotal + backTotal + 4));
}

void HisText::setRow(std::size_t r, std::string issue, std::string drawText)
{
    issues_[r] = std::move(issue);
    drawTexts_[r] = std::move(drawText);
    auto row = marks_.row(r);
    std::fill(row.begin(), row.end(), std::uint8_t{0});
}

std::string HisText::cell(std::size_t r, int c) const
{
    if (c == 0)
        return issues_[r];
    if (c == 1)
        return drawTexts_[r];
    return marked(r, c) ? "1" : "0";
}

namespace {

// One number "%.2d" (at least two digits), appended without going through printf: the display
// rows are rebuilt for every draw on every mapping switch.
void appendNumber(std::string& text, int n)
{
    if (n >= 0 && n < 100) {
        text += static_cast<char>('0' + n / 10);
        text += static_cast<char>('0' + n % 10);
    } else {
        text += std::to_string(n);
    }
}

} // namespace

std::string formatDrawText(const int* front, int frontCount, const int* back, int backCount)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(frontCount + backCount) * 3 + 3);
    for (int i = 0; i < frontCount; ++i) {
        if (i > 0)
            text += ' ';
        appendNumber(text, front[i]);
    }
    text += " +";
    for (int i = 0; i < backCount; ++i) {
        text += ' ';
        appendNumber(text, back[i]);
    }
    return text;
}

} // namespace quorlin

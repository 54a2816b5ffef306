#include "wheel/wheel_bets.h"

#include <algorithm>
#include <charconv>

namespace quorlin {

namespace {

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::string checkWheelNumbers(const std::vector<std::string>& boxes, std::vector<int>& numbers)
{
    numbers.clear();
    for (const std::string& box : boxes) {
        const std::string_view text = trimmed(box);
        int value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || ec != std::errc() || end != text.data() + text.size())
            return kBadNumberBox;
        numbers.push_back(value);
    }
    for (std::size_t i = 0; i < boxes.size(); ++i)
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
            if (trimmed(boxes[i]) == trimmed(boxes[j]))
                return kRepeatedNumberBox;
    return {};
}

std::vector<std::vector<int>> wheelBets(const Wheel& wheel, const std::vector<int>& basic,
                                        const std::vector<int>& bankers)
{
    std::vector<std::vector<int>> bets;
    bets.reserve(wheel.lines());
    for (std::size_t i = 0; i < wheel.lines(); ++i) {
        std::vector<int> bet;
        for (int k = 0; k < wheel.width; ++k)
            bet.push_back(basic.at(wheel.line(i)[k] - 1u));
        bet.insert(bet.end(), bankers.begin(), bankers.end());
        std::sort(bet.begin(), bet.end());
        bets.push_back(std::move(bet));
    }
    return bets;
}

} // namespace quorlin

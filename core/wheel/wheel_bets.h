#pragma once

#include "wheel/wheel_file.h"

#include <string>
#include <vector>

namespace quorlin {

/// Checks the number boxes the wheel maps onto (basic numbers, then bankers), in the order the
/// player sees the messages: a box without a whole number, then two boxes with the same text (the
/// comparison is textual, so "5" and "05" differ). Empty when they are fine; `numbers` gets the values.
std::string checkWheelNumbers(const std::vector<std::string>& boxes, std::vector<int>& numbers);

inline constexpr const char* kBadNumberBox = "请在下面号码框中输入正确的号码数字！";
inline constexpr const char* kRepeatedNumberBox = "请不要输入重复的号码数字！";

/// The bets of a wheel: line positions p become basic[p − 1], every banker is added, and each bet
/// is sorted ascending. The wheel has been read for basic.size() numbers.
std::vector<std::vector<int>> wheelBets(const Wheel& wheel, const std::vector<int>& basic,
                                        const std::vector<int>& bankers);

} // namespace quorlin

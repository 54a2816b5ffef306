#pragma once

#include <optional>
#include <string>

namespace quorlin {

/// What the player asks of a wheel: selection count S (选S型), B basic numbers, D bankers (0 for a
/// balanced wheel), and the guarantee "中K保G": when K of the numbers are drawn, G are on one bet.
/// The defaults suit this game's front of five numbers: a six-number wheel would make bets that
/// cannot be played.
struct WheelSettings {
    int selection = 5;
    int basic = 10;
    int bankers = 0;
    bool bankerAndDrag = false;
    int ok = 5;
    int guarantee = 4;
};

/// The folder of the shipped wheels, below the program directory.
inline constexpr const char* kWheelFolder = "旋转矩阵";

/// "一" … "七" for 1 … 7; empty for other counts.
std::string chineseDigit(int n);

/// The wheel file the settings call for, e.g. "选六型10码中6保5.txt"; banker-and-drag uses the
/// balanced wheel of the drag part ("选五型09码中5保4.txt" for 选六型, 9 + 1 banker, 中6保5).
/// Nothing when the bankers leave no drag part (D ≥ S), which names no wheel.
std::optional<std::string> wheelFileName(const WheelSettings& settings);

/// The name proposed for the saved bets, e.g. "选六型10码中6保5投注号码.txt" or
/// "选六型1胆9拖中6保5投注号码.txt".
std::string betFileName(const WheelSettings& settings);

/// The most basic numbers and bankers 旋转矩阵组号缩水 offers.
inline constexpr int kWheelWindowMaxBasic = 21;
inline constexpr int kWheelWindowMaxBankers = 2;

/// The refusal for D ≥ S.
inline constexpr const char* kTooManyBankers = "胆码个数必须小于彩票类型的选号个数！";

} // namespace quorlin

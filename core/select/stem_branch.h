#pragma once

#include "select/backtest_report.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

class Progress;
struct ZoneDraws;

/// The ten heavenly stems, in the order days take them.
inline const std::array<std::string, 10> kStems = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
/// The twelve earthly branches, in the order days take them. The program has always written the
/// eighth and the eleventh as "末" and "戍"; they are shown and read back as text, so they stay.
inline const std::array<std::string, 12> kBranches = {"子", "丑", "寅", "卯", "辰", "巳",
                                                      "午", "末", "申", "酉", "戍", "亥"};

/// The stem and branch of a day, as indices into kStems and kBranches.
struct StemBranch {
    int stem = 0;
    int branch = 0;
    bool operator==(const StemBranch&) const = default;
};

/// The stem and branch of a date (year * 10000 + month * 100 + day), counted in days from
/// 2001-5-1, a 甲子 day. Earlier dates count backwards with a non-negative remainder, so the cycle
/// simply runs on before the reference day.
StemBranch stemBranchOf(std::int32_t date);

/// The date of the coming draw after a draw on `lastDate`: for 中国体彩超级大乐透, which draws on
/// Monday, Wednesday and Saturday, the next of those days (Sunday, Tuesday and Friday step one
/// day); for any other lottery the next day.
std::int32_t comingDrawDate(std::int32_t lastDate, const std::string& lotteryName);

/// The date of target draw `target`: a draw's own date, or for the coming draw (draws.size())
/// the date after the last draw's. Nothing when that date text is not a date (or there is no draw).
std::optional<std::int32_t> targetDrawDate(const ZoneDraws& draws, std::size_t target, const std::string& lotteryName);

/// The index of a stem or branch text; nothing when it is none of them.
std::optional<int> stemIndex(std::string_view text);
std::optional<int> branchIndex(std::string_view text);

/// The last digits chosen for a day's stem and branch; `additional` is the 附加 mode.
std::array<bool, 10> chosenDigits(StemBranch day, bool additional);
/// The numbers 1..zoneSize ending in a chosen digit, ascending.
std::vector<int> chosenNumbers(const std::array<bool, 10>& digits, int zoneSize);

/// The back-test: every draw, the first included, bet on with its own date. Throws
/// std::runtime_error naming the text when a draw date is not a date.
BacktestReport stemBranchBacktest(const ZoneDraws& draws, bool additional, Progress* progress = nullptr);

/// What 目前投注号码 shows: item + "期推荐投注号码：" + the numbers in plain decimal.
std::string stemBranchRecommendation(const std::string& targetItem, const std::vector<int>& numbers);

} // namespace quorlin

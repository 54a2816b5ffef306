#include "select/stem_branch.h"

#include "common/day_number.h"
#include "common/text_encoding.h"
#include "select/zone_draws.h"
#include "store/draw_line_parser.h"

#include <algorithm>
#include <stdexcept>

namespace quorlin {

namespace {

// The five groups (1 water, 2 fire, 3 wood, 4 metal, 5 earth), index 0 unused.
constexpr int kStemGroup[10] = {3, 3, 2, 2, 5, 5, 4, 4, 1, 1};
constexpr int kBranchGroup[12] = {1, 5, 3, 3, 5, 2, 2, 5, 4, 4, 5, 1};
constexpr int kGroupDigits[6][2] = {{0, 0}, {1, 6}, {2, 7}, {3, 8}, {4, 9}, {5, 0}};
constexpr int kProduces[6] = {0, 3, 5, 2, 1, 4};
constexpr int kProducedBy[6] = {0, 4, 3, 1, 5, 2};
constexpr int kRestrains[6] = {0, 2, 4, 5, 3, 1};
constexpr int kGui = 9;  // 癸
constexpr int kHai = 11; // 亥

constexpr std::int32_t kReferenceDate = 20010501;

void setGroup(std::array<bool, 10>& digits, int group, bool on)
{
    for (const int d : kGroupDigits[group])
        digits[static_cast<std::size_t>(d)] = on;
}

int floorMod(std::int64_t value, int divisor)
{
    const auto r = static_cast<int>(value % divisor);
    return r < 0 ? r + divisor : r;
}

std::int32_t drawDate(const std::string& text)
{
    std::int32_t date = 0;
    if (!parseDrawDate(text, date))
        throw std::runtime_error(quotedExcerpt(text) + "不是有效的日期");
    return date;
}

} // namespace

StemBranch stemBranchOf(std::int32_t date)
{
    const std::int64_t d = days::fromDate(date) - days::fromDate(kReferenceDate);
    return {floorMod(d, 10), floorMod(d, 12)};
}

std::int32_t comingDrawDate(std::int32_t lastDate, const std::string& lotteryName)
{
    // Sunday .. Saturday
    static constexpr int kStep[7] = {1, 2, 1, 3, 2, 1, 2};
    const int step = lotteryName == "中国体彩超级大乐透" ? kStep[days::weekday(lastDate)] : 1;
    return days::toDate(days::fromDate(lastDate) + step);
}

std::optional<std::int32_t> targetDrawDate(const ZoneDraws& draws, std::size_t target, const std::string& lotteryName)
{
    const bool coming = target >= draws.size();
    if (coming && draws.size() == 0)
        return std::nullopt;
    std::int32_t date = 0;
    if (!parseDrawDate(draws.dates[coming ? draws.size() - 1 : target], date))
        return std::nullopt;
    return coming ? comingDrawDate(date, lotteryName) : date;
}

std::optional<int> stemIndex(std::string_view text)
{
    const auto found = std::find(kStems.begin(), kStems.end(), text);
    if (found == kStems.end())
        return std::nullopt;
    return static_cast<int>(found - kStems.begin());
}

std::optional<int> branchIndex(std::string_view text)
{
    const auto found = std::find(kBranches.begin(), kBranches.end(), text);
    if (found == kBranches.end())
        return std::nullopt;
    return static_cast<int>(found - kBranches.begin());
}

std::array<bool, 10> chosenDigits(StemBranch day, bool additional)
{
    const int s = kStemGroup[day.stem];
    const int b = kBranchGroup[day.branch];
    std::array<bool, 10> digits{};
    if (day.stem == kGui || day.branch == kHai) {
        setGroup(digits, s, true);
        setGroup(digits, b, true);
        setGroup(digits, 3, true);
    } else if (s != b) {
        digits.fill(true);
        setGroup(digits, s, false);
        setGroup(digits, b, false);
    } else {
        setGroup(digits, s, true);
        setGroup(digits, kProduces[s], true);
        setGroup(digits, kRestrains[s], true);
    }
    if (additional) {
        setGroup(digits, kProduces[b], false);
        setGroup(digits, kProducedBy[b], false);
    }
    return digits;
}

std::vector<int> chosenNumbers(const std::array<bool, 10>& digits, int zoneSize)
{
    std::vector<int> numbers;
    for (int n = 1; n <= zoneSize; ++n)
        if (digits[static_cast<std::size_t>(n % 10)])
            numbers.push_back(n);
    return numbers;
}

BacktestReport stemBranchBacktest(const ZoneDraws& draws, bool additional, Progress* progress)
{
    BacktestLayout layout;
    layout.firstTested = 0;
    layout.drawForm = NumberForm::Plain;
    layout.betForm = NumberForm::Plain;
    return runBacktest(
        draws, layout,
        [&](std::size_t i) {
            return chosenNumbers(chosenDigits(stemBranchOf(drawDate(draws.dates[i])), additional), draws.zoneSize);
        },
        progress);
}

std::string stemBranchRecommendation(const std::string& targetItem, const std::vector<int>& numbers)
{
    return targetItem + "期推荐投注号码：" + plainText(numbers);
}

} // namespace quorlin

#include "select/zone_draws.h"

#include "store/draw_cursor.h"
#include "store/lottery_state.h"

#include <algorithm>
#include <bit>

namespace quorlin {

namespace {

struct ZoneColumns {
    int first; ///< first number column, 1-based as the cursor counts
    int zoneSize;
    int perDraw;
};

ZoneColumns columnsOf(const LotteryState& state, Zone zone)
{
    if (zone == Zone::Front)
        return {1, state.caisum, state.caisel};
    return {state.caisel + 1, state.housum, state.housel};
}

// Written by hand: a back-test formats tens of thousands of these lists.
template <class T> std::string listText(std::span<const T> numbers, bool twoDigits)
{
    std::string text;
    text.reserve(numbers.size() * 3);
    for (const T value : numbers) {
        const auto n = static_cast<unsigned>(value);
        if (n >= 100)
            text += std::to_string(n);
        else if (n >= 10 || twoDigits)
            text += static_cast<char>('0' + n / 10);
        if (n < 100)
            text += static_cast<char>('0' + n % 10);
        text += ' ';
    }
    return text;
}

} // namespace

void ZoneDraws::append(std::int32_t issue, std::span<const int> zoneNumbers, std::string date)
{
    issues.push_back(issue);
    std::uint64_t mask = 0;
    for (const int n : zoneNumbers) {
        numbers.push_back(static_cast<std::uint8_t>(n));
        mask |= std::uint64_t{1} << n;
    }
    masks.push_back(mask);
    dates.push_back(std::move(date));
}

int ZoneDraws::hits(std::size_t i, std::span<const int> bet) const
{
    std::uint64_t mask = 0;
    for (const int n : bet)
        mask |= std::uint64_t{1} << n;
    return std::popcount(mask & masks[i]);
}

ZoneDraws readZoneDraws(DrawCursor& cursor, const LotteryState& state, Zone zone)
{
    const ZoneColumns z = columnsOf(state, zone);
    ZoneDraws draws(z.zoneSize, z.perDraw);
    std::vector<int> row(static_cast<std::size_t>(z.perDraw));
    for (cursor.first(); !cursor.eof(); cursor.next()) {
        for (int k = 0; k < z.perDraw; ++k)
            row[static_cast<std::size_t>(k)] = cursor.number(z.first + k);
        draws.append(static_cast<std::int32_t>(std::stol(cursor.issue())), row, cursor.date());
    }
    cursor.first();
    return draws;
}

ZoneDraws historyZoneDraws(const LotteryState& state, Zone zone)
{
    const ZoneColumns z = columnsOf(state, zone);
    ZoneDraws draws(z.zoneSize, z.perDraw);
    std::vector<int> row(static_cast<std::size_t>(z.perDraw));
    for (std::size_t i = 0; i < state.hisfull.rows(); ++i) {
        for (int k = 0; k < z.perDraw; ++k)
            row[static_cast<std::size_t>(k)] = state.hisfull.at(i, static_cast<std::size_t>(z.first + k));
        draws.append(state.hisfull.at(i, 0), row, i < state.hisdate.size() ? state.hisdate[i] : std::string());
    }
    return draws;
}

std::vector<std::string> targetIssues(const ZoneDraws& draws)
{
    std::vector<std::string> items;
    items.reserve(draws.size() + 1);
    for (const std::int32_t issue : draws.issues)
        items.push_back(std::to_string(issue));
    items.push_back(std::to_string((draws.issues.empty() ? 0 : draws.issues.back()) + 1));
    return items;
}

std::string firstDrawRefusal(std::size_t target)
{
    if (target == 0)
        return "第一期之前没有开奖号码可以统计，请选择以后的投注期！";
    return {};
}

DrawOccurrences::DrawOccurrences(const ZoneDraws& draws) : draws_(static_cast<std::size_t>(draws.zoneSize + 1))
{
    for (std::size_t i = 0; i < draws.size(); ++i)
        for (const std::uint8_t n : draws.draw(i))
            draws_[n].push_back(static_cast<std::int32_t>(i));
}

std::span<const std::int32_t> DrawOccurrences::before(int n, std::size_t limit) const
{
    const std::vector<std::int32_t>& all = draws_[static_cast<std::size_t>(n)];
    const auto end = std::lower_bound(all.begin(), all.end(), static_cast<std::int32_t>(limit));
    return {all.data(), static_cast<std::size_t>(end - all.begin())};
}

std::int32_t DrawOccurrences::latestBefore(int n, std::size_t limit) const
{
    const std::span<const std::int32_t> earlier = before(n, limit);
    return earlier.empty() ? -1 : earlier.back();
}

std::string twoDigitText(std::span<const int> numbers)
{
    return listText(numbers, true);
}

std::string twoDigitText(std::span<const std::uint8_t> numbers)
{
    return listText(numbers, true);
}

std::string plainText(std::span<const int> numbers)
{
    return listText(numbers, false);
}

std::string plainText(std::span<const std::uint8_t> numbers)
{
    return listText(numbers, false);
}

} // namespace quorlin

#include "filter/extra_conditions.h"

#include <algorithm>

namespace quorlin {

const std::array<ExtraConditionInfo, kExtraConditionCount>& extraConditions()
{
    using C = ExtraCondition;
    static const std::array<ExtraConditionInfo, kExtraConditionCount> table{{
        {C::Consecutive, "连号对数", "consecutive", 0, 4, false},
        {C::LongestRun, "最长连号", "longest-run", 1, 5, false},
        {C::Mod3Zero, "0路个数", "mod3-0", 0, 5, false},
        {C::Mod3One, "1路个数", "mod3-1", 0, 5, false},
        {C::Mod3Two, "2路个数", "mod3-2", 0, 5, false},
        {C::Primes, "质数个数", "primes", 0, 5, false},
        {C::Tails, "尾数个数", "tails", 1, 5, false},
        {C::TailSum, "尾数和", "tail-sum", 2, 43, false},
        {C::Zone1, "一区个数", "zone1", 0, 5, false},
        {C::Zone2, "二区个数", "zone2", 0, 5, false},
        {C::Zone3, "三区个数", "zone3", 0, 5, false},
        {C::Lowest, "首号", "lowest", 1, 31, false},
        {C::Highest, "尾号", "highest", 5, 35, false},
        {C::Repeat, "重号", "repeat", 0, 5, true},
        {C::Neighbours, "邻号", "neighbours", 0, 5, true},
        {C::Hot, "热号", "hot", 0, 5, true},
        {C::Warm, "温号", "warm", 0, 5, true},
        {C::Cold, "冷号", "cold", 0, 5, true},
    }};
    return table;
}

std::vector<int> frontOmissions(const Grid<std::int32_t>& history, std::size_t draws, int width, int total)
{
    draws = std::min(draws, history.rows());
    std::vector<int> omission(static_cast<std::size_t>(total) + 1, static_cast<int>(draws));
    for (std::size_t r = 0; r < draws; ++r)
        for (int k = 1; k <= width; ++k) {
            const int n = history.at(r, static_cast<std::size_t>(k));
            if (n >= 1 && n <= total)
                omission[static_cast<std::size_t>(n)] = static_cast<int>(draws - 1 - r);
        }
    return omission;
}

int extraConditionValue(ExtraCondition c, std::span<const int> front, const ConditionHistory& history)
{
    const auto inLatest = [&](int n) {
        return std::find(history.latestDraw.begin(), history.latestDraw.end(), n) != history.latestDraw.end();
    };
    const auto omission = [&](int n) {
        return n >= 0 && static_cast<std::size_t>(n) < history.omission.size()
                   ? history.omission[static_cast<std::size_t>(n)]
                   : 0;
    };
    const auto count = [&](auto&& test) { return static_cast<int>(std::count_if(front.begin(), front.end(), test)); };
    switch (c) {
    case ExtraCondition::Consecutive: {
        int pairs = 0;
        for (std::size_t i = 1; i < front.size(); ++i)
            pairs += front[i] == front[i - 1] + 1 ? 1 : 0;
        return pairs;
    }
    case ExtraCondition::LongestRun: {
        int longest = front.empty() ? 0 : 1;
        int run = 1;
        for (std::size_t i = 1; i < front.size(); ++i) {
            run = front[i] == front[i - 1] + 1 ? run + 1 : 1;
            longest = std::max(longest, run);
        }
        return longest;
    }
    case ExtraCondition::Mod3Zero:
        return count([](int n) { return n % 3 == 0; });
    case ExtraCondition::Mod3One:
        return count([](int n) { return n % 3 == 1; });
    case ExtraCondition::Mod3Two:
        return count([](int n) { return n % 3 == 2; });
    case ExtraCondition::Primes:
        return count([](int n) {
            for (const int p : {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31})
                if (n == p)
                    return true;
            return false;
        });
    case ExtraCondition::Tails: {
        std::array<bool, 10> seen{};
        for (const int n : front)
            seen[static_cast<std::size_t>(n % 10)] = true;
        return static_cast<int>(std::count(seen.begin(), seen.end(), true));
    }
    case ExtraCondition::TailSum: {
        int sum = 0;
        for (const int n : front)
            sum += n % 10;
        return sum;
    }
    case ExtraCondition::Zone1:
        return count([](int n) { return n >= 1 && n <= 12; });
    case ExtraCondition::Zone2:
        return count([](int n) { return n >= 13 && n <= 24; });
    case ExtraCondition::Zone3:
        return count([](int n) { return n >= 25 && n <= 35; });
    case ExtraCondition::Lowest:
        return front.empty() ? 0 : front.front();
    case ExtraCondition::Highest:
        return front.empty() ? 0 : front.back();
    case ExtraCondition::Repeat:
        return count(inLatest);
    case ExtraCondition::Neighbours:
        return count([&](int n) { return !inLatest(n) && (inLatest(n - 1) || inLatest(n + 1)); });
    case ExtraCondition::Hot:
        return count([&](int n) { return omission(n) <= 4; });
    case ExtraCondition::Warm:
        return count([&](int n) { return omission(n) >= 5 && omission(n) <= 9; });
    case ExtraCondition::Cold:
        return count([&](int n) { return omission(n) >= 10; });
    }
    return 0;
}

} // namespace quorlin

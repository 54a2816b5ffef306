#include "filter/extra_conditions.h"

#include "analysis/indicator_glossary.h"
#include "analysis/indicators.h"
#include "common/number_mask.h"

#include <algorithm>

namespace quorlin {

const std::array<ExtraConditionInfo, kExtraConditionCount>& extraConditions()
{
    using C = ExtraCondition;
    static const std::array<ExtraConditionInfo, kExtraConditionCount> table{{
        {C::Consecutive, "连号对数", "consecutive", 0, 4, false, "前区号码中相邻两个号码相差1的对数（05 06 07为2对）"},
        {C::LongestRun, "最长连号", "longest-run", 1, 5, false, "前区号码中最长一串连续号码的个数（没有连号为1）"},
        {C::Mod3Zero, "0路个数", "mod3-0", 0, 5, false, "前区号码中除以3余0的号码（03 06 … 33）的个数"},
        {C::Mod3One, "1路个数", "mod3-1", 0, 5, false, "前区号码中除以3余1的号码（01 04 … 34）的个数"},
        {C::Mod3Two, "2路个数", "mod3-2", 0, 5, false, "前区号码中除以3余2的号码（02 05 … 35）的个数"},
        {C::Primes, "质数个数", "primes", 0, 5, false, "前区号码中质数（02 03 05 07 11 13 17 19 23 29 31）的个数"},
        {C::Tails, "尾数个数", "tails", 1, 5, false, "前区号码的个位数字有几种不同的"},
        {C::TailSum, "尾数和", "tail-sum", 2, 43, false, "前区号码的个位数字之和"},
        {C::Zone1, "一区个数", "zone1", 0, 5, false, "前区号码中落在01–12的个数"},
        {C::Zone2, "二区个数", "zone2", 0, 5, false, "前区号码中落在13–24的个数"},
        {C::Zone3, "三区个数", "zone3", 0, 5, false, "前区号码中落在25–35的个数"},
        {C::Lowest, "首号", "lowest", 1, 31, false, "最小的前区号码"},
        {C::Highest, "尾号", "highest", 5, 35, false, "最大的前区号码"},
        {C::Repeat, "重号", "repeat", 0, 5, true, "前区号码中最新一期前区也开出的个数"},
        {C::Neighbours, "邻号", "neighbours", 0, 5, true, "前区号码中不在最新一期前区、但与其中某个号码相差1的个数"},
        {C::Hot, "热号", "hot", 0, 5, true, "前区号码中目前遗漏0–4期（最近5期内开出过）的个数"},
        {C::Warm, "温号", "warm", 0, 5, true, "前区号码中目前遗漏5–9期的个数"},
        {C::Cold, "冷号", "cold", 0, 5, true, "前区号码中目前遗漏10期以上（含从未开出）的个数"},
    }};
    return table;
}

std::string extraConditionTip(const ExtraConditionInfo& info)
{
    return definitionText(info.name, info.counts, TermRange{info.low, info.high});
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

namespace {

bool isPrime(int n)
{
    if (n < 2)
        return false;
    for (int d = 2; d * d <= n; ++d)
        if (n % d == 0)
            return false;
    return true;
}

} // namespace

std::uint64_t extraConditionNumbers(ExtraCondition c, int total, const ConditionHistory& history)
{
    using C = ExtraCondition;
    const std::uint64_t latest = numberMask(history.latestDraw);
    const auto inLatest = [latest](int n) { return n >= 0 && n < 64 && ((latest >> n) & 1) != 0; };
    const auto omission = [&](int n) {
        return static_cast<std::size_t>(n) < history.omission.size() ? history.omission[static_cast<std::size_t>(n)]
                                                                     : 0;
    };
    const int zone = std::max(zonewidth(total, 3), 1);
    const auto inZone = [zone](int n, int k) { return std::min((n - 1) / zone, 2) == k; };
    std::uint64_t numbers = 0;
    for (int n = 1; n <= total && n < 64; ++n) {
        bool counted = false;
        switch (c) {
        case C::Mod3Zero:
        case C::Mod3One:
        case C::Mod3Two:
            counted = n % 3 == static_cast<int>(c) - static_cast<int>(C::Mod3Zero);
            break;
        case C::Primes:
            counted = isPrime(n);
            break;
        case C::Zone1:
        case C::Zone2:
        case C::Zone3:
            counted = inZone(n, static_cast<int>(c) - static_cast<int>(C::Zone1));
            break;
        case C::Repeat:
            counted = inLatest(n);
            break;
        case C::Neighbours:
            counted = !inLatest(n) && (inLatest(n - 1) || inLatest(n + 1));
            break;
        case C::Hot:
            counted = omission(n) <= 4;
            break;
        case C::Warm:
            counted = omission(n) >= 5 && omission(n) <= 9;
            break;
        case C::Cold:
            counted = omission(n) >= 10;
            break;
        case C::Consecutive:
        case C::LongestRun:
        case C::Tails:
        case C::TailSum:
        case C::Lowest:
        case C::Highest:
            return 0;
        }
        if (counted)
            numbers |= std::uint64_t{1} << n;
    }
    return numbers;
}

int extraConditionValue(ExtraCondition c, std::span<const int> front, const ConditionHistory& history)
{
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
    case ExtraCondition::Lowest:
        return front.empty() ? 0 : front.front();
    case ExtraCondition::Highest:
        return front.empty() ? 0 : front.back();
    default:
        break;
    }
    const std::uint64_t counted = extraConditionNumbers(c, history.total, history);
    return static_cast<int>(std::count_if(front.begin(), front.end(),
                                          [counted](int n) { return n >= 0 && n < 64 && ((counted >> n) & 1) != 0; }));
}

} // namespace quorlin

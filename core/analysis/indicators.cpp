#include "analysis/indicators.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace quorlin {

namespace {

// Smallest distance from v to any of the numbers; 0 when there are none.
int nearestDistance(int v, Combination numbers)
{
    if (numbers.empty())
        return 0;
    int best = std::numeric_limits<int>::max();
    for (const std::int32_t n : numbers) {
        const int d = std::abs(v - n);
        if (d < best)
            best = d;
    }
    return best;
}

// Sum of the per-draw values in single precision.
float sumOf(std::span<const float> perDraw)
{
    float sum = 0.0f;
    for (const float v : perDraw)
        sum += v;
    return sum;
}

// Mean of the per-draw values summed in single precision, as the analysis windows show it; 0 when empty.
float meanOf(std::span<const float> perDraw)
{
    if (perDraw.empty())
        return 0.0f;
    return sumOf(perDraw) / static_cast<float>(perDraw.size());
}

// Counts the candidate differences 0..total that occur among the pair differences marked in `seen`.
template <class Table> int countMarkedDifferences(const Table& seen, int total)
{
    int count = 0;
    for (int d = 0; d <= total; ++d)
        if (seen[static_cast<std::size_t>(d)])
            ++count;
    return count;
}

// Marks every pair difference of the numbers that lies in 0..total.
template <class Table> void markPairDifferences(Table& seen, Combination comb, int total)
{
    const std::size_t c = comb.size();
    for (std::size_t j = 0; j < c; ++j)
        for (std::size_t k = j + 1; k < c; ++k) {
            const int d = std::abs(comb[j] - comb[k]);
            if (d <= total)
                seen[static_cast<std::size_t>(d)] = true;
        }
}

} // namespace

// Big numbers of the combination under the windows' or the total filter's threshold.
int bigcount(Combination comb, int total, BigRule rule)
{
    const int half = total / 2;
    int count = 0;
    for (const std::int32_t n : comb)
        if (rule == BigRule::Window ? n > half : n >= half)
            ++count;
    return count;
}

// Odd numbers of the combination.
int oddcount(Combination comb)
{
    int count = 0;
    for (const std::int32_t n : comb)
        if (n % 2 != 0)
            ++count;
    return count;
}

// Sum of the numbers.
int sumvalue(Combination comb)
{
    int sum = 0;
    for (const std::int32_t n : comb)
        sum += n;
    return sum;
}

// Largest number minus smallest; 0 for an empty combination.
int spanvalue(Combination comb)
{
    if (comb.empty())
        return 0;
    const auto [lo, hi] = std::minmax_element(comb.begin(), comb.end());
    return *hi - *lo;
}

// How far the numbers leave any value of 1..total uncovered: the largest nearest-number distance.
int dispersion(Combination comb, int total)
{
    if (comb.empty())
        return 0;
    int worst = 0;
    for (int v = 1; v <= total; ++v) {
        const int d = nearestDistance(v, comb);
        if (d > worst)
            worst = d;
    }
    return worst;
}

// How far the combination strays from the reference draw: the largest nearest-reference distance.
int skewvalue(Combination comb, Combination reference)
{
    int worst = 0;
    for (const std::int32_t n : comb) {
        const int d = nearestDistance(n, reference);
        if (d > worst)
            worst = d;
    }
    return worst;
}

// AC value: how many of the differences 0..total occur between two numbers of the combination.
int acvalue(Combination comb, int total)
{
    if (total < 0)
        return 0;
    constexpr int stackLimit = 255;
    if (total <= stackLimit) {
        std::array<bool, stackLimit + 1> seen{};
        markPairDifferences(seen, comb, total);
        return countMarkedDifferences(seen, total);
    }
    std::vector<bool> seen(static_cast<std::size_t>(total) + 1, false);
    markPairDifferences(seen, comb, total);
    return countMarkedDifferences(seen, total);
}

// Numbers of the combination that the reference draw also holds.
int repeatcount(Combination comb, Combination reference)
{
    int count = 0;
    for (const std::int32_t n : comb)
        if (std::find(reference.begin(), reference.end(), n) != reference.end())
            ++count;
    return count;
}

// Width of one zone when 1..total is cut into `zones` equal zones, the last one possibly shorter.
int zonewidth(int total, int zones)
{
    if (zones <= 0)
        return 0;
    if (total % zones == 0)
        return total / zones;
    for (int b = 1; b <= 100; ++b)
        if ((total + b) % zones == 0)
            return (total + b) / zones;
    return (total + zones - 1) / zones;
}

// How many numbers of the combination fall into each of the `zones` zones of 1..total.
std::vector<int> zonecounts(Combination comb, int total, int zones)
{
    if (zones <= 0)
        return {};
    std::vector<int> counts(static_cast<std::size_t>(zones), 0);
    const int width = zonewidth(total, zones);
    if (width <= 0)
        return counts;
    for (const std::int32_t n : comb) {
        if (n < 1 || n > total)
            continue;
        const int zone = std::min((n - 1) / width, zones - 1);
        ++counts[static_cast<std::size_t>(zone)];
    }
    return counts;
}

// Theoretical maximum, minimum and average of an indicator as the analysis windows state them.
TheoryValues theoryvalues(Indicator indicator, int total, int count, std::span<const float> perDraw)
{
    const int S = total;
    const int c = count;
    TheoryValues t;
    switch (indicator) {
    case Indicator::Big:
    case Indicator::Odd:
        t.maximum = static_cast<float>(c);
        t.minimum = 0.0f;
        t.average = static_cast<float>(c) / 2.0f;
        break;
    case Indicator::Sum:
        t.maximum = static_cast<float>((2 * S - c + 1) * c / 2);
        t.minimum = static_cast<float>(c * (c + 1) / 2);
        t.average = meanOf(perDraw);
        break;
    case Indicator::Span:
        t.maximum = static_cast<float>(S - 1);
        t.minimum = static_cast<float>(c - 1);
        t.average = meanOf(perDraw);
        break;
    case Indicator::Dispersion: {
        // With a single number the gaps are the whole range, hence the divisor of at least 1.
        const int q = (S - 1) / std::max(c - 1, 1);
        t.maximum = static_cast<float>(S - c);
        t.minimum = static_cast<float>(q % 2 == 0 ? q / 2 : (q + 1) / 2);
        t.average = meanOf(perDraw);
        break;
    }
    case Indicator::Skew:
        t.maximum = static_cast<float>(S - c);
        t.minimum = 0.0f;
        t.average = meanOf(perDraw);
        break;
    case Indicator::AC:
        t.maximum = static_cast<float>(c * (c - 1) / 2);
        t.minimum = static_cast<float>(c - 1);
        t.average = meanOf(perDraw);
        break;
    case Indicator::Repeat:
        t.maximum = static_cast<float>(c);
        t.minimum = 0.0f;
        t.average = S > 0 ? static_cast<float>(c * c / S) : 0.0f;
        break;
    }
    return t;
}

// Expected total of an indicator over the last `lastN` draws, set against the actual total.
float theoreticalTotal(Indicator indicator, int total, int count, int lastN, std::span<const float> perDraw)
{
    switch (indicator) {
    case Indicator::Big:
    case Indicator::Odd:
        return static_cast<float>(count * lastN) / 2.0f;
    case Indicator::Repeat:
        return total > 0 ? static_cast<float>(count * lastN * count / total) : 0.0f;
    case Indicator::Sum:
    case Indicator::Span:
    case Indicator::Dispersion:
    case Indicator::Skew:
    case Indicator::AC:
        if (perDraw.empty())
            return 0.0f;
        return static_cast<float>(lastN) * sumOf(perDraw) / static_cast<float>(perDraw.size());
    }
    return 0.0f;
}

std::string combinationMeanSumText(int total, int count)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", count * (total + 1) / 2.0);
    return text;
}

std::string theoryAverageNote(Indicator indicator, const std::string& name, int total, int count)
{
    switch (indicator) {
    case Indicator::Sum:
        return "理论平均" + name + "是已载入各期" + name + "的平均；全部前区组合的平均" + name + "为" +
               combinationMeanSumText(total, count) + "（无穷和值排除选号中的“理论平均值”）。";
    case Indicator::Span:
    case Indicator::Dispersion:
    case Indicator::Skew:
    case Indicator::AC:
        return "理论平均" + name + "是已载入各期" + name + "的平均。";
    default:
        return {};
    }
}

} // namespace quorlin

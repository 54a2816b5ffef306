#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorlin {

/// A front-zone combination: caisel distinct numbers in 1..caisum, in any order.
using Combination = std::span<const std::int32_t>;

/// Which threshold makes a number big: the analysis windows count n > S div 2, the total filter
/// n >= S div 2.
enum class BigRule { Window, Filter };

/// The indicators the analysis windows and the total filter judge a combination by.
enum class Indicator { Big, Odd, Sum, Span, Dispersion, Skew, AC, Repeat };

int bigcount(Combination comb, int total, BigRule rule);
int oddcount(Combination comb);
int sumvalue(Combination comb);
int spanvalue(Combination comb);
/// Largest distance from any value 1..total to its nearest front number.
int dispersion(Combination comb, int total);
/// Largest distance from a front number to the nearest number of the reference draw.
int skewvalue(Combination comb, Combination reference);
/// Count of distinct positive differences between the numbers.
int acvalue(Combination comb, int total);
/// Count of front numbers that also occur in the reference draw.
int repeatcount(Combination comb, Combination reference);
/// Width of each of `zones` zones (1..7) over 1..total: ceil(total / zones).
int zonewidth(int total, int zones);
/// Per zone, how many of the numbers fall into it; `zones` values.
std::vector<int> zonecounts(Combination comb, int total, int zones);

/// The theoretical range of an indicator as the analysis windows state it.
struct TheoryValues {
    float maximum = 0;
    float minimum = 0;
    float average = 0;
};

/// Theoretical maximum, minimum and average for `count` numbers out of `total`; the average of
/// sum, span, dispersion, skew and AC is the mean of `perDraw` (single precision, 0 when empty).
TheoryValues theoryvalues(Indicator indicator, int total, int count, std::span<const float> perDraw);

/// The theoretical total over the last `lastN` draws that the analysis windows set against the
/// actual total (0 for mean-based indicators when `perDraw` is empty).
float theoreticalTotal(Indicator indicator, int total, int count, int lastN, std::span<const float> perDraw);

/// What the analysis windows' theoretical average of `indicator` (called `name`) is: empty where
/// the game fixes it (big, odd, repeat), else that it is the mean over the loaded draws; for the sum
/// also the mean over every combination, count·(total + 1)/2, which the sum exclusion shows.
std::string theoryAverageNote(Indicator indicator, const std::string& name, int total, int count);

/// The mean sum of `count` numbers out of 1..total over every combination, "%.1f".
std::string combinationMeanSumText(int total, int count);

} // namespace quorlin

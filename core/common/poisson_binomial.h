#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace quorlin {

/// The exact distribution of the number of successes among independent trials that succeed with
/// the probabilities `chances` (each in [0, 1]): element k is P(k successes), k = 0 … size.
/// Built trial by trial (O(n²)); every step adds non-negative terms, so no cancellation.
std::vector<double> poissonBinomial(std::span<const double> chances);

/// The exact two-sided p of `observed` successes: the total probability of the counts no more
/// likely than it (a count within a relative 1e-7 of its probability counts as a tie, so rounding
/// does not split equally likely counts), at most 1. A count above the number of trials: 0.
double poissonBinomialTwoSided(std::span<const double> chances, std::size_t observed);

} // namespace quorlin

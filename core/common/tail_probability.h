#pragma once

#include <string>

namespace quorlin {

// Tail probabilities of the test statistics, accurate to 1e-10 relative down to 1e-300 (below
// that they may underflow to 0).

/// The regularized upper incomplete gamma function Q(a, x) = Γ(a, x) / Γ(a), for a > 0, x ≥ 0.
double upperGammaRatio(double a, double x);
/// P(χ² with `dof` degrees of freedom ≥ x); 1 for x ≤ 0. `dof` ≥ 1.
double chiSquareUpperTail(double x, int dof);
/// P(Z ≥ z) for a standard normal Z.
double normalUpperTail(double z);
/// P(|Z| ≥ |z|) for a standard normal Z.
double normalTwoSidedTail(double z);

/// A p-value with three significant digits as the program prints it: "0.406", "0.0123",
/// "1.02e-08", "1"; below 1e-300 (0 included) "<1e-300". Independent of the process locale.
std::string pValueText(double p);

} // namespace quorlin

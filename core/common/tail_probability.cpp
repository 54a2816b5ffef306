#include "common/tail_probability.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace quorlin {

namespace {

constexpr double kEpsilon = 1e-16;
constexpr int kMaxTerms = 100000;

// log(x^a e^-x / Γ(a)), the factor both expansions share; kept in logs so that large a and x
// do not overflow before the quotient is small again.
double logPrefactor(double a, double x)
{
    return a * std::log(x) - x - std::lgamma(a);
}

// P(a, x) by its series, for x < a + 1: x^a e^-x / Γ(a+1) · Σ x^n / ((a+1)…(a+n)).
double lowerSeries(double a, double x)
{
    double term = 1.0 / a;
    double sum = term;
    for (int n = 1; n < kMaxTerms; ++n) {
        term *= x / (a + n);
        sum += term;
        if (term < sum * kEpsilon)
            break;
    }
    return std::exp(logPrefactor(a, x) + std::log(sum));
}

// Q(a, x) by its continued fraction (modified Lentz), for x ≥ a + 1.
double upperFraction(double a, double x)
{
    constexpr double tiny = 1e-300;
    double b = x + 1.0 - a;
    double c = 1.0 / tiny;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i < kMaxTerms; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < tiny)
            d = tiny;
        c = b + an / c;
        if (std::fabs(c) < tiny)
            c = tiny;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < kEpsilon)
            break;
    }
    return std::exp(logPrefactor(a, x) + std::log(h));
}

} // namespace

double upperGammaRatio(double a, double x)
{
    if (x <= 0)
        return 1.0;
    if (x < a + 1.0)
        return 1.0 - lowerSeries(a, x);
    return upperFraction(a, x);
}

double chiSquareUpperTail(double x, int dof)
{
    return upperGammaRatio(dof / 2.0, x / 2.0);
}

double normalUpperTail(double z)
{
    return 0.5 * std::erfc(z / std::sqrt(2.0));
}

double normalTwoSidedTail(double z)
{
    return std::erfc(std::fabs(z) / std::sqrt(2.0));
}

std::string pValueText(double p)
{
    if (!(p >= 1e-300))
        return "<1e-300";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, p, std::chars_format::general, 3);
    return std::string(buffer, result.ptr);
}

} // namespace quorlin

#include "common/poisson_binomial.h"

#include <algorithm>

namespace quorlin {

std::vector<double> poissonBinomial(std::span<const double> chances)
{
    std::vector<double> p(chances.size() + 1, 0.0);
    p[0] = 1.0;
    for (std::size_t i = 0; i < chances.size(); ++i) {
        const double yes = std::clamp(chances[i], 0.0, 1.0);
        const double no = 1.0 - yes;
        for (std::size_t k = i + 1; k > 0; --k)
            p[k] = p[k] * no + p[k - 1] * yes;
        p[0] *= no;
    }
    return p;
}

double poissonBinomialTwoSided(std::span<const double> chances, std::size_t observed)
{
    if (observed > chances.size())
        return 0.0;
    const std::vector<double> p = poissonBinomial(chances);
    const double limit = p[observed] * (1.0 + 1e-7);
    double sum = 0.0;
    for (const double pk : p)
        if (pk <= limit)
            sum += pk;
    return std::min(sum, 1.0);
}

} // namespace quorlin

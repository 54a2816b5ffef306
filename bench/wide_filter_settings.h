#pragma once

#include "filter/total_filter.h"

namespace quorlin::bench {

/// Every condition of the total filter's first page with wide ranges, so that nearly every row is
/// judged by every condition before its fate is known; back numbers 01 02.
inline TotalFilterSettings wideFirstPage()
{
    TotalFilterSettings s;
    s.big = FilterRange{1, 4};
    s.odd = FilterRange{1, 4};
    s.sum = FilterRange{40, 140};
    s.span = FilterRange{10, 34};
    s.dispersion = FilterRange{4, 12};
    s.skew = FilterRange{0, 10};
    s.ac = FilterRange{5, 10};
    s.bankersOn = true;
    s.bankers = {3, 17, 29};
    s.bankerHits = {0, 2};
    s.frontOn = true;
    for (int n = 1; n <= 33; ++n)
        s.front.push_back(n);
    s.frontHits = {4, 5};
    s.back = {1, 2};
    return s;
}

} // namespace quorlin::bench

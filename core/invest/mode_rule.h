#pragma once

#include <cstdint>

namespace quorlin {

/// The betting rule of the investment-mode analysis, as numbers: observe long gaps, sit out a
/// number of draws after a hit, then stake a block of draws with a plan that reaches a profit rate.
struct ModeRule {
    std::int32_t sepindex = 1;     ///< I 观察间隔数: least gap between hits that counts as long
    std::int32_t sepnum = 1;       ///< Q 观察间隔连续次数: long gaps in a row needed before betting
    std::int32_t tozisep = 0;      ///< G 中出后间隔期数: draws sat out after a hit
    std::int32_t tozirep = 1;      ///< R 连续投入期数: draws in a betting block
    std::int64_t sinmax = 1000000; ///< Smax 单期最大投入: largest stake in one draw
    std::int64_t allmax = 1000000; ///< Tmax 累计最大投入: largest total invested in one block
    std::int64_t jushu = 100;      ///< B 单倍注数: bets per draw; one multiple stakes 2 × B
    std::int64_t outofsin = 1000;  ///< W 单注奖金: prize of one winning bet at multiple 1
    std::int64_t lirun = 10;       ///< P 预期利润(%): least profit rate in percent of the total invested
    bool yuji = true;              ///< 预计亏损: a lost block's loss is carried into the next block's plan
    bool sepmode = true;           ///< 间隔模式: the observation step is used (else I = Q = 1)

    bool operator==(const ModeRule&) const = default;
};

} // namespace quorlin

#pragma once

#include "store/draw_line_parser.h"

#include <cstdint>
#include <cstdlib>

// The day the readers take as today: fixed, so that a finding reproduces whenever it is run again.
inline constexpr std::int32_t kFuzzToday = 20261210;

// A draw that a reader accepted must be one the draw table can take; anything else is a finding.
inline void checkDraw(const quorlin::ImportedDraw& draw, bool dated)
{
    for (int k = 0; k < 7; ++k) {
        const int n = draw.numbers[static_cast<std::size_t>(k)];
        if (n < 1 || n > (k < 5 ? 35 : 12))
            std::abort();
        // Each zone ascends, so it has no repeats either.
        if (k != 0 && k != 5 && draw.numbers[static_cast<std::size_t>(k - 1)] >= n)
            std::abort();
    }
    if (draw.issue < 0 || draw.issue > 9999999 || draw.issueText().size() != 7)
        std::abort();
    std::int32_t date = 0;
    if (dated && (!quorlin::parseDrawDate(draw.dateText(), date) || date != draw.date))
        std::abort();
}

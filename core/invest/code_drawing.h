#pragma once

#include "common/grid.h"
#include "invest/play_type.h"

#include <cstdint>

namespace quorlin {

class RandomSource;

/// A code list: one row per code, one digit 0..9 per front-zone position.
using CodeList = Grid<std::uint8_t>;

/// 随机生成: draws `count` codes of `digits` digits (3 or more) for the play type. Each code is
/// drawn digit by digit and drawn again in full until it passes the play type's tests; the list
/// is then sorted by its first three digits. Reseeds `random` first.
CodeList drawCodes(PlayType type, int count, int digits, RandomSource& random);

/// Sorts codes ascending by their first three digits (100·d1 + 10·d2 + d3) with the program's
/// exchange sort (common/exchange_sort.h), whose order of equal keys the drawn lists keep.
void sortCodes(CodeList& codes);

} // namespace quorlin

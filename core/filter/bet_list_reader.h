#pragma once

#include "filter/bet_list.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

class Progress;

/// A bet list read back in (载入): the distinct consecutive front combinations for the working
/// table, the lines as they will be shown, and the numbers the file uses.
struct LoadedBetList {
    bool ok = false;
    std::string error;             ///< why the file was refused (names the line)
    int frontWidth = 5;
    std::vector<std::uint8_t> fronts; ///< the working entries, frontWidth numbers each
    BetList lines;                 ///< every line read, as bets
    std::vector<int> frontNumbers; ///< the front numbers that occur, ascending
    std::vector<int> backNumbers;  ///< the back numbers that occur (none when a line lacks them)
};

/// Reads a bet list as the total filter loads it: up to the end or the first empty line; the
/// front numbers stand at the characters 3i − 2 (i = 1..frontWidth), the back numbers after them
/// while every line so far is long enough to hold them; consecutive lines with the same front
/// part give one entry. Refused, naming the line, when a number is not two digits in range, the
/// front numbers are not ascending, or there are more than `maxEntries` entries. With
/// `numberedToo` a line in the numbered form is read as its bet (the prize check reads both forms).
LoadedBetList readBetList(const std::string& path, int frontTotal, int frontWidth, int backTotal, int backWidth,
                          std::size_t maxEntries = 1'200'000, Progress* progress = nullptr, bool numberedToo = false);

/// A line without the blanks and control characters at both ends.
std::string_view trimmedLine(std::string_view line);
/// The two characters at 0-based offset `at` as a number in 1..limit, or 0 when they are not.
int betListField(std::string_view line, std::size_t at, int limit);

} // namespace quorlin

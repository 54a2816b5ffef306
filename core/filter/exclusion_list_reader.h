#pragma once

#include "filter/bet_list_reader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

class Progress;

/// A bet list loaded into an exclusion window: the front combinations that become its candidates.
struct LoadedExclusionList {
    bool ok = false;
    std::string error; ///< why the file was refused (names the line)
    std::vector<std::uint8_t> fronts;
};

/// Reads the front part of every line of a list in the lottery's `shape` (BetLineReader; back parts
/// are checked, then left out). A line whose front part equals one of the last 100 entries taken
/// adds nothing, so one bet with many back pairs gives one entry. Refused, naming the line, when a
/// line is not a bet or there are more than `maxEntries` entries.
LoadedExclusionList readExclusionList(const std::string& path, const TicketShape& shape,
                                      std::size_t maxEntries = kMaxBetListEntries, Progress* progress = nullptr);

} // namespace quorlin

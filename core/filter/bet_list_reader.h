#pragma once

#include "filter/bet_line_reader.h"
#include "filter/bet_list.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

class Progress;

/// The most entries a bet list read in may have, in every window and command that reads one;
/// a longer file is refused, naming its line.
inline constexpr std::size_t kMaxBetListEntries = 1'200'000;

/// A ticket line of a list kept whole (复式, 胆拖), after `singlesBefore` single lines.
struct ListedTicket {
    Ticket ticket;
    std::size_t singlesBefore = 0;
};

/// A bet list read back in (载入): the distinct consecutive front combinations for the working
/// table, the lines as they will be shown, and the numbers the file uses.
struct LoadedBetList {
    bool ok = false;
    std::string error; ///< why the file was refused (names the line)
    int frontWidth = 5;
    std::vector<std::uint8_t> fronts;  ///< the working entries, frontWidth numbers each
    BetList lines;                     ///< every line read, as bets
    std::vector<int> frontNumbers;     ///< the front numbers that occur, ascending
    std::vector<int> backNumbers;      ///< the back numbers read before the first line without them
    std::vector<ListedTicket> tickets; ///< lines kept whole (TicketLines::Keep), in file order

    /// The single bets the list stands for: its lines and every bet of its tickets.
    std::uint64_t bets() const;
};

/// Reads a bet list (BetLineReader) as the total filter loads it: every line is kept as read, with
/// or without its back part; the back numbers offered are those read before the first line without
/// a back part; consecutive lines with the same front part give one entry. Refused, naming the
/// line, when a line is not a bet or there are more than `maxEntries` entries. With `numberedToo`
/// a line in the numbered form is read as its bet (the prize check reads both forms). Ticket lines
/// (复式, 胆拖) are expanded into their single bets, at most `maxEntries` bets of tickets in all,
/// or with TicketLines::Keep kept whole in `tickets` (the prize check counts their bets).
LoadedBetList readBetList(const std::string& path, int frontTotal, int frontWidth, int backTotal, int backWidth,
                          std::size_t maxEntries = kMaxBetListEntries, Progress* progress = nullptr,
                          bool numberedToo = false, TicketLines tickets = TicketLines::Expand);

} // namespace quorlin

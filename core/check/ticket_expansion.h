#pragma once

#include "check/ticket.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

class Progress;

/// The single bets a ticket stands for, one at a time, so that a ticket of millions of bets costs
/// nothing to walk: the front choices in ascending order of their drags, and for each of them
/// every back choice (fronts varying slowest, as in a filter's result). Numbers come ascending.
class TicketExpansion {
public:
    explicit TicketExpansion(const Ticket& ticket);

    /// The next bet; false when every bet was given. `back` is left alone for a ticket without back part.
    bool next(std::array<std::uint8_t, 8>& front, std::array<std::uint8_t, 8>& back);

private:
    // The choices of one part: `need` of the drags, walked as index combinations.
    struct PartWalk {
        std::array<std::uint8_t, 64> drags{};
        int dragCount = 0;
        std::array<std::uint8_t, 8> bankers{};
        int bankerCount = 0;
        std::array<int, 8> chosen{};
        int need = 0;

        void start(const TicketPart& part, int width);
        bool advance();
        void write(std::array<std::uint8_t, 8>& out) const;
    };

    PartWalk front_;
    PartWalk back_;
    bool hasBack_ = true;
    bool started_ = false;
    bool done_ = false;
};

/// Writes the single bets of the tickets in the saved form ("01 02 03 04 05+06 07", CR LF), in
/// ticket order, through a scratch file that replaces `path` only when complete. Reports progress
/// in bets; a stop leaves the old file. False with `error` set on failure or stop.
bool writeTicketBets(const std::vector<Ticket>& tickets, const std::string& path, Progress* progress,
                     std::string& error);
/// The same bets as CSV, one a row with the numbers in columns (BetCsvWriter); back columns when
/// any ticket has a back part.
bool writeTicketBetsCsv(const std::vector<Ticket>& tickets, const std::string& path, Progress* progress,
                        std::string& error);

} // namespace quorlin

#pragma once

#include "check/ticket.h"

#include <string>
#include <vector>

namespace quorlin {

/// A file of ticket lines read back in.
struct TicketFile {
    bool ok = false;
    std::string error; ///< why the file was refused: "第 N 行：" and the problem
    std::vector<Ticket> tickets;
};

/// The most tickets a ticket file may hold: far beyond any real list, small enough to show.
inline constexpr std::size_t kMaxTicketLines = 100'000;

/// Reads a file of ticket lines (any encoding TextReader reads): one ticket a line, blank lines
/// passed over, every line needing its back part. Refused whole, naming the line, when one line is
/// not a ticket or there are more than kMaxTicketLines.
TicketFile readTicketFile(const std::string& path, const TicketShape& shape);

/// Writes the tickets, one normalised line each, through a scratch file that replaces `path` only
/// when complete. False with `error` set on failure.
bool writeTicketFile(const std::vector<Ticket>& tickets, const std::string& path, std::string& error);

} // namespace quorlin

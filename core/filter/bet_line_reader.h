#pragma once

#include "check/ticket.h"
#include "check/ticket_expansion.h"

#include "common/text_reader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace quorlin {

/// One bet of a bet-list file: its front numbers and, when the line has one, its back part.
struct BetLine {
    std::array<std::uint8_t, 8> front{};
    std::array<std::uint8_t, 8> back{};
    bool hasBack = false;
    /// A line standing for more than one bet, when the reader keeps tickets whole; front and back
    /// are then not set.
    std::optional<Ticket> ticket;
};

/// What a reader does with a line standing for many bets (复式, 胆拖).
enum class TicketLines {
    Expand, ///< gives its single bets one by one, in TicketExpansion's order
    Keep,   ///< gives it whole in BetLine::ticket
};

/// How a BetLineReader takes its lines.
struct BetLineOptions {
    bool numberedToo = false;                  ///< a line in the numbered form is read as its bet
    TicketLines tickets = TicketLines::Expand; ///< what becomes of a 复式 or 胆拖 line
    std::uint64_t expansionLimit = 1'200'000;  ///< the most single bets of tickets in one file
    bool frontsOnly = false;                   ///< back parts are checked, then left out (the exclusion windows' lists)
};

/// Reads the bets of a bet-list file one line at a time, so a list of any length costs one line:
/// the one reading of bet-list text for every window and command that takes such a file. Every line
/// end ends a line (TextReader); blank lines are passed over. A line holds digits, blanks, tabs,
/// commas, "+" and "#" only, its numbers those of one bet or one ticket; anything else is refused
/// naming the line and the character. With `numberedToo` a line in the numbered form ("0000001    "
/// before the bet) is read as its bet.
///
/// A line with "+" or "#", or with exactly the front numbers of one bet, is a ticket line
/// (parseTicket: any order, with or without leading 0, blanks or commas), so 复式 and 胆拖 lines
/// stand for their bets; the single bets of tickets are counted against `expansionLimit` over the
/// whole file. Any other line is read at the fixed positions of the saved form: the front numbers
/// are the two characters at 3i − 2 (1-based, i = 1..frontWidth), ascending, and a back part follows
/// at the same spacing or the line ends after the front part ("01 02 03 04 05 06 07" is a bet with
/// its back part). With backWidth 0 whatever follows "+" is ignored.
class BetLineReader {
public:
    explicit BetLineReader(const TicketShape& shape, const BetLineOptions& options = {});

    /// Opens the file; false (with error()) when it cannot be opened.
    bool open(const std::string& path);
    /// The next bet; false at the end of the file or when a line is refused (see failed()).
    bool next(BetLine& bet);

    /// Number of the line last read, counted from 1 (blank lines included).
    std::size_t lineNumber() const { return text_.lineNumber(); }
    bool failed() const { return !error_.empty() || text_.failed(); }
    /// Why reading stopped: "第 N 行：" and the reason, or why the file could not be read.
    const std::string& error() const { return error_.empty() ? text_.error() : error_; }
    /// True while every line read so far holds a back part.
    bool backsThroughout() const { return backsThroughout_; }

private:
    bool refuse(const std::string& reason);
    bool readFixed(std::string_view line, BetLine& bet);
    bool readTicket(std::string_view line, BetLine& bet);
    bool nextExpanded(BetLine& bet);
    bool checkSeparated(std::string_view line, int fields);

    int frontTotal_;
    int frontWidth_;
    int backTotal_;
    int backWidth_;
    BetLineOptions options_;
    std::uint64_t expanded_ = 0;               ///< single bets of the tickets read so far
    std::optional<TicketExpansion> expansion_; ///< the ticket whose bets are being given
    bool ticketHasBack_ = false;
    bool backsThroughout_ = true;
    TextReader text_;
    std::string raw_;
    std::string error_;
};

} // namespace quorlin

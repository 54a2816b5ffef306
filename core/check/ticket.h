#pragma once

#include "common/binomial.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorlin {

/// The numbers a ticket is made of, as the lottery defines them.
struct TicketShape {
    int frontTotal = 35;
    int frontWidth = 5;
    int backTotal = 12;
    int backWidth = 2;
    bool operator==(const TicketShape&) const = default;
};

/// One part of a ticket as bit masks (bit n = number n): bankers, on every bet the part stands
/// for, and drags, from which each bet takes the rest.
struct TicketPart {
    std::uint64_t bankers = 0;
    std::uint64_t drags = 0;

    int bankerCount() const;
    int dragCount() const;
    /// The part's choices of `width` numbers: C(drags, width − bankers).
    std::uint64_t choices(int width) const;
    bool operator==(const TicketPart&) const = default;
};

/// A ticket line as players buy them: 单式 (exactly the numbers of one bet), 复式 (more numbers
/// in a part: every choice of them) or 胆拖 (BANKERS#DRAGS: the bankers on every bet, the rest from
/// the drags). It stands for bets() single bets.
struct Ticket {
    TicketShape shape;
    TicketPart front;
    TicketPart back;
    bool hasBack = true; ///< false for a front part alone (a bet-list line without back part)

    std::uint64_t bets() const;
    bool isSingle() const { return bets() == 1; }
    /// "单式", "复式" or "胆拖" (a ticket with bankers in either part).
    const char* kind() const;
    /// The normalised line: each part ascending, two digits, one blank between numbers, bankers
    /// first and "#" before the drags, "+" between the parts.
    std::string text() const;
    bool operator==(const Ticket&) const = default;
};

/// The largest number and the most numbers of a bet a ticket can hold: beyond every shape the
/// program knows.
inline constexpr int kTicketMaxNumber = 63;
inline constexpr int kTicketMaxWidth = 8;

/// The length of the mark at `at` that stands between the numbers of a ticket line: a blank, a
/// tab, a comma (1 byte; "，" 3 bytes), "+" or "#"; 0 for any other character and past the end.
std::size_t ticketMarkLength(std::string_view line, std::size_t at);

/// Where the first character of the line begins that a ticket line may not hold: anything but
/// digits, blanks, tabs, commas (also "，"), "+" and "#". npos when there is none.
std::size_t strangeCharacterAt(std::string_view line);

/// Whether the line is written as a ticket at all: no strange character (strangeCharacterAt) and
/// at least one digit.
bool isTicketText(std::string_view line);

/// Reads one ticket line: FRONT[+BACK], each part plain numbers or BANKERS#DRAGS, numbers
/// separated by blanks or commas, with or without a leading 0, in any order. Front bankers
/// 1..width−1, back bankers 0..width−1; every number distinct within its part and in range.
/// Nothing, with `problem` saying what is wrong (without the line's number), when the line is
/// not a ticket or stands for no bet. Without `backRequired` a line without "+" is a front part
/// alone.
std::optional<Ticket> parseTicket(std::string_view line, const TicketShape& shape, std::string& problem,
                                  bool backRequired = true);

} // namespace quorlin

#pragma once

#include "check/prize_check.h"
#include "check/ticket.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

/// The ticket's bets per hit pattern in the draw, counted without expanding: a bet takes every
/// banker and `width − bankers` drags, so the bets with j drawn drags number C(drawn drags, j) ×
/// C(other drags, width − bankers − j), for the front and the back alike, and a pattern's count is
/// the product of both. A ticket without back part scores no back hit.
HitCounts ticketHits(const Ticket& ticket, const CheckDraw& draw);

/// What the ticket won in the draw of `priced` (pricedCheck: its rule set and prices): levelCounts,
/// money, unknownWon, bestLevel; only the hits when it has no rule set. bestLine is left empty.
DrawCheck checkTicket(const Ticket& ticket, const DrawCheck& priced);

/// What the tickets won together in the draw: their hits summed, then settled as checkTicket does.
DrawCheck checkTickets(const std::vector<Ticket>& tickets, const DrawCheck& priced);

/// The same at the amounts of a rule set alone (no published results), without 追加.
DrawCheck checkTicket(const Ticket& ticket, const CheckDraw& draw, PrizeRuleSetRef rules);
DrawCheck checkTickets(const std::vector<Ticket>& tickets, const CheckDraw& draw, PrizeRuleSetRef rules);

/// Reads a typed draw, "F F F F F+B B" (a 单式 line: no "#", exactly the numbers of one bet), as
/// ticket lines are read. Nothing with `problem` set when it is not one.
std::optional<CheckDraw> parseDrawText(std::string_view text, const TicketShape& shape, std::string& problem);

/// Calls `visit` with each bet of the ticket that scores exactly (frontHits, backHits) in the
/// draw, without walking the others, until `visit` returns false. Numbers come ascending.
void forEachBetWithHits(const Ticket& ticket, const CheckDraw& draw, int frontHits, int backHits,
                        const std::function<bool(const std::array<std::uint8_t, 8>& front,
                                                 const std::array<std::uint8_t, 8>& back)>& visit);

/// "01 02 03 04 05+06 07": a single bet as bet-list text.
std::string singleBetText(const std::array<std::uint8_t, 8>& front, int frontWidth,
                          const std::array<std::uint8_t, 8>& back, int backWidth);

} // namespace quorlin

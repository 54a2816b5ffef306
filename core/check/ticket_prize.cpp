#include "check/ticket_prize.h"

#include "check/ticket_expansion.h"
#include "common/number_mask.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace quorlin {

namespace {

// Bets of one part per hit count (0..8): the bankers' hits plus j of the drawn drags.
std::array<std::uint64_t, 9> partHits(const TicketPart& part, int width, std::uint64_t drawn)
{
    std::array<std::uint64_t, 9> ways{};
    const int bankerHits = std::popcount(part.bankers & drawn);
    const int drawnDrags = std::popcount(part.drags & drawn);
    const int otherDrags = part.dragCount() - drawnDrags;
    const int need = width - part.bankerCount();
    for (int j = 0; j <= std::min(need, drawnDrags); ++j) {
        const int hits = std::min(bankerHits + j, 8);
        ways[static_cast<std::size_t>(hits)] += binomial(drawnDrags, j) * binomial(otherDrags, need - j);
    }
    return ways;
}

// The choices of one part that score `hits`: bankers, `hits − banker hits` drawn drags and the
// rest from the other drags, as a two-part ticket whose expansion walks both picks.
struct PartPicks {
    std::uint64_t bankers = 0;
    Ticket picks;
    bool possible = false;
};

PartPicks picksOf(const TicketPart& part, int width, std::uint64_t drawn, int hits)
{
    PartPicks p;
    p.bankers = part.bankers;
    const int fromDrawn = hits - std::popcount(part.bankers & drawn);
    const int fromOther = width - part.bankerCount() - fromDrawn;
    p.picks.shape = TicketShape{kTicketMaxNumber, fromDrawn, kTicketMaxNumber, fromOther};
    p.picks.front.drags = part.drags & drawn;
    p.picks.back.drags = part.drags & ~drawn;
    p.possible = fromDrawn >= 0 && fromOther >= 0 && p.picks.bets() != 0;
    return p;
}

void merge(const PartPicks& p, const std::array<std::uint8_t, 8>& a, const std::array<std::uint8_t, 8>& b,
           std::array<std::uint8_t, 8>& out)
{
    int n = 0;
    for (std::uint64_t m = p.bankers; m != 0; m &= m - 1)
        out[static_cast<std::size_t>(n++)] = static_cast<std::uint8_t>(std::countr_zero(m));
    for (int i = 0; i < p.picks.shape.frontWidth; ++i)
        out[static_cast<std::size_t>(n++)] = a[static_cast<std::size_t>(i)];
    for (int i = 0; i < p.picks.shape.backWidth; ++i)
        out[static_cast<std::size_t>(n++)] = b[static_cast<std::size_t>(i)];
    std::sort(out.begin(), out.begin() + n);
}

} // namespace

HitCounts ticketHits(const Ticket& ticket, const CheckDraw& draw)
{
    HitCounts hits{};
    const auto front = partHits(ticket.front, ticket.shape.frontWidth, numberMask(draw.front));
    std::array<std::uint64_t, 9> back{};
    if (ticket.hasBack)
        back = partHits(ticket.back, ticket.shape.backWidth, numberMask(draw.back));
    else
        back[0] = 1;
    for (std::size_t f = 0; f < front.size(); ++f)
        for (std::size_t b = 0; b < back.size(); ++b)
            if (front[f] != 0 && back[b] != 0)
                hits[std::min<std::size_t>(f, 5)][std::min<std::size_t>(b, 2)] += front[f] * back[b];
    return hits;
}

DrawCheck checkTicket(const Ticket& ticket, const DrawCheck& priced)
{
    DrawCheck result = priced;
    result.hits = ticketHits(ticket, priced.draw);
    settleLevels(result);
    return result;
}

DrawCheck checkTicket(const Ticket& ticket, const CheckDraw& draw, PrizeRuleSetRef rules)
{
    return checkTicket(ticket, pricedCheck(draw, PrizeBook(), false, std::move(rules)));
}

DrawCheck checkTickets(const std::vector<Ticket>& tickets, const CheckDraw& draw, PrizeRuleSetRef rules)
{
    return checkTickets(tickets, pricedCheck(draw, PrizeBook(), false, std::move(rules)));
}

DrawCheck checkTickets(const std::vector<Ticket>& tickets, const DrawCheck& priced)
{
    DrawCheck result = priced;
    result.hits = {};
    for (const Ticket& ticket : tickets) {
        const HitCounts hits = ticketHits(ticket, priced.draw);
        for (std::size_t f = 0; f < hits.size(); ++f)
            for (std::size_t b = 0; b < hits[f].size(); ++b)
                result.hits[f][b] += hits[f][b];
    }
    settleLevels(result);
    return result;
}

std::optional<CheckDraw> parseDrawText(std::string_view text, const TicketShape& shape, std::string& problem)
{
    const auto ticket = parseTicket(text, shape, problem);
    if (!ticket)
        return std::nullopt;
    if (!ticket->isSingle() || ticket->front.bankers != 0 || ticket->back.bankers != 0) {
        problem = "开奖号码应为 " + std::to_string(shape.frontWidth) + " 个前区号码和 " +
                  std::to_string(shape.backWidth) + " 个后区号码";
        return std::nullopt;
    }
    CheckDraw draw;
    for (std::uint64_t m = ticket->front.drags; m != 0; m &= m - 1)
        draw.front.push_back(std::countr_zero(m));
    for (std::uint64_t m = ticket->back.drags; m != 0; m &= m - 1)
        draw.back.push_back(std::countr_zero(m));
    return draw;
}

void forEachBetWithHits(
    const Ticket& ticket, const CheckDraw& draw, int frontHits, int backHits,
    const std::function<bool(const std::array<std::uint8_t, 8>& front, const std::array<std::uint8_t, 8>& back)>& visit)
{
    const PartPicks front = picksOf(ticket.front, ticket.shape.frontWidth, numberMask(draw.front), frontHits);
    PartPicks back;
    if (ticket.hasBack)
        back = picksOf(ticket.back, ticket.shape.backWidth, numberMask(draw.back), backHits);
    else
        back.possible = backHits == 0;
    if (!front.possible || !back.possible)
        return;
    std::array<std::uint8_t, 8> a{}, b{}, c{}, d{}, bet{}, backBet{};
    TicketExpansion fronts(front.picks);
    while (fronts.next(a, b)) {
        merge(front, a, b, bet);
        if (!ticket.hasBack) {
            if (!visit(bet, backBet))
                return;
            continue;
        }
        TicketExpansion backs(back.picks);
        while (backs.next(c, d)) {
            merge(back, c, d, backBet);
            if (!visit(bet, backBet))
                return;
        }
    }
}

std::string singleBetText(const std::array<std::uint8_t, 8>& front, int frontWidth,
                          const std::array<std::uint8_t, 8>& back, int backWidth)
{
    std::string text;
    const auto add = [&text](std::uint8_t n) {
        text += static_cast<char>('0' + n / 10);
        text += static_cast<char>('0' + n % 10);
    };
    for (int i = 0; i < frontWidth; ++i) {
        if (i > 0)
            text += ' ';
        add(front[static_cast<std::size_t>(i)]);
    }
    if (backWidth > 0) {
        text += '+';
        for (int i = 0; i < backWidth; ++i) {
            if (i > 0)
                text += ' ';
            add(back[static_cast<std::size_t>(i)]);
        }
    }
    return text;
}

} // namespace quorlin

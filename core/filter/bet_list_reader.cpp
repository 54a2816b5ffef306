#include "filter/bet_list_reader.h"

#include "common/progress.h"
#include "filter/bet_line_reader.h"

#include <algorithm>
#include <array>
#include <map>

namespace quorlin {

namespace {

constexpr std::size_t kProgressLines = 65536;

LoadedBetList refuse(const std::string& error)
{
    LoadedBetList result;
    result.error = error + "。文件未载入。";
    return result;
}

} // namespace

std::uint64_t LoadedBetList::bets() const
{
    std::uint64_t n = lines.size();
    for (const ListedTicket& t : tickets)
        n += t.ticket.bets();
    return n;
}

LoadedBetList readBetList(const std::string& path, int frontTotal, int frontWidth, int backTotal, int backWidth,
                          std::size_t maxEntries, Progress* progress, bool numberedToo, TicketLines ticketLines)
{
    BetLineReader reader(
        TicketShape{frontTotal, frontWidth, backTotal, backWidth},
        BetLineOptions{.numberedToo = numberedToo, .tickets = ticketLines, .expansionLimit = maxEntries});
    std::vector<ListedTicket> tickets;
    if (!reader.open(path))
        return refuse(reader.error());
    std::vector<std::uint8_t> fronts;
    std::vector<std::uint8_t> backs;
    std::map<std::array<std::uint8_t, 8>, std::uint16_t> backIndex;
    std::vector<std::uint32_t> lineFront;
    std::vector<std::uint16_t> lineBack;
    std::array<bool, 64> frontSeen{};
    std::array<bool, 64> backSeen{};
    std::array<std::uint8_t, 8> previous{};
    bool havePrevious = false;

    BetLine bet;
    while (reader.next(bet)) {
        if (progress && lineFront.size() % kProgressLines == 0 && progress->cancelled())
            return refuse("第 " + std::to_string(reader.lineNumber()) + " 行：已停止");
        if (bet.ticket) {
            if (tickets.size() >= maxEntries)
                return refuse("第 " + std::to_string(reader.lineNumber()) + " 行：复式、胆拖票面超过 " +
                              std::to_string(maxEntries) + " 行");
            tickets.push_back({std::move(*bet.ticket), lineFront.size()});
            continue;
        }
        std::uint16_t back = BetList::kNoBack;
        if (bet.hasBack) {
            const auto [it, added] = backIndex.emplace(bet.back, static_cast<std::uint16_t>(backIndex.size()));
            if (added)
                backs.insert(backs.end(), bet.back.begin(), bet.back.begin() + backWidth);
            back = it->second;
            // The back numbers offered for the next run: those read before the first line without them.
            if (reader.backsThroughout())
                for (int i = 0; i < backWidth; ++i)
                    backSeen[bet.back[static_cast<std::size_t>(i)]] = true;
        }
        // Consecutive lines with the same front part make one working entry.
        if (!havePrevious || !std::equal(bet.front.begin(), bet.front.begin() + frontWidth, previous.begin())) {
            if (fronts.size() / static_cast<std::size_t>(frontWidth) >= maxEntries)
                return refuse("第 " + std::to_string(reader.lineNumber()) + " 行：不同的前区组合超过 " +
                              std::to_string(maxEntries) + " 个");
            fronts.insert(fronts.end(), bet.front.begin(), bet.front.begin() + frontWidth);
            for (int i = 0; i < frontWidth; ++i)
                frontSeen[bet.front[static_cast<std::size_t>(i)]] = true;
            previous = bet.front;
            havePrevious = true;
        }
        lineFront.push_back(static_cast<std::uint32_t>(fronts.size() / static_cast<std::size_t>(frontWidth) - 1));
        lineBack.push_back(back);
    }
    if (reader.failed())
        return refuse(reader.error());

    LoadedBetList result;
    result.ok = true;
    result.frontWidth = frontWidth;
    for (int n = 1; n <= frontTotal; ++n)
        if (frontSeen[static_cast<std::size_t>(n)])
            result.frontNumbers.push_back(n);
    for (int n = 1; n <= backTotal; ++n)
        if (backSeen[static_cast<std::size_t>(n)])
            result.backNumbers.push_back(n);
    result.lines =
        BetList::lines(frontWidth, fronts, backWidth, std::move(backs), std::move(lineFront), std::move(lineBack));
    result.fronts = std::move(fronts);
    result.tickets = std::move(tickets);
    return result;
}

} // namespace quorlin

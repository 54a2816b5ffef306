#include "check/ticket_expansion.h"

#include "common/progress.h"
#include "common/text_writer.h"
#include "export/bet_csv_writer.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace quorlin {

void TicketExpansion::PartWalk::start(const TicketPart& part, int width)
{
    dragCount = 0;
    for (std::uint64_t m = part.drags; m != 0; m &= m - 1)
        drags[static_cast<std::size_t>(dragCount++)] = static_cast<std::uint8_t>(std::countr_zero(m));
    bankerCount = 0;
    for (std::uint64_t m = part.bankers; m != 0; m &= m - 1)
        bankers[static_cast<std::size_t>(bankerCount++)] = static_cast<std::uint8_t>(std::countr_zero(m));
    need = std::clamp(width - bankerCount, 0, static_cast<int>(chosen.size()));
    for (int i = 0; i < need; ++i)
        chosen[static_cast<std::size_t>(i)] = i;
}

bool TicketExpansion::PartWalk::advance()
{
    // The rightmost index that can still move on, then the ones after it in a row.
    int i = need - 1;
    while (i >= 0 && chosen[static_cast<std::size_t>(i)] == dragCount - need + i)
        --i;
    if (i < 0)
        return false;
    ++chosen[static_cast<std::size_t>(i)];
    for (int j = i + 1; j < need; ++j)
        chosen[static_cast<std::size_t>(j)] = chosen[static_cast<std::size_t>(j - 1)] + 1;
    return true;
}

void TicketExpansion::PartWalk::write(std::array<std::uint8_t, 8>& out) const
{
    int n = 0;
    for (int i = 0; i < bankerCount; ++i)
        out[static_cast<std::size_t>(n++)] = bankers[static_cast<std::size_t>(i)];
    for (int i = 0; i < need; ++i)
        out[static_cast<std::size_t>(n++)] = drags[static_cast<std::size_t>(chosen[static_cast<std::size_t>(i)])];
    std::sort(out.begin(), out.begin() + n);
}

TicketExpansion::TicketExpansion(const Ticket& ticket) : hasBack_(ticket.hasBack)
{
    front_.start(ticket.front, ticket.shape.frontWidth);
    if (hasBack_)
        back_.start(ticket.back, ticket.shape.backWidth);
    done_ = ticket.bets() == 0;
}

bool TicketExpansion::next(std::array<std::uint8_t, 8>& front, std::array<std::uint8_t, 8>& back)
{
    if (done_)
        return false;
    if (!started_) {
        started_ = true;
    } else if (!hasBack_ || !back_.advance()) {
        if (!front_.advance()) {
            done_ = true;
            return false;
        }
        if (hasBack_) {
            const int need = back_.need;
            for (int i = 0; i < need; ++i)
                back_.chosen[static_cast<std::size_t>(i)] = i;
        }
    }
    front_.write(front);
    if (hasBack_)
        back_.write(back);
    return true;
}

namespace {

constexpr std::size_t kProgressBets = 1 << 16;

char* appendNumbers(char* out, const std::array<std::uint8_t, 8>& numbers, int count)
{
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            *out++ = ' ';
        const std::uint8_t n = numbers[static_cast<std::size_t>(i)];
        *out++ = static_cast<char>('0' + n / 10);
        *out++ = static_cast<char>('0' + n % 10);
    }
    return out;
}

} // namespace

bool writeTicketBets(const std::vector<Ticket>& tickets, const std::string& path, Progress* progress,
                     std::string& error)
{
    std::uint64_t total = 0;
    for (const Ticket& t : tickets)
        total += t.bets();
    TextWriter writer(path);
    std::vector<char> chunk(1 << 18);
    char* out = chunk.data();
    const auto flush = [&] {
        const bool ok = writer.writeRaw(std::string_view(chunk.data(), static_cast<std::size_t>(out - chunk.data())));
        out = chunk.data();
        return ok;
    };
    std::uint64_t done = 0;
    std::array<std::uint8_t, 8> front{};
    std::array<std::uint8_t, 8> back{};
    for (const Ticket& ticket : tickets) {
        TicketExpansion bets(ticket);
        while (bets.next(front, back)) {
            if (done % kProgressBets == 0 && progress) {
                if (progress->cancelled()) {
                    error = "已停止";
                    return false;
                }
                progress->report(static_cast<std::int64_t>(done), static_cast<std::int64_t>(total));
            }
            // A line is at most 8 + 1 + 8 numbers of three characters and CR LF.
            if (static_cast<std::size_t>(out - chunk.data()) + 64 > chunk.size() && !flush()) {
                error = writer.error();
                return false;
            }
            out = appendNumbers(out, front, ticket.shape.frontWidth);
            if (ticket.hasBack) {
                *out++ = '+';
                out = appendNumbers(out, back, ticket.shape.backWidth);
            }
            *out++ = '\r';
            *out++ = '\n';
            ++done;
        }
    }
    if (!flush() || !writer.commit()) {
        error = writer.error();
        return false;
    }
    if (progress)
        progress->report(static_cast<std::int64_t>(total), static_cast<std::int64_t>(total));
    return true;
}

bool writeTicketBetsCsv(const std::vector<Ticket>& tickets, const std::string& path, Progress* progress,
                        std::string& error)
{
    std::uint64_t total = 0;
    bool hasBack = false;
    for (const Ticket& t : tickets) {
        if (t.shape.frontWidth != tickets.front().shape.frontWidth ||
            t.shape.backWidth != tickets.front().shape.backWidth) {
            error = "各注的号码个数不同，无法写成一张表格";
            return false;
        }
        total += t.bets();
        hasBack = hasBack || t.hasBack;
    }
    const int frontWidth = tickets.empty() ? 0 : tickets.front().shape.frontWidth;
    const int backWidth = tickets.empty() || !hasBack ? 0 : tickets.front().shape.backWidth;
    BetCsvWriter out(path, frontWidth, backWidth, progress, total);
    const BetCsvWriter::BackText noBack = out.backText(nullptr);
    std::array<std::uint8_t, 8> front{};
    std::array<std::uint8_t, 8> back{};
    std::array<std::uint8_t, 8> shownFront{};
    bool going = true;
    for (std::size_t t = 0; going && t < tickets.size(); ++t) {
        TicketExpansion bets(tickets[t]);
        bool first = true;
        while (going && bets.next(front, back)) {
            if (first || front != shownFront) {
                out.setFront(front.data());
                shownFront = front;
                first = false;
            }
            going = out.line(tickets[t].hasBack ? out.backText(back.data()) : noBack);
        }
    }
    return out.finish(error);
}

} // namespace quorlin

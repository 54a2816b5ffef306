#include "check/ticket.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace quorlin {

namespace {

constexpr std::string_view kWideComma = "\xEF\xBC\x8C"; // "，"

std::string twoDigits(int n)
{
    return {static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

bool isSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ',';
}

// The line with every "，" written as ",".
std::string narrowCommas(std::string_view line)
{
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size();) {
        if (line.substr(i, kWideComma.size()) == kWideComma) {
            out += ',';
            i += kWideComma.size();
        } else {
            out += line[i++];
        }
    }
    return out;
}

// Reads the numbers of a list ("03 7,11"); false with `problem` set when one is wrong. `seen`
// holds the numbers already in the part, so a number in both bankers and drags is a repeat.
bool readNumbers(std::string_view text, int total, const char* partName, std::uint64_t& numbers, std::uint64_t& seen,
                 std::string& problem)
{
    std::size_t i = 0;
    while (i < text.size()) {
        if (isSeparator(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
        const std::string_view digits = text.substr(i, end - i);
        int n = 0;
        for (const char c : digits.substr(0, std::min<std::size_t>(digits.size(), 4)))
            n = n * 10 + (c - '0');
        if (digits.size() > 2 || n < 1 || n > total) {
            problem = std::string(partName) + "号码“" + std::string(digits) + "”不在 01-" + (total < 10 ? "0" : "") +
                      std::to_string(total) + " 之内";
            return false;
        }
        const std::uint64_t bit = std::uint64_t{1} << n;
        if (seen & bit) {
            problem = std::string(partName) + "号码 " + twoDigits(n) + " 重复";
            return false;
        }
        seen |= bit;
        numbers |= bit;
        i = end;
    }
    return true;
}

// One part: plain numbers or BANKERS#DRAGS, with 1..width − 1 bankers when "#" is written; a
// plain part holds drags only.
bool readPart(std::string_view text, int total, int width, const char* partName, TicketPart& part, std::string& problem)
{
    std::uint64_t seen = 0;
    const std::size_t hash = text.find('#');
    if (hash == std::string_view::npos) {
        if (!readNumbers(text, total, partName, part.drags, seen, problem))
            return false;
    } else {
        if (text.find('#', hash + 1) != std::string_view::npos) {
            problem = std::string(partName) + "中有多个“#”";
            return false;
        }
        if (!readNumbers(text.substr(0, hash), total, partName, part.bankers, seen, problem) ||
            !readNumbers(text.substr(hash + 1), total, partName, part.drags, seen, problem))
            return false;
        const int bankers = part.bankerCount();
        if (bankers == 0) {
            problem = std::string(partName) + "“#”前没有胆码";
            return false;
        }
        if (bankers > width - 1) {
            problem = std::string(partName) + "胆码有 " + std::to_string(bankers) + " 个，最多 " +
                      std::to_string(width - 1) + " 个";
            return false;
        }
    }
    const int need = width - part.bankerCount();
    if (part.dragCount() < need) {
        const bool plain = part.bankers == 0;
        problem = std::string(partName) + (plain ? "号码" : "拖码") + "只有 " + std::to_string(part.dragCount()) +
                  " 个，至少要 " + std::to_string(need) + " 个";
        return false;
    }
    return true;
}

void appendNumbers(std::string& out, std::uint64_t numbers)
{
    bool first = true;
    while (numbers != 0) {
        const int n = std::countr_zero(numbers);
        numbers &= numbers - 1;
        if (!first)
            out += ' ';
        out += twoDigits(n);
        first = false;
    }
}

void appendPart(std::string& out, const TicketPart& part)
{
    if (part.bankers != 0) {
        appendNumbers(out, part.bankers);
        out += '#';
    }
    appendNumbers(out, part.drags);
}

} // namespace

int TicketPart::bankerCount() const
{
    return std::popcount(bankers);
}

int TicketPart::dragCount() const
{
    return std::popcount(drags);
}

std::uint64_t TicketPart::choices(int width) const
{
    return binomial(dragCount(), width - bankerCount());
}

std::uint64_t Ticket::bets() const
{
    return front.choices(shape.frontWidth) * (hasBack ? back.choices(shape.backWidth) : 1);
}

const char* Ticket::kind() const
{
    if (front.bankers != 0 || back.bankers != 0)
        return "胆拖";
    return isSingle() ? "单式" : "复式";
}

std::string Ticket::text() const
{
    std::string out;
    appendPart(out, front);
    if (hasBack) {
        out += '+';
        appendPart(out, back);
    }
    return out;
}

std::size_t ticketMarkLength(std::string_view line, std::size_t at)
{
    if (at >= line.size())
        return 0;
    const char c = line[at];
    if (isSeparator(c) || c == '+' || c == '#')
        return 1;
    return line.substr(at, kWideComma.size()) == kWideComma ? kWideComma.size() : 0;
}

std::size_t strangeCharacterAt(std::string_view line)
{
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] >= '0' && line[i] <= '9') {
            ++i;
        } else if (const std::size_t mark = ticketMarkLength(line, i)) {
            i += mark;
        } else {
            return i;
        }
    }
    return std::string_view::npos;
}

bool isTicketText(std::string_view line)
{
    return strangeCharacterAt(line) == std::string_view::npos &&
           line.find_first_of("0123456789") != std::string_view::npos;
}

std::optional<Ticket> parseTicket(std::string_view line, const TicketShape& shape, std::string& problem,
                                  bool backRequired)
{
    if (shape.frontTotal > kTicketMaxNumber || shape.backTotal > kTicketMaxNumber || shape.frontWidth < 1 ||
        shape.frontWidth > kTicketMaxWidth || shape.backWidth < 0 || shape.backWidth > kTicketMaxWidth) {
        problem = "号码总数超过 " + std::to_string(kTicketMaxNumber) + "，不能按票面读";
        return std::nullopt;
    }
    const std::string text = narrowCommas(line);
    const std::string_view all(text);
    if (const std::size_t i = strangeCharacterAt(all); i != std::string_view::npos) {
        // The whole character, not a byte of it.
        std::size_t end = i + 1;
        while (end < all.size() && (static_cast<unsigned char>(all[end]) & 0xC0) == 0x80)
            ++end;
        problem = "有不认识的字符“" + std::string(all.substr(i, end - i)) + "”";
        return std::nullopt;
    }
    const std::size_t plus = all.find('+');
    if (plus != std::string_view::npos && all.find('+', plus + 1) != std::string_view::npos) {
        problem = "有多个“+”";
        return std::nullopt;
    }
    Ticket ticket;
    ticket.shape = shape;
    ticket.hasBack = plus != std::string_view::npos;
    if (!ticket.hasBack && backRequired) {
        problem = "缺少“+”和后区号码";
        return std::nullopt;
    }
    if (!readPart(all.substr(0, plus), shape.frontTotal, shape.frontWidth, "前区", ticket.front, problem))
        return std::nullopt;
    if (ticket.hasBack &&
        !readPart(all.substr(plus + 1), shape.backTotal, shape.backWidth, "后区", ticket.back, problem))
        return std::nullopt;
    return ticket;
}

} // namespace quorlin

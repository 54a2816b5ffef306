#include "filter/bet_line_reader.h"

#include "common/text_encoding.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace quorlin {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The line without the blanks and control characters at both ends.
std::string_view trimmed(std::string_view line)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!line.empty() && isBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back()))
        line.remove_suffix(1);
    return line;
}

// The two characters at 0-based offset `at` as a number in 1..limit, or 0 when they are not.
int field(std::string_view line, std::size_t at, int limit)
{
    if (at + 2 > line.size())
        return 0;
    const char a = line[at];
    const char b = line[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return 0;
    const int n = (a - '0') * 10 + (b - '0');
    return n >= 1 && n <= limit ? n : 0;
}

// Length of the numbered form's line number and four blanks, or 0. The number has seven digits,
// more past line 9,999,999.
std::size_t numberedPrefix(std::string_view line)
{
    const std::size_t digits = std::min(line.find_first_not_of("0123456789"), line.size());
    if (digits < 7 || line.size() <= digits + 4 || line.substr(digits, 4) != "    ")
        return 0;
    return digits + 4;
}

// The numbers of a line: its runs of digits.
int numberCount(std::string_view line)
{
    int numbers = 0;
    for (std::size_t i = 0; i < line.size(); ++i)
        numbers += isDigit(line[i]) && (i + 1 == line.size() || !isDigit(line[i + 1])) ? 1 : 0;
    return numbers;
}

// Names the character at `at`, which no bet line may hold, and the number it stands in:
// "第 2 个后区号码“07x”有不认识的字符“x”". Without "+" the numbers past the front part are the
// back part, as the fixed reading takes them.
std::string strangeCharacterProblem(std::string_view line, std::size_t at, int frontWidth, int backWidth)
{
    const std::size_t plus = line.rfind('+', at);
    const char* part = plus == std::string_view::npos ? "前区" : "后区";
    std::size_t i = plus == std::string_view::npos ? 0 : plus + 1;
    std::size_t start = i;
    int index = 0;
    while (i <= at) {
        while (std::size_t length = ticketMarkLength(line, i))
            i += length;
        start = i;
        while (i < line.size() && ticketMarkLength(line, i) == 0)
            ++i;
        ++index;
    }
    const std::string_view token = line.substr(start, i - start);
    std::string character(utf8CharAt(line, at));
    if (character.size() == 1 && (static_cast<unsigned char>(character[0]) < ' ' || character[0] == '\x7F')) {
        char code[8];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character[0]));
        character = code;
    }
    const std::string what = "有不认识的字符“" + character + "”";
    if (token.find_first_of("0123456789") == std::string_view::npos)
        return part + what;
    if (plus == std::string_view::npos && backWidth > 0 && index > frontWidth &&
        line.find('+') == std::string_view::npos) {
        part = "后区";
        index -= frontWidth;
    }
    return "第 " + std::to_string(index) + " 个" + part + "号码" + quotedExcerpt(token) + what;
}

} // namespace

BetLineReader::BetLineReader(const TicketShape& shape, const BetLineOptions& options)
    : frontTotal_(shape.frontTotal), frontWidth_(shape.frontWidth), backTotal_(shape.backTotal),
      backWidth_(shape.backWidth), options_(options)
{
}

bool BetLineReader::open(const std::string& path)
{
    return text_.open(path);
}

bool BetLineReader::refuse(const std::string& reason)
{
    error_ = "第 " + std::to_string(lineNumber()) + " 行：" + reason;
    return false;
}

bool BetLineReader::next(BetLine& bet)
{
    if (expansion_ && nextExpanded(bet))
        return true;
    std::string_view line;
    while (line.empty()) {
        if (failed() || !text_.next(raw_))
            return false;
        line = trimmed(raw_);
    }
    if (options_.numberedToo)
        line.remove_prefix(numberedPrefix(line));
    bet.ticket.reset();
    if (const std::size_t at = strangeCharacterAt(line); at != std::string_view::npos)
        return refuse(strangeCharacterProblem(line, at, frontWidth_, backWidth_));
    // A line of numbers alone is a ticket only as one bet's front part: anything longer keeps the
    // fixed reading, in which "01 02 03 04 05 06 07" is a bet with its back part.
    const int numbers = numberCount(line);
    if (line.find_first_of("+#") != std::string_view::npos || numbers == frontWidth_)
        return readTicket(line, bet);
    if (numbers > frontWidth_ + backWidth_) {
        std::string one = std::to_string(frontWidth_) + " 个前区号码";
        if (backWidth_ > 0)
            one += "和 " + std::to_string(backWidth_) + " 个后区号码";
        return refuse("有 " + std::to_string(numbers) + " 个号码，多于一注的 " + one +
                      "；一行只写一注，复式、胆拖要用“+”分开前区和后区");
    }
    return readFixed(line, bet);
}

bool BetLineReader::readTicket(std::string_view line, BetLine& bet)
{
    // Lists without back part ignore whatever follows the front part.
    if (backWidth_ == 0)
        line = line.substr(0, line.find('+'));
    std::string problem;
    auto ticket = parseTicket(line, TicketShape{frontTotal_, frontWidth_, backTotal_, backWidth_}, problem, false);
    if (!ticket)
        return refuse(problem);
    if (options_.frontsOnly) {
        ticket->hasBack = false;
        ticket->back = {};
    }
    if (!ticket->hasBack)
        backsThroughout_ = false;
    if (ticket->isSingle() || options_.tickets == TicketLines::Expand) {
        if (!ticket->isSingle()) {
            expanded_ += ticket->bets();
            if (expanded_ > options_.expansionLimit)
                return refuse(std::string(ticket->kind()) + "票面展开后超过 " +
                              std::to_string(options_.expansionLimit) + " 注");
        }
        ticketHasBack_ = ticket->hasBack;
        expansion_.emplace(*ticket);
        return nextExpanded(bet);
    }
    bet.ticket = std::move(ticket);
    return true;
}

bool BetLineReader::nextExpanded(BetLine& bet)
{
    if (!expansion_->next(bet.front, bet.back)) {
        expansion_.reset();
        return false;
    }
    bet.hasBack = ticketHasBack_;
    return true;
}

bool BetLineReader::readFixed(std::string_view line, BetLine& bet)
{
    for (int i = 0; i < frontWidth_; ++i) {
        const int n = field(line, static_cast<std::size_t>(3 * i), frontTotal_);
        if (n == 0)
            return refuse("第 " + std::to_string(i + 1) + " 个前区号码应为 01-" + std::to_string(frontTotal_) +
                          " 的两位数字");
        if (i > 0 && n <= bet.front[static_cast<std::size_t>(i - 1)])
            return refuse("前区号码应从小到大排列且互不相同");
        bet.front[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(n);
    }
    const auto frontLength = static_cast<std::size_t>(3 * frontWidth_ - 1);
    const auto fullLength = static_cast<std::size_t>(3 * (frontWidth_ + backWidth_) - 1);
    bet.hasBack = backWidth_ > 0 && line.size() >= fullLength;
    if (!bet.hasBack) {
        if (backWidth_ > 0 && line.size() > frontLength)
            return refuse("前区号码之后应为 " + std::to_string(backWidth_) + " 个后区号码或什么也没有");
        backsThroughout_ = false;
        return checkSeparated(line, frontWidth_);
    }
    for (int i = 0; i < backWidth_; ++i) {
        const int n = field(line, static_cast<std::size_t>(3 * (frontWidth_ + i)), backTotal_);
        if (n == 0)
            return refuse("第 " + std::to_string(i + 1) + " 个后区号码应为 01-" + std::to_string(backTotal_) +
                          " 的两位数字");
        bet.back[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(n);
    }
    if (options_.frontsOnly)
        bet.hasBack = false;
    return checkSeparated(line, frontWidth_ + backWidth_);
}

// Each of the fixed fields read is a number of its own, not the start of a longer one.
bool BetLineReader::checkSeparated(std::string_view line, int fields)
{
    for (int i = 0; i < fields; ++i) {
        const auto after = static_cast<std::size_t>(3 * i + 2);
        if (after < line.size() && isDigit(line[after]))
            return refuse("号码应为两位数字，以一个空格隔开");
    }
    return true;
}

} // namespace quorlin

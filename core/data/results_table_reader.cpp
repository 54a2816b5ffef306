// A results web page read the way the program always has: draw rows found at fixed character
// offsets on the page's first line.
#include "data/results_page.h"

#include "common/text_encoding.h"

#include <array>

namespace quorlin {

namespace {

constexpr std::string_view kRowMarker = "</td><td";
constexpr std::size_t kIssueLength = 5;
constexpr std::size_t kFirstNumber = 59;
constexpr std::size_t kNumberStep = 3;
constexpr std::size_t kNumberLength = 2;
constexpr std::size_t kNumbers = 7;

ResultsPage tableError(std::string error)
{
    ResultsPage page;
    page.error = std::move(error);
    return page;
}

// The first line without the blanks and control characters around it.
std::string_view firstLine(std::string_view text)
{
    text = text.substr(0, text.find_first_of("\r\n"));
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return text.substr(begin, end - begin);
}

/// The line with its characters numbered: offsets count characters, not bytes, so a Chinese
/// character between the issue and the numbers counts once.
class CharacterLine {
public:
    explicit CharacterLine(std::string_view line) : line_(line)
    {
        for (std::size_t at = 0; at < line.size(); at += utf8CharAt(line, at).size())
            starts_.push_back(at);
        starts_.push_back(line.size());
    }

    std::size_t size() const { return starts_.size() - 1; }
    /// `count` characters from character `first`; the caller keeps within size().
    std::string_view chars(std::size_t first, std::size_t count) const
    {
        return line_.substr(starts_[first], starts_[first + count] - starts_[first]);
    }
    bool isDigit(std::size_t at) const
    {
        const std::string_view ch = chars(at, 1);
        return ch.size() == 1 && ch[0] >= '0' && ch[0] <= '9';
    }

private:
    std::string_view line_;
    std::vector<std::size_t> starts_;
};

bool rowAt(const CharacterLine& line, std::size_t p)
{
    if (p + kIssueLength + kRowMarker.size() > line.size())
        return false;
    for (std::size_t k = 0; k < kIssueLength; ++k) {
        if (!line.isDigit(p + k))
            return false;
    }
    return line.chars(p + kIssueLength, kRowMarker.size()) == kRowMarker;
}

} // namespace

ResultsPage scanResultsTable(std::string_view text, std::int32_t today)
{
    const CharacterLine line(firstLine(text));
    ResultsPage page;
    for (std::size_t p = 0; p < line.size(); ++p) {
        if (!rowAt(line, p))
            continue;
        const std::string_view issue = line.chars(p, kIssueLength);
        const std::size_t last = p + kFirstNumber + kNumberStep * (kNumbers - 1) + kNumberLength;
        if (last > line.size())
            return tableError("结果页中期号 " + std::string(issue) + " 的开奖号码不完整（页面在号码之前结束）");
        std::array<std::string_view, kNumbers> numbers;
        for (std::size_t k = 0; k < kNumbers; ++k)
            numbers[k] = line.chars(p + kFirstNumber + kNumberStep * k, kNumberLength);
        ImportedDraw draw;
        parseDrawIssue(issue, draw.issue);
        if (const std::string reason = checkUndatedIssue(draw, today); !reason.empty())
            return tableError("结果页中期号 " + std::string(issue) + " 有误：" + reason);
        if (const std::string reason = parseDrawNumbers(numbers, draw); !reason.empty())
            return tableError("结果页中期号 " + std::string(issue) + " 的开奖号码有误：" + reason);
        page.draws.push_back(draw);
    }
    if (page.draws.empty())
        return tableError("下载的页面中找不到开奖号码（下载地址不对，或网页的格式变了）");
    page.ok = true;
    return page;
}

} // namespace quorlin

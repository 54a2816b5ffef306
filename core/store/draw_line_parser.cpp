#include "store/draw_line_parser.h"

#include "common/calendar.h"
#include "common/text_encoding.h"
#include "common/text_file.h"
#include "store/his_text.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <vector>

namespace quorlin {

namespace {

constexpr int kFront = 5;
constexpr int kBack = 2;
constexpr int kFrontTotal = 35;
constexpr int kBackTotal = 12;
// The first day of the game: no draw is older.
constexpr std::int32_t kFirstDrawDay = 20070528;
// Leading zeros are fine ("0022"); beyond this many digits a field is not a lottery number.
constexpr std::size_t kMaxNumberDigits = 9;

struct Separator {
    std::string_view text;
    const char* name;
};

// Separators people type by mistake, often from a Chinese input method. They are refused by name
// instead of being guessed at, so a file is never read in a way its author did not mean.
constexpr Separator kForeignSeparators[] = {
    {"，", "全角逗号"}, {"、", "顿号"},     {"；", "全角分号"}, {";", "分号"},      {"：", "全角冒号"},
    {":", "冒号"},      {"｜", "全角竖线"}, {"|", "竖线"},      {"　", "全角空格"},
};

const Separator* foreignSeparator(std::string_view line)
{
    for (const Separator& sep : kForeignSeparators) {
        if (line.find(sep.text) != std::string_view::npos)
            return &sep;
    }
    return nullptr;
}

// A header names the columns: no field of it, split at any separator, is a number.
bool looksLikeHeader(std::string_view line)
{
    // Every foreign separator becomes a blank.
    std::string text;
    text.reserve(line.size());
    for (std::size_t i = 0; i < line.size();) {
        const Separator* hit = nullptr;
        for (const Separator& sep : kForeignSeparators)
            if (line.substr(i).starts_with(sep.text))
                hit = &sep;
        if (hit) {
            text += ' ';
            i += hit->text.size();
        } else {
            text += line[i++];
        }
    }
    for (std::string_view field : splitFields(text)) {
        if (isAllDigits(field))
            return false;
    }
    return true;
}

std::string numberName(int k)
{
    return k < kFront ? "前区第 " + std::to_string(k + 1) + " 个号码"
                      : "后区第 " + std::to_string(k - kFront + 1) + " 个号码";
}

} // namespace

std::string parseDrawNumbers(std::span<const std::string_view> fields, ImportedDraw& draw)
{
    if (fields.size() != kFront + kBack)
        return "应有 7 个号码，实有 " + std::to_string(fields.size()) + " 个";
    for (int k = 0; k < kFront + kBack; ++k) {
        const std::string_view field = fields[static_cast<std::size_t>(k)];
        if (field.empty())
            return numberName(k) + "未填写";
        if (!isAllDigits(field))
            return numberName(k) + quotedExcerpt(field) + "不是数字";
        if (field.size() > kMaxNumberDigits)
            return numberName(k) + quotedExcerpt(field) + "过长";
        int value = 0;
        std::from_chars(field.data(), field.data() + field.size(), value);
        const bool front = k < kFront;
        const int limit = front ? kFrontTotal : kBackTotal;
        if (value < 1 || value > limit)
            return std::string(front ? "前区" : "后区") + "号码 " + std::to_string(value) + " 不在 1-" +
                   std::to_string(limit) + " 之内";
        const int zoneStart = front ? 0 : kFront;
        for (int j = zoneStart; j < k; ++j) {
            if (draw.numbers[static_cast<std::size_t>(j)] == value)
                return std::string(front ? "前区" : "后区") + "号码 " + std::to_string(value) + " 重复";
        }
        if (k > zoneStart && value < draw.numbers[static_cast<std::size_t>(k - 1)])
            return front ? "前区号码要从小到大排列" : "后区号码要从小到大排列";
        draw.numbers[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(value);
    }
    return {};
}

namespace {

std::string parseIssue(std::string_view issue, IssueForm form, ImportedDraw& draw)
{
    if (issue.empty())
        return "期号未填写";
    const bool shortAllowed = form == IssueForm::ShortOrFull;
    if (!isAllDigits(issue) || (issue.size() != 7 && !(shortAllowed && issue.size() == 5)))
        return "期号" + quotedExcerpt(issue) + (shortAllowed ? "应为 5 位或 7 位数字" : "应为 7 位数字");
    std::from_chars(issue.data(), issue.data() + issue.size(), draw.issue);
    if (issue.size() == 5)
        draw.issue += 2000000;
    return {};
}

// The last three digits of an issue count the draws of its year from 001.
std::string checkDrawOfYear(const ImportedDraw& draw)
{
    if (draw.issue % 1000 == 0)
        return "期号" + quotedExcerpt(draw.issueText()) + "的后三位是当年的第几期，应从 001 起";
    return {};
}

std::string parseUndatedDraw(std::span<const std::string_view> fields, std::int32_t today, ImportedDraw& draw)
{
    if (std::string reason = parseIssue(fields[0], IssueForm::ShortOrFull, draw); !reason.empty())
        return reason;
    if (std::string reason = checkUndatedIssue(draw, today); !reason.empty())
        return reason;
    draw.date = 0;
    return parseDrawNumbers(fields.subspan(1), draw);
}

std::string parseDraw(std::string_view line, std::int32_t today, ImportedDraw& draw)
{
    if (const Separator* sep = foreignSeparator(line))
        return "用了" + std::string(sep->name) + quotedExcerpt(sep->text) +
               "作分隔符；只能用英文逗号、空格或制表符分隔";
    const auto fields = splitFields(line);
    // The history export writes the issue and the 7 numbers without the date.
    if (fields.size() == 1 + kFront + kBack && isAllDigits(fields[1]))
        return parseUndatedDraw(fields, today, draw);
    if (fields.size() != 2 + kFront + kBack)
        return "应为期号、开奖日期和 7 个号码，实有 " + std::to_string(fields.size()) + " 项";
    DrawFields typed{fields[0], fields[1], {}};
    std::copy(fields.begin() + 2, fields.end(), typed.numbers.begin());
    return parseDrawFields(typed, IssueForm::ShortOrFull, today, draw);
}

} // namespace

std::string parseDrawFields(const DrawFields& fields, IssueForm form, std::int32_t today, ImportedDraw& draw)
{
    if (std::string reason = parseIssue(fields.issue, form, draw); !reason.empty())
        return reason;
    if (fields.date.empty())
        return "开奖日期未填写";
    if (fields.date.find('/') != std::string_view::npos || !parseDrawDate(fields.date, draw.date))
        return "开奖日期" + quotedExcerpt(fields.date) + "不是 YYYY-MM-DD 形式的有效日期";
    if (std::string reason = checkIssueAndDate(draw, today); !reason.empty())
        return reason;
    return parseDrawNumbers(fields.numbers, draw);
}

std::string checkIssueAndDate(const ImportedDraw& draw, std::int32_t today)
{
    if (std::string reason = checkDrawOfYear(draw); !reason.empty())
        return reason;
    if (draw.issue / 1000 != draw.date / 10000)
        return "期号" + quotedExcerpt(draw.issueText()) + "的前四位应是开奖日期" + quotedExcerpt(draw.dateText()) +
               "的年份";
    if (draw.date < kFirstDrawDay) {
        ImportedDraw first;
        first.date = kFirstDrawDay;
        return "开奖日期" + quotedExcerpt(draw.dateText()) + "早于大乐透开始发行的 " + first.dateText();
    }
    // Year + 1 with the same month and day; compared as numbers it needs to be no real date.
    if (draw.date > today + 10000)
        return "开奖日期" + quotedExcerpt(draw.dateText()) + "比今天晚一年以上";
    return {};
}

std::string checkUndatedIssue(const ImportedDraw& draw, std::int32_t today)
{
    if (std::string reason = checkDrawOfYear(draw); !reason.empty())
        return reason;
    if (draw.issue / 1000 < kFirstDrawDay / 10000 || draw.issue / 1000 > today / 10000 + 1)
        return "期号" + quotedExcerpt(draw.issueText()) + "的前四位不是大乐透开奖的年份";
    return {};
}

std::string checkHeldDraw(const ImportedDraw& draw, std::int32_t today)
{
    if (std::string reason = checkIssueAndDate(draw, today); !reason.empty())
        return reason;
    if (draw.date > today) {
        ImportedDraw now;
        now.date = today;
        return "开奖日期" + quotedExcerpt(draw.dateText()) + "晚于今天（" + now.dateText() + "），这一期还没有开奖";
    }
    return {};
}

bool parseDrawIssue(std::string_view text, std::int32_t& issue)
{
    ImportedDraw draw;
    if (!parseIssue(text, IssueForm::ShortOrFull, draw).empty())
        return false;
    issue = draw.issue;
    return true;
}

bool parseDrawDate(std::string_view text, std::int32_t& date)
{
    const int value = dateFromText(text);
    if (value == 0)
        return false;
    date = value;
    return true;
}

std::string ImportedDraw::issueText() const
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%07d", static_cast<int>(issue));
    return buf;
}

std::string ImportedDraw::dateText() const
{
    return quorlin::dateText(date);
}

std::string ImportedDraw::numbersText() const
{
    int values[kFront + kBack];
    for (int k = 0; k < kFront + kBack; ++k)
        values[k] = numbers[static_cast<std::size_t>(k)];
    return formatDrawText(values, kFront, values + kFront, kBack);
}

std::string ImportedDraw::text() const
{
    return date == 0 ? numbersText() : dateText() + " " + numbersText();
}

DrawLineParser::Kind DrawLineParser::parse(std::string_view line, ImportedDraw& draw, std::string& reason)
{
    // Spreadsheets export empty rows as a run of commas.
    if (line.find_first_not_of(", \t") == std::string_view::npos)
        return Kind::Blank;
    const bool first = !seenLine_;
    seenLine_ = true;
    if (first && looksLikeHeader(line))
        return Kind::Header;
    reason = parseDraw(line, today_, draw);
    return reason.empty() ? Kind::Draw : Kind::Refused;
}

} // namespace quorlin

#include "store/draw_import.h"

#include "common/calendar.h"
#include "common/text_file.h"
#include "store/database.h"
#include "store/draw_cursor.h"
#include "store/schema.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <set>

namespace quorlin {

namespace {

constexpr int kFront = 5;
constexpr int kBack = 2;
constexpr int kFrontTotal = 35;
constexpr int kBackTotal = 12;

struct ParsedDraw {
    std::string issue;
    std::string date;
    std::array<int, kFront + kBack> numbers{};
};

bool parseNumber(std::string_view text, int& value)
{
    if (!isAllDigits(text) || text.size() > 3)
        return false;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return true;
}

// Accepts YYYY-MM-DD (one-digit month and day too) and writes it back zero-padded.
bool normaliseDate(std::string_view text, std::string& date)
{
    if (!isDateText(text) || text.find('/') != std::string_view::npos)
        return false;
    int year = 0, month = 0, day = 0;
    std::sscanf(std::string(text).c_str(), "%d-%d-%d", &year, &month, &day);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month, day);
    date = buf;
    return true;
}

bool distinctInRange(const int* numbers, int count, int limit)
{
    for (int i = 0; i < count; ++i) {
        if (numbers[i] < 1 || numbers[i] > limit)
            return false;
        for (int j = 0; j < i; ++j) {
            if (numbers[i] == numbers[j])
                return false;
        }
    }
    return true;
}

// Parses one line; returns an empty string on success or the reason it is refused.
std::string parseLine(const std::vector<std::string_view>& fields, ParsedDraw& draw)
{
    if (fields.size() != 2 + kFront + kBack)
        return "应为期号、开奖日期和 7 个号码，实有 " + std::to_string(fields.size()) + " 项";
    const std::string_view issue = fields[0];
    if (!isAllDigits(issue) || (issue.size() != 5 && issue.size() != 7))
        return "期号“" + std::string(issue) + "”应为 5 位或 7 位数字";
    draw.issue = issue.size() == 5 ? "20" + std::string(issue) : std::string(issue);
    if (!normaliseDate(fields[1], draw.date))
        return "开奖日期“" + std::string(fields[1]) + "”不是 YYYY-MM-DD 形式的有效日期";
    for (int k = 0; k < kFront + kBack; ++k) {
        if (!parseNumber(fields[static_cast<std::size_t>(2 + k)], draw.numbers[static_cast<std::size_t>(k)]))
            return "号码“" + std::string(fields[static_cast<std::size_t>(2 + k)]) + "”不是数字";
    }
    if (!distinctInRange(draw.numbers.data(), kFront, kFrontTotal))
        return "前区应为 5 个互不相同的 1-35 号码";
    if (!distinctInRange(draw.numbers.data() + kFront, kBack, kBackTotal))
        return "后区应为 2 个互不相同的 1-12 号码";
    return {};
}

ImportResult refuse(std::size_t line, const std::string& reason)
{
    return ImportResult{false, 0, "第 " + std::to_string(line) + " 行：" + reason + "。文件未导入。"};
}

} // namespace

ImportResult importDrawLines(Database& db, const std::string& lottery, const std::vector<std::string>& lines)
{
    const std::string table = quoteIdentifier(drawTableName(lottery));
    try {
        verifyDrawTable(db, lottery, kFront + kBack);
    } catch (const DatabaseError& e) {
        return ImportResult{false, 0, e.what()};
    }

    std::set<std::string> known;
    {
        Statement st(db, "select 记录期号 from " + table);
        while (st.step())
            known.insert(st.text(0));
    }

    std::vector<ParsedDraw> draws;
    bool seenFirst = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto fields = splitFields(lines[i]);
        if (fields.empty())
            continue;
        // The first line may name the columns instead of holding a draw.
        if (!seenFirst) {
            seenFirst = true;
            if (!isAllDigits(fields[0]))
                continue;
        }
        ParsedDraw draw;
        if (std::string reason = parseLine(fields, draw); !reason.empty())
            return refuse(i + 1, reason);
        if (!known.insert(draw.issue).second)
            return refuse(i + 1, "期号 " + draw.issue + " 已经存在");
        draws.push_back(std::move(draw));
    }

    Transaction tx(db);
    Statement insert(db, "insert into " + table +
                             "(记录期号,[1],[2],[3],[4],[5],[6],[7],开奖日期) values (?1,?2,?3,?4,?5,?6,?7,?8,?9)");
    for (const ParsedDraw& draw : draws) {
        insert.reset();
        insert.bind(1, draw.issue);
        for (int k = 0; k < kFront + kBack; ++k)
            insert.bind(2 + k, draw.numbers[static_cast<std::size_t>(k)]);
        insert.bind(9, draw.date);
        insert.step();
    }
    tx.commit();
    return ImportResult{true, static_cast<int>(draws.size()), {}};
}

ImportResult importDraws(Database& db, const std::string& lottery, const std::string& path)
{
    const auto lines = readTextLines(path);
    if (!lines)
        return ImportResult{false, 0, "无法读取文件 " + path};
    return importDrawLines(db, lottery, *lines);
}

} // namespace quorlin

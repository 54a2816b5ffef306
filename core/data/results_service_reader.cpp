// The answers of the lottery administration's results service (JSON, paged newest first).
#include "data/json_reader.h"
#include "data/results_page.h"

#include "common/text_encoding.h"
#include "common/text_file.h"
#include "common/yuan_amount.h"

#include <algorithm>
#include <cstdio>

namespace quorlin {

namespace {

ResultsPage serviceError(std::string error)
{
    ResultsPage page;
    page.format = ResultsPage::Format::Service;
    page.error = std::move(error);
    return page;
}

// The short issue, also when the service writes it as a number and so loses its leading zero.
std::string issueText(const JsonValue& value)
{
    if (value.type() == JsonValue::Type::Number && value.text().size() < 5 && isAllDigits(value.text()))
        return std::string(5 - value.text().size(), '0') + value.text();
    return value.text();
}

const JsonValue& field(const JsonValue& object, const char* name)
{
    static const JsonValue kAbsent;
    const JsonValue* value = object.member(name);
    return value ? *value : kAbsent;
}

// The service's mark of a level nobody won.
constexpr std::string_view kNobodyWon = "---";

// A count of winners: "1,260", 1260 or "---" (nobody).
std::optional<std::int64_t> winnerCount(const std::string& text)
{
    if (text == kNobodyWon)
        return 0;
    const auto fen = text.find('.') == std::string::npos ? parseYuan(text) : std::nullopt;
    return fen ? std::optional<std::int64_t>(*fen / 100) : std::nullopt;
}

// Reads one line of prizeLevelList; returns the reason when it does not read.
std::string readPrize(const JsonValue& line, PublishedPrize& prize)
{
    if (!line.isObject())
        return "中奖结果中有一行不是奖级";
    prize.level = field(line, "prizeLevel").text();
    if (prize.level.empty())
        return "中奖结果中有一行没有奖级名称";
    const std::string& count = field(line, "stakeCount").text();
    const auto winners = winnerCount(count);
    if (!winners)
        return "奖级" + quotedExcerpt(prize.level) + "的中奖注数" + quotedExcerpt(count) + "不是注数";
    prize.winners = *winners;
    const std::string& amount = field(line, "stakeAmount").text();
    if (amount == kNobodyWon) {
        // Winners without an amount: the amount is not published.
        prize.amount = prize.winners == 0 ? std::optional<std::int64_t>(0) : std::nullopt;
        return {};
    }
    // A 派奖 line whose winners share a published total gives 0 or -1 a bet.
    const bool negative = !amount.empty() && amount.front() == '-';
    prize.amount = parseYuan(negative ? std::string_view(amount).substr(1) : std::string_view(amount));
    if (!prize.amount || (negative && !isBonusLevel(prize.level)))
        return "奖级" + quotedExcerpt(prize.level) + "的单注奖金" + quotedExcerpt(amount) + "不是金额";
    if (isBonusLevel(prize.level) && (negative || *prize.amount == 0))
        prize.amount = prize.winners == 0 ? std::optional<std::int64_t>(0) : std::nullopt;
    return {};
}

// Sales or pool: empty or 0 when the service has no figure (its early draws).
std::string readTotal(const JsonValue& value, const char* what, std::optional<std::int64_t>& total)
{
    const std::string& text = value.text();
    if (text.empty() && (value.type() == JsonValue::Type::Null || value.type() == JsonValue::Type::String))
        return {};
    total = parseYuan(text);
    if (!total)
        return std::string(what) + quotedExcerpt(text) + "不是金额";
    if (*total == 0)
        total.reset();
    return {};
}

// Reads the published results of the draw of `entry`; returns the reason when they do not read.
std::string readResults(const JsonValue& entry, const ImportedDraw& draw, DrawResults& results)
{
    results.issue = draw.issueText();
    results.date = draw.dateText();
    if (std::string reason = readTotal(field(entry, "totalSaleAmount"), "销售额", results.sales); !reason.empty())
        return reason;
    if (std::string reason = readTotal(field(entry, "poolBalanceAfterdraw"), "奖池", results.pool); !reason.empty())
        return reason;
    const JsonValue& list = field(entry, "prizeLevelList");
    if (!list.isArray()) {
        if (list.type() == JsonValue::Type::Null || (list.type() == JsonValue::Type::String && list.text().empty()))
            return {};
        return "中奖结果（prizeLevelList）不是列表";
    }
    for (const JsonValue& line : list.items()) {
        PublishedPrize prize;
        if (std::string reason = readPrize(line, prize); !reason.empty())
            return reason;
        if (results.find(prize.level))
            return "奖级" + quotedExcerpt(prize.level) + "出现两次";
        results.prizes.push_back(std::move(prize));
    }
    if (std::none_of(results.prizes.begin(), results.prizes.end(), [](const auto& p) { return p.winners > 0; }))
        results.prizes.clear();
    return {};
}

// Reads one entry of value.list; returns the reason when it is not a valid draw.
std::string readDraw(const JsonValue& entry, std::int32_t today, ImportedDraw& draw)
{
    if (!entry.isObject())
        return "不是一条开奖记录";
    const std::string issue = issueText(field(entry, "lotteryDrawNum"));
    if (!parseDrawIssue(issue, draw.issue))
        return "期号" + quotedExcerpt(issue) + "应为 5 位或 7 位数字";
    // The time may follow the day ("2007-05-30 20:30:00").
    const std::string& when = field(entry, "lotteryDrawTime").text();
    const std::string_view day = std::string_view(when).substr(0, when.find(' '));
    if (!parseDrawDate(day, draw.date))
        return "开奖日期" + quotedExcerpt(when) + "不是有效日期";
    if (std::string reason = checkHeldDraw(draw, today); !reason.empty())
        return reason;
    const std::string& result = field(entry, "lotteryDrawResult").text();
    const std::vector<std::string_view> numbers = splitFields(result);
    if (numbers.size() != 7)
        return "开奖号码" + quotedExcerpt(result) + "应为 5 个前区号码和 2 个后区号码";
    return parseDrawNumbers(numbers, draw);
}

int pageNumber(const JsonValue* value)
{
    const auto number = value ? value->wholeNumber() : std::nullopt;
    return number && *number > 0 && *number < 1'000'000 ? static_cast<int>(*number) : 0;
}

} // namespace

ResultsPage readServiceAnswer(std::string_view text, std::int32_t today)
{
    const JsonParseResult parsed = parseJson(text);
    if (!parsed.ok)
        return serviceError("开奖服务的应答不是有效的 JSON（" + parsed.error + "）");
    const JsonValue& root = parsed.value;
    if (!root.isObject())
        return serviceError("开奖服务的应答格式不对：不是 JSON 对象");

    const JsonValue* success = root.member("success");
    const JsonValue* code = root.member("errorCode");
    const bool refused = success ? !success->isTrue() : code && !code->text().empty() && code->text() != "0";
    if (refused) {
        const JsonValue* message = root.member("errorMessage");
        std::string error = "开奖服务返回错误";
        if (message && !message->text().empty())
            error += "：" + message->text();
        if (code && !code->text().empty())
            error += "（错误代码 " + code->text() + "）";
        return serviceError(error);
    }

    const JsonValue* value = root.member("value");
    const JsonValue* list = value ? value->member("list") : nullptr;
    if (!list || !list->isArray())
        return serviceError("开奖服务的应答中没有开奖号码列表（value.list）");

    ResultsPage page;
    page.format = ResultsPage::Format::Service;
    page.pageNo = pageNumber(value->member("pageNo"));
    page.pages = pageNumber(value->member("pages"));
    const std::vector<JsonValue>& entries = list->items();
    page.draws.reserve(entries.size());
    page.results.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        ImportedDraw draw;
        DrawResults results;
        std::string reason = readDraw(entries[i], today, draw);
        if (reason.empty())
            reason = readResults(entries[i], draw, results);
        if (!reason.empty()) {
            const JsonValue* issue = entries[i].member("lotteryDrawNum");
            const std::string which = issue && !issue->text().empty() ? "（期号 " + issue->text() + "）" : "";
            return serviceError("开奖服务应答的第 " + std::to_string(i + 1) + " 条开奖记录" + which + "有误：" +
                                reason);
        }
        page.draws.push_back(draw);
        page.results.push_back(std::move(results));
    }
    page.ok = true;
    return page;
}

} // namespace quorlin

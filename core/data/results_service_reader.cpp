// The answers of the lottery administration's results service (JSON, paged newest first).
#include "data/json_reader.h"
#include "data/results_page.h"

#include "common/text_encoding.h"
#include "common/text_file.h"

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

// Reads one entry of value.list; returns the reason when it is not a valid draw.
std::string readDraw(const JsonValue& entry, std::int32_t today, ImportedDraw& draw)
{
    static const JsonValue kAbsent;
    const auto field = [&](const char* name) -> const JsonValue& {
        const JsonValue* value = entry.member(name);
        return value ? *value : kAbsent;
    };
    if (!entry.isObject())
        return "不是一条开奖记录";
    const std::string issue = issueText(field("lotteryDrawNum"));
    if (!parseDrawIssue(issue, draw.issue))
        return "期号" + quotedExcerpt(issue) + "应为 5 位或 7 位数字";
    // The time may follow the day ("2007-05-30 20:30:00").
    const std::string& when = field("lotteryDrawTime").text();
    const std::string_view day = std::string_view(when).substr(0, when.find(' '));
    if (!parseDrawDate(day, draw.date))
        return "开奖日期" + quotedExcerpt(when) + "不是有效日期";
    if (std::string reason = checkHeldDraw(draw, today); !reason.empty())
        return reason;
    const std::string& result = field("lotteryDrawResult").text();
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
    for (std::size_t i = 0; i < entries.size(); ++i) {
        ImportedDraw draw;
        if (const std::string reason = readDraw(entries[i], today, draw); !reason.empty()) {
            const JsonValue* issue = entries[i].member("lotteryDrawNum");
            const std::string which = issue && !issue->text().empty() ? "（期号 " + issue->text() + "）" : "";
            return serviceError("开奖服务应答的第 " + std::to_string(i + 1) + " 条开奖记录" + which + "有误：" +
                                reason);
        }
        page.draws.push_back(draw);
    }
    page.ok = true;
    return page;
}

} // namespace quorlin

// ticket LINE… [--extra] [--draw "F F F F F+B B" [--date YYYY-MM-DD] | --issue N]: the bets and cost of
// ticket lines (单式, 复式, 胆拖), or what each would win in a typed draw or in a stored draw of the
// shipped lottery at its published amounts, counted without expanding.
#include "check/bet_price.h"
#include "check/check_range.h"
#include "check/check_report.h"
#include "check/prize_rules.h"
#include "check/ticket.h"
#include "check/ticket_prize.h"
#include "cli_context.h"
#include "commands.h"
#include "store/schema.h"

#include <ostream>

namespace quorlin::cli {

namespace {

bool isIsoDate(const std::string& text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    for (const std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < '0' || text[i] > '9')
            return false;
    return drawDateNumber(text) != 0;
}

void printLevelCounts(const std::string& label, const DrawCheck& check, std::ostream& out)
{
    out << label;
    for (const std::uint64_t n : check.levelCounts)
        out << '\t' << n;
    out << '\t' << moneyText(check.money, check.unknownWon) << '\n';
}

} // namespace

int runTicket(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const bool extra = args.flag("--extra");
    const std::string drawText = args.option("--draw");
    const std::string date = args.option("--date");
    const std::string issue = args.option("--issue");
    const auto& lines = args.positionalAtLeast(1);
    if (!date.empty() && drawText.empty())
        throw UsageError("--date 只能和 --draw 一起给出");
    if (!issue.empty() && !drawText.empty())
        throw UsageError("--issue 和 --draw 只能给一个");
    if (!date.empty() && !isIsoDate(date))
        throw UsageError("--date 应为 YYYY-MM-DD 形式的日期");

    const TicketShape shape;
    std::vector<Ticket> tickets;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string problem;
        const auto ticket = parseTicket(lines[i], shape, problem);
        if (!ticket) {
            err << "第 " << i + 1 << " 个票面“" << lines[i] << "”：" << problem << '\n';
            return 1;
        }
        tickets.push_back(*ticket);
    }

    if (drawText.empty() && issue.empty()) {
        std::uint64_t bets = 0;
        for (const Ticket& t : tickets) {
            out << t.text() << '\t' << t.bets() << '\t' << betCost(t.bets(), extra) << '\n';
            bets += t.bets();
        }
        out << "合计\t" << bets << '\t' << betCost(bets, extra) << '\n';
        return 0;
    }

    std::string error;
    DrawCheck priced;
    if (!issue.empty()) {
        // A stored draw of the shipped lottery, at its published amounts.
        context.open(kShippedLottery);
        const auto draws = drawsOf(context.state, CheckRange::ofIssue(issue));
        if (!draws) {
            err << "没有第 " << issue << " 期的开奖号码\n";
            return 1;
        }
        const auto book = prizeBookOf(context.state, error);
        if (!book) {
            err << error << '\n';
            return 1;
        }
        priced = pricedCheck(draws->front(), *book, extra);
        if (!priced.rules) {
            err << "第 " << issue << " 期早于所有奖级表\n";
            return 1;
        }
    } else {
        std::string problem;
        const auto draw = parseDrawText(drawText, shape, problem);
        if (!draw) {
            err << "--draw “" << drawText << "”：" << problem << '\n';
            return 1;
        }
        PrizeBook book;
        auto rules = readPrizeRules(context.home() + kPrizeRulesFile, error);
        if (!rules) {
            err << error << '\n';
            return 1;
        }
        book.rules = std::move(*rules);
        const PrizeRuleSetRef set = date.empty() ? book.rules.newest() : book.rules.forDate(drawDateNumber(date));
        if (!set) {
            err << (date.empty() ? "奖级表中没有规则" : date + " 早于所有奖级表") << '\n';
            return 1;
        }
        priced = pricedCheck(*draw, book, extra, set);
    }
    for (const Ticket& t : tickets)
        printLevelCounts(t.text(), checkTicket(t, priced), out);
    printLevelCounts("合计", checkTickets(tickets, priced), out);
    return 0;
}

} // namespace quorlin::cli

// ticket LINE… [--extra] [--draw "F F F F F+B B" [--date YYYY-MM-DD]]: the bets and cost of ticket
// lines (单式, 复式, 胆拖), or what each would win in a draw, counted without expanding.
#include "check/bet_price.h"
#include "check/check_report.h"
#include "check/prize_rules.h"
#include "check/ticket.h"
#include "check/ticket_prize.h"
#include "cli_context.h"
#include "commands.h"

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
    out << '\t' << moneyText(check.money, check.floatingWon) << '\n';
}

} // namespace

int runTicket(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const bool extra = args.flag("--extra");
    const std::string drawText = args.option("--draw");
    const std::string date = args.option("--date");
    const auto& lines = args.positionalAtLeast(1);
    if (!date.empty() && drawText.empty())
        throw UsageError("--date 只能和 --draw 一起给出");
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

    if (drawText.empty()) {
        std::uint64_t bets = 0;
        for (const Ticket& t : tickets) {
            out << t.text() << '\t' << t.bets() << '\t' << betCost(t.bets(), extra) << '\n';
            bets += t.bets();
        }
        out << "合计\t" << bets << '\t' << betCost(bets, extra) << '\n';
        return 0;
    }

    std::string problem;
    const auto draw = parseDrawText(drawText, shape, problem);
    if (!draw) {
        err << "--draw “" << drawText << "”：" << problem << '\n';
        return 1;
    }
    std::string error;
    const auto rules = readPrizeRules(context.home() + kPrizeRulesFile, error);
    if (!rules) {
        err << error << '\n';
        return 1;
    }
    const PrizeRuleSetRef set = date.empty() ? rules->newest() : rules->forDate(drawDateNumber(date));
    if (!set) {
        err << (date.empty() ? "奖级表中没有规则" : date + " 早于所有奖级表") << '\n';
        return 1;
    }
    for (const Ticket& t : tickets)
        printLevelCounts(t.text(), checkTicket(t, *draw, set), out);
    printLevelCounts("合计", checkTickets(tickets, *draw, set), out);
    return 0;
}

} // namespace quorlin::cli

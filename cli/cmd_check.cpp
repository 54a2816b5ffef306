// check NAME FILE [--issue I | --last N] [--extra]: what a bet list (numbered or saved form) would
// have won in a draw or the newest draws, under the prize table in force on each draw's date.
#include "check/prize_check.h"
#include "check/prize_rules.h"
#include "cli_context.h"
#include "commands.h"
#include "filter_flags.h"
#include "filter/bet_list_reader.h"

#include <algorithm>
#include <ostream>

namespace quorlin::cli {

namespace {

void printLevelNames(const PrizeRuleSet& set, std::ostream& out)
{
    out << "奖级\t" << set.title;
    for (const PrizeLevel& level : set.levels)
        out << '\t' << level.name << '(' << amountText(level) << ')';
    out << "\t奖金\n";
}

} // namespace

int runCheck(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const std::string issue = args.option("--issue");
    const std::string last = args.option("--last");
    const bool extra = args.flag("--extra");
    const auto& words = args.positional(2);
    if (!issue.empty() && !last.empty())
        throw UsageError("--issue 和 --last 只能给一个");
    const std::size_t count = last.empty() ? 1 : static_cast<std::size_t>(wholeNumber(last, "--last"));

    context.open(words[0]);
    const LotteryState& state = context.state;
    std::string error;
    const auto rules = readPrizeRules(state.apppath + kPrizeRulesFile, error);
    if (!rules) {
        err << error << '\n';
        return 1;
    }
    const LoadedBetList loaded = readBetList(words[1], state.caisum, state.caisel, state.housum, state.housel,
                                             kMaxBetListEntries, nullptr, true);
    if (!loaded.ok) {
        err << loaded.error << '\n';
        return 1;
    }
    const std::size_t rows = state.hisfull.rows();
    std::size_t first = rows - std::min(count, rows);
    std::size_t end = rows;
    if (!issue.empty()) {
        first = rows;
        for (std::size_t r = 0; r < rows; ++r)
            if (std::to_string(state.hisfull.at(r, 0)) == issue)
                first = r;
        if (first == rows) {
            err << "没有第 " << issue << " 期的开奖号码\n";
            return 1;
        }
        end = first + 1;
    }
    const PrizeChecker checker(loaded.lines);
    if (checker.frontOnlyLines() != 0)
        err << checker.frontOnlyLines() << " 注没有后区号码，只核对前区\n";

    std::vector<DrawCheck> checks;
    const PrizeRuleSet* shown = nullptr;
    bool headed = false;
    for (std::size_t r = first; r < end; ++r) {
        checks.push_back(*checker.check(drawAt(state, r), *rules));
        const DrawCheck& c = checks.back();
        if (c.rules && (c.rules != shown || !headed))
            printLevelNames(*c.rules, out);
        shown = c.rules;
        headed = true;
        out << c.draw.issue;
        if (!c.rules) {
            // Before every prize table: the bets per hit pattern that has a hit.
            out << "\t早于所有奖级表";
            for (int f = 5; f >= 0; --f)
                for (int b = 2; b >= 0; --b)
                    if (f + b > 0 && c.hits[static_cast<std::size_t>(f)][static_cast<std::size_t>(b)] != 0)
                        out << '\t' << f << '+' << b << ':' << c.hits[static_cast<std::size_t>(f)][static_cast<std::size_t>(b)];
            out << "\t-\n";
            continue;
        }
        for (const std::uint64_t n : c.levelCounts)
            out << '\t' << n;
        out << '\t' << c.money << (c.floatingWon ? "+浮动" : "") << '\n';
    }
    const CheckTotals t = totalOf(checks, loaded.lines.size(), extra);
    out << "合计\t" << t.draws << "期\t" << t.bets << "注\t投入" << t.stake << "\t奖金" << t.money
        << (t.floatingWon ? "+浮动" : "") << "\t盈亏" << t.balance;
    const auto unpriced = std::count_if(checks.begin(), checks.end(), [](const DrawCheck& c) { return !c.rules; });
    if (unpriced != 0)
        out << "\t其中" << unpriced << "期早于所有奖级表，奖金未计";
    out << '\n';
    return 0;
}

} // namespace quorlin::cli

// check NAME FILE [--issue I | --last N] [--extra]: what a bet list (numbered or saved form) would
// have won in a draw or the newest draws: the draw's published amounts, else the prize table in force.
#include "check/check_range.h"
#include "check/check_report.h"
#include "check/prize_check.h"
#include "check/prize_rules.h"
#include "cli_context.h"
#include "commands.h"
#include "filter/bet_list_reader.h"
#include "filter_flags.h"

#include <ostream>

namespace quorlin::cli {

int runCheck(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const CheckRange range = drawRangeFlags(args);
    const bool extra = args.flag("--extra");
    const auto& words = args.positional(2);

    context.open(words[0]);
    const LotteryState& state = context.state;
    std::string error;
    const auto book = prizeBookOf(state, error);
    if (!book) {
        err << error << '\n';
        return 1;
    }
    const LoadedBetList loaded = readBetList(words[1], state.caisum, state.caisel, state.housum, state.housel,
                                             kMaxBetListEntries, nullptr, true, TicketLines::Keep);
    if (!loaded.ok) {
        err << loaded.error << '\n';
        return 1;
    }
    const auto draws = drawsOf(state, range);
    if (!draws) {
        err << "没有第 " << range.issue << " 期的开奖号码\n";
        return 1;
    }
    const PrizeChecker checker(loaded);
    if (checker.frontOnlyLines() != 0)
        err << checker.frontOnlyLines() << " 注没有后区号码，只核对前区\n";

    std::vector<DrawCheck> checks;
    const PrizeRuleSet* shown = nullptr;
    bool headed = false;
    for (const CheckDraw& draw : *draws) {
        checks.push_back(*checker.check(draw, *book, extra));
        const DrawCheck& c = checks.back();
        if (c.rules.get() != shown || !headed)
            out << levelNamesLine(c.rules.get()) << '\n';
        shown = c.rules.get();
        headed = true;
        out << c.draw.issue;
        if (c.rules) {
            for (const std::uint64_t n : c.levelCounts)
                out << '\t' << n;
        } else {
            // Before every prize table: the bets per hit pattern that has a hit.
            out << '\t' << ruleSetText(c);
            for (int f = 5; f >= 0; --f)
                for (int b = 2; b >= 0; --b) {
                    const std::uint64_t n = c.hits[static_cast<std::size_t>(f)][static_cast<std::size_t>(b)];
                    if (f + b > 0 && n != 0)
                        out << '\t' << hitPatternText(f, b) << ':' << n;
                }
        }
        out << '\t' << moneyText(c) << '\n';
    }
    out << totalsRow(totalOf(checks, loaded.bets(), extra)) << '\n';
    return 0;
}

} // namespace quorlin::cli

// replay NAME --last N [conditions | --scheme FILE] [--back "01 02 …"] [--extra]: the list the
// total-filter conditions would have made before each of the newest N draws, priced against it,
// beside what as many random bets are expected to win.
#include "check/check_report.h"
#include "check/prize_rules.h"
#include "check/scheme_replay.h"
#include "cli_context.h"
#include "commands.h"
#include "filter_flags.h"

#include <ostream>

namespace quorlin::cli {

int runReplay(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const std::string last = args.option("--last");
    const bool extra = args.flag("--extra");
    FilterFlags flags = FilterFlags::read(args);
    const std::string back = args.option("--back");
    const std::string name = args.positional(1)[0];
    if (last.empty())
        throw UsageError("缺少 --last N");
    const auto count = static_cast<std::size_t>(wholeNumber(last, "--last"));

    context.open(name);
    const LotteryState& state = context.state;
    if (!flags.complete(state, err))
        return 1;
    flags.settings.back = flags.backNumbers(back, state.housum).value_or(std::vector<int>{});
    std::string error;
    const auto job = prepareReplay(state, flags.settings, error);
    if (!job) {
        err << error << '\n';
        return 1;
    }
    const auto result = quorlin::runReplay(*job, count, extra);

    const PrizeRuleSet* shown = nullptr;
    bool headed = false;
    for (const ReplayRow& row : result->rows) {
        const DrawCheck& c = row.check;
        if (c.rules.get() != shown || !headed) {
            out << levelNamesLine(c.rules.get()) << '\n';
            shown = c.rules.get();
            headed = true;
        }
        out << c.draw.issue << '\t' << row.keptFronts << '\t' << row.bets << '\t' << row.stake;
        if (c.rules) {
            for (const std::uint64_t k : c.levelCounts)
                out << '\t' << k;
        } else {
            out << '\t' << ruleSetText(c);
        }
        out << '\t' << moneyText(c) << '\t' << row.balance << '\n';
    }
    out << replayTotalsRows(*result) << '\n';
    return 0;
}

} // namespace quorlin::cli

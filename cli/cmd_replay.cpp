// replay NAME --last N [conditions | --scheme FILE] [--back "01 02 …"] [--extra]: the list the
// total-filter conditions would have made before each of the newest N draws, priced against it,
// beside what as many random bets are expected to win.
#include "check/check_report.h"
#include "check/prize_rules.h"
#include "check/scheme_replay.h"
#include "cli_context.h"
#include "commands.h"
#include "filter/total_filter_job.h"
#include "filter_flags.h"
#include "store/filter_space.h"

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
    TotalFilterSettings& s = flags.settings;
    const FilterSpace space = filterspace(state);
    s.back = flags.backNumbers(back, state.housum).value_or(everyBackNumber(space));
    if (const auto message = validateTotalFilter(s, space)) {
        err << *message << '\n';
        return 1;
    }
    std::string error;
    const auto rules = readPrizeRules(state.apppath + kPrizeRulesFile, error);
    if (!rules) {
        err << error << '\n';
        return 1;
    }
    const auto result = quorlin::runReplay(
        ReplayHistory{&state.hisfull, &state.hisdate, state.caisum, state.caisel, state.housum, state.housel}, s, count,
        *rules, extra);

    const PrizeRuleSet* shown = nullptr;
    bool headed = false;
    for (const ReplayRow& row : result->rows) {
        const DrawCheck& c = row.check;
        if (c.rules != shown || !headed) {
            out << levelNamesLine(c.rules) << '\n';
            shown = c.rules;
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
    out << "合计\t" << result->draws << "期\t" << result->bets << "注\t投入" << result->stake << "\t奖金"
        << moneyText(result->money, result->floatingWon) << "\t盈亏" << result->balance << "\t回报率"
        << returnText(static_cast<double>(result->money), result->stake) << '\n';
    out << "随机基准\t期望奖金" << expectedMoneyText(result->expectedMoney) << "\t回报率"
        << returnText(result->expectedMoney, result->stake) << '\n';
    return 0;
}

} // namespace quorlin::cli

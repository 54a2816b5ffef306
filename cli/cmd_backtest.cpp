// backtest NAME --last N [conditions] [--tolerance K]: for each of the newest N draws, would the
// total-filter conditions have kept its front numbers (the history-relative ones against the draws
// before), and how many combinations would they have kept; then the hit rate and mean kept size
// per condition, what chance gives (the mean share of the combinations kept and the p of the
// hit count), and the 容错 of 全部条件 when it is not 0.
#include "check/condition_backtest.h"
#include "cli_context.h"
#include "commands.h"
#include "filter/total_filter_job.h"
#include "filter_flags.h"
#include "store/filter_space.h"

#include <cstdio>
#include <ostream>

namespace quorlin::cli {

int runBacktest(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const std::string last = args.option("--last");
    FilterFlags flags = FilterFlags::read(args);
    const std::string name = args.positional(1)[0];
    if (last.empty())
        throw UsageError("缺少 --last N");
    const auto count = static_cast<std::size_t>(wholeNumber(last, "--last"));

    context.open(name);
    const LotteryState& state = context.state;
    if (!flags.complete(state, err))
        return 1;
    TotalFilterSettings& s = flags.settings;
    // The back-test judges the front numbers only; every back number lets the run's checks pass.
    const FilterSpace space = filterspace(state);
    s.back = everyBackNumber(space);
    if (const auto message = validateTotalFilter(s, space)) {
        err << *message << '\n';
        return 1;
    }
    const auto result = quorlin::runBacktest(BacktestHistory{&state.hisfull, state.caisum, state.caisel}, s, count);
    out << "期号\t前区";
    for (const std::string& c : result->conditions)
        out << '\t' << c;
    out << "\t全部\t注数\n";
    for (const ConditionBacktestRow& row : result->rows) {
        out << row.issue << '\t';
        for (std::size_t k = 0; k < row.front.size(); ++k) {
            char number[8];
            std::snprintf(number, sizeof number, "%.2d", row.front[k]);
            out << (k ? " " : "") << number;
        }
        for (const bool kept : row.kept)
            out << '\t' << (kept ? 1 : 0);
        out << '\t' << (row.keptAll ? 1 : 0) << '\t' << row.keptCount << '\n';
    }
    for (const BacktestSummary& summary : result->summaries) {
        out << "汇总\t" << summary.name << '\t' << keptDrawsText(summary, result->rows.size()) << '\t'
            << hitRateText(summary) << '\t' << meanKeptText(summary) << '\n';
    }
    // What chance gives: the mean share of the combinations kept, and the p of the hit count.
    for (const BacktestSummary& summary : result->summaries)
        out << "随机\t" << summary.name << '\t' << chanceText(summary) << '\t' << chancePValueText(summary) << '\n';
    if (result->tolerance != 0)
        out << "容错\t" << result->tolerance << '\n';
    return 0;
}

} // namespace quorlin::cli

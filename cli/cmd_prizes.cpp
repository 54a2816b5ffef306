// prizes NAME [--issue I | --last N]: the published results of the newest draw, draw I or the
// newest N: per draw its prize lines in the published order, its sales and the pool after it.
#include "check/draw_results_report.h"
#include "cli_context.h"
#include "commands.h"
#include "filter_flags.h"

#include <ostream>

namespace quorlin::cli {

int runPrizes(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const CheckRange range = drawRangeFlags(args);
    const auto& words = args.positional(1);
    context.open(words[0]);
    const auto rows = rowsOf(context.state, range);
    if (!rows) {
        err << "没有第 " << range.issue << " 期的开奖号码\n";
        return 1;
    }
    for (std::size_t row = rows->first; row < rows->end; ++row)
        for (const std::vector<std::string>& cells : drawResultsRows(context.state, row))
            printRow(out, cells);
    return 0;
}

} // namespace quorlin::cli

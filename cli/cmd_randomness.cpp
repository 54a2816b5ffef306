// randomness NAME [--from ISSUE] [--to ISSUE] [--last N]: whether the stored draws (all of them, the
// issues from–to, or the newest N; --last does not combine with --from/--to) depart from chance:
// the eight tests, then the 结论 line.
#include "analysis/randomness_tests.h"
#include "cli_context.h"
#include "commands.h"
#include "filter_flags.h"

#include <ostream>

namespace quorlin::cli {

int runRandomness(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const std::string from = args.option("--from");
    const std::string to = args.option("--to");
    const std::string last = args.option("--last");
    const std::string name = args.positional(1)[0];
    DrawRange range = DrawRange::all();
    if (!last.empty()) {
        if (!from.empty() || !to.empty())
            throw UsageError("--last 不能与 --from、--to 同时给出");
        range = DrawRange::last(static_cast<std::size_t>(wholeNumber(last, "--last")));
    } else if (!from.empty() || !to.empty()) {
        range = DrawRange::issues(from, to);
    }

    context.open(name);
    const RangeDraws draws = drawsInRange(context.state, range);
    if (!draws.refusal.empty()) {
        err << draws.refusal << '\n';
        return 1;
    }
    for (const auto& row : randomnessTable(testRandomness(draws.shape, draws.draws)))
        printRow(out, row);
    return 0;
}

} // namespace quorlin::cli

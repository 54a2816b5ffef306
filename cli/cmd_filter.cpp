// filter NAME [conditions] [--in FILE] [--out FILE]: one run of the total filter in the real
// numbers, from all front combinations or from a loaded bet list; prints the number of bets.
#include "cli_context.h"
#include "commands.h"
#include "filter/bet_list.h"
#include "filter/total_filter_job.h"
#include "filter_flags.h"
#include "store/filter_space.h"

#include <ostream>

namespace quorlin::cli {

int runFilter(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const LotteryState& state = context.state;
    FilterFlags flags = FilterFlags::read(args);
    const std::string back = args.option("--back");
    const std::string in = args.option("--in");
    const std::string outFile = args.option("--out");
    const std::string name = args.positional(1)[0];

    context.open(name);
    TotalFilterRun run;
    run.space = filterspace(state);
    if (!flags.complete(state, err))
        return 1;
    run.settings = flags.settings;
    TotalFilterSettings& s = run.settings;

    CombinationTable working;
    if (in.empty()) {
        run.rebuild = true;
        s.back = everyBackNumber(run.space);
    } else {
        TotalFilterOutcome loaded = loadTotalFilterJob(in, run.space, {});
        if (!loaded.table) {
            err << loaded.refusal << '\n';
            return 1;
        }
        working = std::move(*loaded.table);
        s.back = loaded.backNumbers;
    }
    if (const auto chosen = flags.backNumbers(back, state.housum))
        s.back = *chosen;

    if (const auto message = validateTotalFilter(s, run.space)) {
        err << *message << '\n';
        return 1;
    }
    const TotalFilterOutcome result = runTotalFilterJob(working, run);
    out << result.bets->size() << '\n';
    if (result.survivors == 0)
        err << kNothingKeptMessage << '\n';
    return saveBets(*result.bets, outFile, err) ? 0 : 1;
}

} // namespace quorlin::cli

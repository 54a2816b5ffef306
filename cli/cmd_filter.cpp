// filter NAME [conditions] [--in FILE] [--out FILE]: one run of the total filter in the real
// numbers, from all front combinations or from a loaded bet list; prints the number of bets.
#include "cli_context.h"
#include "commands.h"
#include "filter_flags.h"
#include "filter/bet_list.h"
#include "filter/bet_list_reader.h"
#include "filter/combination_table.h"
#include "filter/total_filter.h"
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
    const FilterSpace space = filterspace(state);
    if (!flags.complete(state, err))
        return 1;
    TotalFilterSettings& s = flags.settings;

    CombinationTable table;
    if (in.empty()) {
        table.buildAll(state.caisum, state.caisel);
        for (int n = 1; n <= state.housum; ++n)
            s.back.push_back(n);
    } else {
        const LoadedBetList loaded = readBetList(in, state.caisum, state.caisel, state.housum, state.housel);
        if (!loaded.ok) {
            err << loaded.error << '\n';
            return 1;
        }
        table.assign(state.caisum, state.caisel, loaded.fronts);
        s.back = loaded.backNumbers;
    }
    if (!back.empty())
        s.back = numberList(back, "--back", state.housum);

    if (const auto message = validateTotalFilter(s, space)) {
        err << *message << '\n';
        return 1;
    }
    const std::size_t left = *runTotalFilter(table, s, space);
    const BetList bets = BetList::paired(state.caisel, survivingFronts(table), state.housel, backPairs(s.back, state.housum));
    out << bets.size() << '\n';
    if (left == 0)
        err << "没有符合条件的投注号码，请重新选择过滤条件！\n";
    return saveBets(bets, outFile, err) ? 0 : 1;
}

} // namespace quorlin::cli

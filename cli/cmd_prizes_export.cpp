// prizes-export NAME PRIZES.csv [POOLSALES.csv]: writes the stored published results in their CSV forms.
#include "cli_context.h"
#include "commands.h"
#include "store/database.h"
#include "store/prize_results_csv.h"
#include "store/prize_store.h"

#include <ostream>

namespace quorlin::cli {

int runPrizesExport(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const auto& words = args.positionalAtLeast(2);
    if (words.size() > 3)
        throw UsageError("参数个数不对");
    Database db = context.openResults(words[0]);
    const PrizeResults results = readPrizeResults(db, words[0]);
    std::string error;
    if (!writePrizesCsv(words[1], results, error) ||
        (words.size() == 3 && !writePoolSalesCsv(words[2], results, error))) {
        err << error << '\n';
        return 1;
    }
    std::size_t lines = 0;
    for (const auto& [issue, draw] : results.draws)
        lines += draw.prizes.size();
    out << "写出 " << results.draws.size() << " 期的 " << lines << " 行奖级结果\n";
    return 0;
}

} // namespace quorlin::cli

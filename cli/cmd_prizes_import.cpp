// prizes-import NAME PRIZES.csv [POOLSALES.csv]: adds published results; prints what was added.
#include "cli_context.h"
#include "commands.h"
#include "store/database.h"
#include "store/prize_import.h"

#include <ostream>

namespace quorlin::cli {

int runPrizesImport(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const auto& words = args.positionalAtLeast(2);
    if (words.size() > 3)
        throw UsageError("参数个数不对");
    // The shipped results come first, as opening the lottery would give them.
    Database db = context.openResults(words[0]);
    const PrizeImportResult result = importPrizeResults(db, words[0], words[1], words.size() == 3 ? words[2] : "");
    if (!result.ok) {
        err << result.error << '\n';
        return 1;
    }
    out << "新增 " << result.prizeLines << " 行奖级结果、" << result.poolSales << " 期销售额与奖池，跳过 "
        << result.skipped << " 行已存的相同结果\n";
    return 0;
}

} // namespace quorlin::cli

// lotteries: one line per lottery, its name and its number of draws.
#include "cli_context.h"
#include "commands.h"
#include "store/database.h"
#include "store/lottery_catalog.h"

#include <ostream>

namespace quorlin::cli {

int runLotteries(CliContext& context, CliArgs& args, std::ostream& out, std::ostream&)
{
    args.positional(0);
    Database db;
    db.open(context.databasePath());
    for (const std::string& name : listlotteries(db))
        out << name << '\t' << countDraws(db, name) << '\n';
    return 0;
}

} // namespace quorlin::cli

// import NAME FILE: appends the draws of a text file; prints the number added.
#include "cli_context.h"
#include "commands.h"
#include "store/database.h"
#include "store/draw_import.h"

#include <ostream>

namespace quorlin::cli {

int runImport(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const auto& words = args.positional(2);
    Database db;
    db.open(context.databasePath());
    const ImportResult result = importDraws(db, words[0], words[1]);
    if (!result.ok) {
        err << result.error << '\n';
        return 1;
    }
    // Scripts read the count of added draws as the only line on stdout; the rest is for people.
    out << result.added << '\n';
    if (result.skipped > 0)
        err << "已跳过 " << result.skipped << " 期已存在且相同的开奖号码\n";
    return 0;
}

} // namespace quorlin::cli

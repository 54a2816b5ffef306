// export NAME [FILE]: writes a lottery's history as text, oldest first; prints the number of lines.
#include "cli_context.h"
#include "commands.h"
#include "data/history_export.h"
#include "store/database.h"
#include "store/schema.h"

#include <filesystem>
#include <ostream>

namespace quorlin::cli {

int runExport(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const auto& words = args.positionalAtLeast(1);
    if (words.size() > 2)
        throw UsageError("参数个数不对");
    const std::string& lottery = words[0];
    std::string path;
    if (words.size() == 2) {
        path = words[1];
    } else {
        // Where the program's own export proposes to save it.
        const std::filesystem::path folder = std::filesystem::path(context.home()) / "附属";
        std::filesystem::create_directories(folder);
        path = (folder / lotteryFileName(lottery, "历史号码.txt")).string();
    }
    Database db;
    db.open(context.databasePath());
    const HistoryExportResult result = exportHistory(db, lottery, path);
    if (!result.ok) {
        err << result.error << '\n';
        return 1;
    }
    out << result.lines << '\n';
    return 0;
}

} // namespace quorlin::cli

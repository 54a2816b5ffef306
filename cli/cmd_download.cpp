// download NAME [ADDRESS]: adds the newly published draws and their results to a lottery; prints the
// number of draws added.
#include "cli_context.h"
#include "download.h"
#include "draw_downloader.h"

#include <QCoreApplication>

#include <memory>
#include <ostream>

namespace quorlin::cli {

int runDownload(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const auto& words = args.positionalAtLeast(1);
    if (words.size() > 2)
        throw UsageError("参数个数不对");
    // The fetch needs Qt's event loop; a caller that has its own application keeps it.
    std::unique_ptr<QCoreApplication> application;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "quorlin-cli";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    DrawDownloader downloader(context.home(), words[0]);
    if (words.size() == 2)
        downloader.setAddress(QString::fromStdString(words[1]));
    const DownloadResult result = downloader.run();
    // Scripts read the count of added draws as the only line on stdout, also after a failure (0).
    out << result.added << '\n';
    if (!result.ok()) {
        err << downloadMessage(result) << '\n';
        return 1;
    }
    // Results stored and stored values that differ are told as the window tells them.
    if (hasDownloadNotes(result))
        err << downloadMessage(result) << '\n';
    else if (result.added == 0)
        err << "没有新的开奖号码\n";
    return 0;
}

} // namespace quorlin::cli

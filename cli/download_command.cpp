#include "cli_commands.h"
#include "commands.h"

#include <ostream>

namespace quorlin::cli {

namespace {

CommandFunction& downloadImplementation()
{
    static CommandFunction implementation = nullptr;
    return implementation;
}

} // namespace

void setDownloadCommand(CommandFunction run)
{
    downloadImplementation() = run;
}

int runDownloadCommand(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    if (const CommandFunction run = downloadImplementation())
        return run(context, args, out, err);
    err << "这个程序没有下载功能\n";
    return 1;
}

} // namespace quorlin::cli

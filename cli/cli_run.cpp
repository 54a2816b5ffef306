#include "cli_commands.h"

#include "cli_context.h"

#include "export/table_export.h"

#include <algorithm>
#include <ostream>
#include <sstream>

namespace quorlin::cli {

namespace {

void printUsage(std::ostream& to)
{
    to << "用法: quorlin-cli [--home 程序目录] 命令\n命令:\n";
    for (const CliCommand& command : cliCommands())
        to << "  " << command.usage << '\n';
    to << "  -h, --help             显示本说明\n";
}

// Runs a command that prints a table; with --xlsx or --csv the printed table also goes to the
// file(s). The output is printed even when a file cannot be written; that failure is status 1.
int runTableCommand(const CliCommand& command, CliContext& context, CliArgs& words, std::ostream& out,
                    std::ostream& err)
{
    const std::string xlsx = words.option("--xlsx");
    const std::string csv = words.option("--csv");
    if (xlsx.empty() && csv.empty())
        return command.run(context, words, out, err);
    std::ostringstream printed;
    const int status = command.run(context, words, printed, err);
    out << printed.str();
    if (status != 0)
        return status;
    const std::string header = command.fileHeader ? std::string(command.fileHeader) + '\n' : std::string();
    const ExportTable table = tableFromTabText(header + printed.str(), command.name);
    std::string error;
    if ((!xlsx.empty() && !writeXlsx(table, xlsx, error)) || (!csv.empty() && !writeCsv(table, csv, error))) {
        err << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int run(std::vector<std::string> args, const std::string& defaultHome, std::ostream& out, std::ostream& err,
        std::function<std::string()> prepareDefaultHome)
{
    std::string home = defaultHome;
    if (!args.empty() && args[0] == "--home") {
        prepareDefaultHome = nullptr;
        if (args.size() < 2) {
            err << "--home 后缺少程序目录\n";
            printUsage(err);
            return 2;
        }
        home = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    const std::string name = args.empty() ? std::string() : args[0];
    if (name == "-h" || name == "--help") {
        printUsage(out);
        return 0;
    }
    const auto& commands = cliCommands();
    const auto command =
        std::find_if(commands.begin(), commands.end(), [&](const CliCommand& entry) { return entry.name == name; });
    if (command == commands.end()) {
        if (!name.empty())
            err << "未知命令：" << name << '\n';
        printUsage(err);
        return 2;
    }

    CliContext context;
    context.state.apppath = home.empty() || home.back() == '/' ? home : home + '/';
    if (prepareDefaultHome)
        context.prepareHome = [prepare = std::move(prepareDefaultHome)] {
            if (const std::string error = prepare(); !error.empty())
                throw std::runtime_error(error);
        };
    CliArgs words(std::vector<std::string>(args.begin() + 1, args.end()));
    try {
        if (command->printsTable)
            return runTableCommand(*command, context, words, out, err);
        return command->run(context, words, out, err);
    } catch (const UsageError& e) {
        err << e.what() << "\n用法: quorlin-cli " << command->usage << '\n';
        return 2;
    } catch (const std::exception& e) {
        err << e.what() << '\n';
        return 1;
    }
}

} // namespace quorlin::cli

#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace quorlin::cli {

class CliArgs;
struct CliContext;

/// What runs a command: its context, the words after its name, and where it prints.
using CommandFunction = int (*)(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);

/// One command of quorlin-cli: its name, its line in the usage, and what it runs.
struct CliCommand {
    const char* name;
    const char* usage;
    CommandFunction run;
    /// The command prints a table (tab-separated, header first), which --xlsx and --csv also write
    /// to a file.
    bool printsTable = false;
    /// The header of a table printed without one (its rows are the contract): the files get it.
    const char* fileHeader = nullptr;
};

/// Gives the download command its work (`runDownload` of quorlin_cli_download, which fetches with
/// Qt Network); until then `download` is refused with status 1.
void setDownloadCommand(CommandFunction run);

/// Every command, in the order the usage lists them.
const std::vector<CliCommand>& cliCommands();

/// Runs one command line (without the program name) against the program directory `defaultHome`
/// (a leading "--home DIR" overrides it); writes results to `out`, errors to `err`, and returns
/// the exit status: 0 done, 1 refused or failed, 2 wrong words. `prepareDefaultHome`, when given,
/// makes `defaultHome` ready the first time a command reads or writes it (never for "--home DIR",
/// the usage or wrong words); it returns an error text, empty when the folder is ready.
int run(std::vector<std::string> args, const std::string& defaultHome, std::ostream& out, std::ostream& err,
        std::function<std::string()> prepareDefaultHome = {});

} // namespace quorlin::cli

// quorlin-cli: lists, imports, opens and analyses lotteries of the program's database.
#include "cli_commands.h"
#include "download.h"
#include "store/program_directory.h"

#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::string executableDirectory(const char* argv0)
{
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        self = std::filesystem::absolute(argv0, ec);
    return self.parent_path().string();
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    quorlin::cli::setDownloadCommand(quorlin::cli::runDownload);
    // A program folder given with --home is used as it is; otherwise the folder beside the program,
    // or for an installed program the user's own folder, made ready on first use.
    // The folder is made ready only when a command first uses it: the usage touches nothing.
    const quorlin::ProgramDirectory home = quorlin::locateProgramDirectory(executableDirectory(argv[0]));
    std::function<std::string()> prepare;
    if (home.installed)
        prepare = [&home] { return quorlin::prepareProgramDirectory(home.shareDir, home.path); };
    return quorlin::cli::run(args, home.path, std::cout, std::cerr, prepare);
}

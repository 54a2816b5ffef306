// quorlin-cli: lists, imports, opens and analyses lotteries of the program's database.
#include "cli_commands.h"

#include <filesystem>
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
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string home;
    if (args.size() >= 2 && args[0] == "--home") {
        home = args[1];
        args.erase(args.begin(), args.begin() + 2);
    } else {
        home = executableDirectory(argv[0]);
    }
    return quorlin::cli::run(args, home, std::cout, std::cerr);
}

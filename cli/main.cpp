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
    return quorlin::cli::run(std::vector<std::string>(argv + 1, argv + argc), executableDirectory(argv[0]), std::cout,
                             std::cerr);
}

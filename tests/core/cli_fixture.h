#pragma once

#include "cli_commands.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quorlin::test {

/// Runs quorlin-cli commands in a program folder of their own (`Program`: an empty shipped
/// lottery by default) and keeps what they print. `prefix` goes before every command's words, for
/// a test file that runs one command throughout ("filter", the lottery's name).
template <class Program = ShippedProgram> struct CliFixture : ::testing::Test {
    Program program;
    std::vector<std::string> prefix;
    std::ostringstream out;
    std::ostringstream err;

    /// The command's exit status; what it printed is in `out` and `err`.
    int run(std::vector<std::string> args)
    {
        out.str({});
        err.str({});
        args.insert(args.begin(), prefix.begin(), prefix.end());
        return cli::run(args, program.path().string(), out, err);
    }
    /// The printed lines of a command that must succeed.
    std::vector<std::string> runLines(std::vector<std::string> args)
    {
        EXPECT_EQ(run(std::move(args)), 0) << err.str();
        return outLines();
    }
    std::vector<std::string> outLines() const
    {
        std::vector<std::string> lines;
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    /// A path in the program folder.
    std::string file(const std::string& name) const { return program.apppath() + name; }
    /// Writes `bytes` as they are to a file of the program folder; its path.
    std::string write(const std::string& name, const std::string& bytes) const
    {
        const std::string path = file(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    /// The bytes of a file of the program folder.
    std::string read(const std::string& name) const
    {
        std::ifstream in(file(name), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
};

} // namespace quorlin::test

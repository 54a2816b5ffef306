#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorlin::cli {

/// Runs one command line (without the program name) against the program directory `home`;
/// writes results to `out`, errors to `err`, and returns the exit status.
int run(const std::vector<std::string>& args, const std::string& home, std::ostream& out, std::ostream& err);

} // namespace quorlin::cli

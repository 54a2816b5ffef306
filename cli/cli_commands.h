#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorlin::cli {

/// Runs one command line (without the program name) against the program directory given with
/// `--home DIR`, or else `defaultHome`; writes results to `out`, errors and notes to `err`, and
/// returns the exit status: 0 done, 1 the command failed, 2 the command line was wrong.
int run(std::vector<std::string> args, const std::string& defaultHome, std::ostream& out, std::ostream& err);

} // namespace quorlin::cli

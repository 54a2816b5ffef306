#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorlin::makedb {

/// Runs quorlin-makedb with its arguments (without the program name): prepares the program
/// directory's side folders and, when there is none yet, its database, filled from the history file
/// given with --history. Writes messages to `out`, errors to `err`, and returns the exit status.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace quorlin::makedb

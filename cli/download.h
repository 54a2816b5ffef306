#pragma once

#include <iosfwd>

namespace quorlin::cli {

class CliArgs;
struct CliContext;

/// download NAME [ADDRESS]: fetches the newly published draws (Qt Network) and adds them.
int runDownload(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);

} // namespace quorlin::cli

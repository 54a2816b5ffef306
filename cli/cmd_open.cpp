// open NAME: opens the lottery (loading its newest 20000 draws) and prints its draw count.
#include "cli_context.h"
#include "commands.h"

#include <ostream>

namespace quorlin::cli {

int runOpen(CliContext& context, CliArgs& args, std::ostream& out, std::ostream&)
{
    context.open(args.positional(1)[0]);
    out << context.state.recnum << '\n';
    return 0;
}

} // namespace quorlin::cli

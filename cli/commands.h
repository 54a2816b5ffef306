#pragma once

// The commands of quorlin-cli, one file each; command_table.cpp lists them.
#include <iosfwd>

namespace quorlin::cli {

class CliArgs;
struct CliContext;

int runLotteries(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runImport(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runPrizesImport(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runPrizesExport(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runOpen(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runIndicators(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runSummary(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runZones(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runOmission(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runFilter(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runSideText(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runExport(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
/// The download command's entry: runs what setDownloadCommand() gave (the program links the fetch
/// with Qt Network; the Qt-free commands library and its tests do not), or refuses.
int runDownloadCommand(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runPlan(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runInvest(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runSelect(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runCheck(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runPrizes(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runRandomness(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runBacktest(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runReplay(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runTicket(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runWheel(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runWheelCheck(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runWheelMake(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runWheelHoles(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runWheelRepair(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runIntersect(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);
int runExclude(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err);

} // namespace quorlin::cli

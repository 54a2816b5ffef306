// wheel-make --pool "…" --guarantee M-T [--bankers "…"] [--seconds S] [--seed N] [--threads K]:
// a wheel searched for exactly this pool, verified. wheel-holes FILE …: the coverage of a bet list
// and its holes. wheel-repair FILE … [--seconds S]: the bet list repaired into a verified wheel.
#include "check/bet_price.h"
#include "cli_context.h"
#include "commands.h"
#include "common/text_file.h"
#include "wheel/wheel_guarantee.h"
#include "wheel/wheel_maker.h"
#include "wheel/wheel_repair.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <random>
#include <thread>

namespace quorlin::cli {

namespace {

/// A pool, banker or guarantee the command refuses with status 1.
struct Refusal {
    std::string message;
};

std::vector<int> numbersOption(CliArgs& args, const std::string& name)
{
    std::vector<int> numbers;
    if (std::string problem = readWheelNumbers(args.option(name), name, numbers); !problem.empty())
        throw Refusal{problem};
    return numbers;
}

long wholeOption(CliArgs& args, const std::string& name, long fallback, long low, long high)
{
    const std::string text = args.option(name);
    if (text.empty())
        return fallback;
    if (!isAllDigits(text) || text.size() > 9 || std::stol(text) < low || std::stol(text) > high)
        throw UsageError(name + " 应为" + std::to_string(low) + "到" + std::to_string(high) + "之间的整数");
    return std::stol(text);
}

/// --pool, --bankers and --guarantee M-T; a Refusal names the problem.
WheelGuarantee guaranteeOptions(CliArgs& args)
{
    WheelGuarantee g;
    g.pool = numbersOption(args, "--pool");
    g.bankers = numbersOption(args, "--bankers");
    const std::string text = args.option("--guarantee");
    if (text.size() != 3 || text[1] != '-' || text[0] < '1' || text[0] > '9' || text[2] < '1' || text[2] > '9')
        throw Refusal{"--guarantee 应为 M-T，如 4-3"};
    g.ok = text[0] - '0';
    g.hit = text[2] - '0';
    std::sort(g.pool.begin(), g.pool.end());
    std::sort(g.bankers.begin(), g.bankers.end());
    if (const std::string problem = wheelGuaranteeProblem(g); !problem.empty())
        throw Refusal{problem};
    return g;
}

bool readGuarantee(CliArgs& args, WheelGuarantee& g, std::ostream& err)
{
    try {
        g = guaranteeOptions(args);
        return true;
    } catch (const Refusal& refusal) {
        err << refusal.message << '\n';
        return false;
    }
}

void printWheel(const WheelGuarantee& g, const std::vector<WheelBet>& bets, std::ostream& out)
{
    for (const WheelBet& bet : bets) {
        for (std::size_t i = 0; i < bet.size(); ++i) {
            char cell[8];
            std::snprintf(cell, sizeof cell, "%.2d", bet[i]);
            out << (i ? " " : "") << cell;
        }
        out << '\n';
    }
    out << "合计\t" << bets.size() << "注\t" << betCost(bets.size()) << "元\n";
    out << "保证\t" << wheelGuaranteeLabel(g) << "\t已验证\n";
}

/// The bets of a bet-list file; false with the reader's message when it is refused.
bool readWheelBets(const std::string& path, std::vector<WheelBet>& bets, std::ostream& err)
{
    if (const std::string error = quorlin::readWheelBets(path, bets); !error.empty()) {
        err << error << '\n';
        return false;
    }
    return true;
}

} // namespace

int runWheelMake(CliContext&, CliArgs& args, std::ostream& out, std::ostream& err)
{
    WheelGuarantee g;
    if (!readGuarantee(args, g, err))
        return 1;
    WheelMakeOptions options;
    options.seconds = static_cast<double>(wholeOption(args, "--seconds", 10, 1, 86'400));
    options.seed = static_cast<std::uint64_t>(wholeOption(args, "--seed", std::random_device{}(), 0, 999'999'999));
    options.threads =
        static_cast<int>(wholeOption(args, "--threads", std::max(1u, std::thread::hardware_concurrency()), 1, 256));
    args.positional(0);
    printWheel(g, makeWheel(g, options).bets, out);
    return 0;
}

int runWheelHoles(CliContext&, CliArgs& args, std::ostream& out, std::ostream& err)
{
    WheelGuarantee g;
    if (!readGuarantee(args, g, err))
        return 1;
    const std::string path = args.positional(1)[0];
    std::vector<WheelBet> bets;
    if (!readWheelBets(path, bets, err))
        return 1;
    const WheelCoverage coverage = wheelCoverage(g, bets);
    if (!coverage.error.empty()) {
        err << path << ": " << coverage.error << '\n';
        return 1;
    }
    out << wheelCoverageText(coverage) << '\n';
    for (const std::vector<int>& hole : coverage.holes) {
        for (std::size_t i = 0; i < hole.size(); ++i) {
            char cell[8];
            std::snprintf(cell, sizeof cell, "%.2d", hole[i]);
            out << (i ? " " : "") << cell;
        }
        out << '\n';
    }
    return 0;
}

int runWheelRepair(CliContext&, CliArgs& args, std::ostream& out, std::ostream& err)
{
    WheelGuarantee g;
    if (!readGuarantee(args, g, err))
        return 1;
    const double seconds = static_cast<double>(wholeOption(args, "--seconds", 10, 1, 86'400));
    const std::string path = args.positional(1)[0];
    std::vector<WheelBet> bets;
    if (!readWheelBets(path, bets, err))
        return 1;
    const WheelRepair repair = repairWheel(g, bets, seconds);
    if (!repair.error.empty()) {
        err << path << ": " << repair.error << '\n';
        return 1;
    }
    printWheel(g, repair.bets, out);
    return 0;
}

} // namespace quorlin::cli

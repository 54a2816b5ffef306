// plan fixed|staged|variable [--loss P] [--profit T] [--stake C] [--prize W] [--draws N] [--stages S]
// [--bets "8 8 10 …"]: a stake plan as the plan windows compute it; prints the table, one TAB
// between cells, and the average line.
#include "cli_context.h"
#include "commands.h"
#include "common/text_file.h"
#include "invest/money.h"
#include "invest/stake_plan.h"

#include <ostream>

namespace quorlin::cli {

namespace {

std::int64_t numberOption(CliArgs& args, const std::string& name, std::int64_t fallback)
{
    const std::string text = args.option(name);
    if (text.empty())
        return fallback;
    const auto value = parseWholeNumber(text);
    if (!value)
        throw UsageError(name + " " + WholeNumberError(text).what());
    return *value;
}

std::int32_t countOption(CliArgs& args, const std::string& name, std::int32_t fallback)
{
    const std::int64_t value = numberOption(args, name, fallback);
    if (value < 1 || value > 1000000)
        throw UsageError(name + " 应为1到1000000之间的整数");
    return static_cast<std::int32_t>(value);
}

/// The bets of each added draw: the --bets list, or the window's 8 for every draw of the plan.
std::vector<std::int32_t> betsOption(CliArgs& args, std::int32_t days)
{
    const std::string text = args.option("--bets");
    if (text.empty())
        return std::vector<std::int32_t>(static_cast<std::size_t>(days), 8);
    std::vector<std::int32_t> bets;
    for (const std::string_view field : splitFields(text)) {
        const auto value = parseWholeNumber(field);
        if (!value || *value < 0 || *value > 1000000000)
            throw UsageError("--bets 中的“" + std::string(field) + "”不是有效的注数");
        bets.push_back(static_cast<std::int32_t>(*value));
    }
    return bets;
}

void printCells(std::ostream& out, const PlanStore::Row& row, int columns)
{
    for (int c = 0; c < columns; ++c)
        out << (c ? "\t" : "") << row[static_cast<std::size_t>(c)];
    out << '\n';
}

} // namespace

int runPlan(CliContext&, CliArgs& args, std::ostream& out, std::ostream& err)
{
    PlanInputs in;
    in.prekui = numberOption(args, "--loss", in.prekui);
    in.lirun = numberOption(args, "--profit", in.lirun);
    in.inofsin = numberOption(args, "--stake", in.inofsin);
    in.outofsin = numberOption(args, "--prize", in.outofsin);
    in.days = countOption(args, "--draws", in.days);
    in.jieduan = countOption(args, "--stages", in.jieduan);
    const std::vector<std::int32_t> bets = betsOption(args, in.days);
    const std::string kind = args.positional(1)[0];

    PlanStore store(kind == "variable" ? PlanKind::Variable : kind == "staged" ? PlanKind::Staged : PlanKind::Fixed);
    std::size_t rows = static_cast<std::size_t>(in.days);
    if (kind == "fixed" || kind == "staged") {
        const PlanOutcome outcome = kind == "fixed" ? buildFixedPlan(in, store) : buildStagedPlan(in, store);
        if (outcome != PlanOutcome::Built) {
            err << "所需倍数太大，无法投注！\n";
            return 1;
        }
    } else if (kind == "variable") {
        if (bets.size() > rows) {
            err << "投资期限已满" << in.days << "天!\n";
            return 1;
        }
        store.resize(rows);
        rows = bets.size();
        for (std::size_t k = 1; k <= rows; ++k) {
            const std::int64_t before = k == 1 ? in.prekui : store.row(k - 2)[4];
            const auto row = variableDraw(static_cast<std::int64_t>(k), bets[k - 1], before, in);
            if (!row) {
                err << "第" << k << "期：所需倍数太大，无法投注！\n";
                return 1;
            }
            store.row(k - 1) = *row;
        }
    } else {
        throw UsageError("计划应为 fixed、staged 或 variable");
    }

    const auto headers = planHeaders(store.kind());
    for (std::size_t c = 0; c < headers.size(); ++c)
        out << (c ? "\t" : "") << headers[c];
    out << '\n';
    for (std::size_t r = 0; r < rows; ++r)
        printCells(out, store.row(r), store.columns());
    if (rows > 0)
        out << "平均每期净利润为:" << store.averageNet(rows) << '\n';
    return 0;
}

} // namespace quorlin::cli

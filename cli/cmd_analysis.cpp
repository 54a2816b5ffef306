// summary, zones, omission: the analysis views' tables and memo, in the real numbers.
#include "analysis/indicator_summary.h"
#include "analysis/omission_table.h"
#include "analysis/zone_table.h"
#include "cli_context.h"
#include "commands.h"

#include <algorithm>
#include <charconv>
#include <ostream>

namespace quorlin::cli {

namespace {

int positiveNumber(const std::string& text, const std::string& what)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 1)
        throw UsageError(what + "“" + text + "”应为正整数");
    return value;
}

} // namespace

int runSummary(CliContext& context, CliArgs& args, std::ostream& out, std::ostream&)
{
    const auto& words = args.positional(3);
    static const std::pair<const char*, Indicator> kNames[] = {{"big", Indicator::Big},
                                                               {"odd", Indicator::Odd},
                                                               {"sum", Indicator::Sum},
                                                               {"span", Indicator::Span},
                                                               {"dispersion", Indicator::Dispersion},
                                                               {"skew", Indicator::Skew},
                                                               {"ac", Indicator::AC},
                                                               {"repeat", Indicator::Repeat}};
    const auto found =
        std::find_if(std::begin(kNames), std::end(kNames), [&](const auto& e) { return words[1] == e.first; });
    if (found == std::end(kNames))
        throw UsageError("指标应为 big odd sum span dispersion skew ac repeat 之一");
    const std::string recent = words[2];
    const std::string name = words[0];
    const int n = recent == "all" ? -1 : positiveNumber(recent, "最近统计期数");
    context.open(name);
    const LotteryState& state = context.state;
    const IndicatorAnalysis analysis = analyseIndicator(state, found->second, n < 0 ? state.recnum : n);
    for (const std::string& line : summaryLines(analysis))
        out << line << '\n';
    return 0;
}

int runZones(CliContext& context, CliArgs& args, std::ostream& out, std::ostream&)
{
    const auto& words = args.positional(2);
    const int zones = positiveNumber(words[1], "区间数");
    if (zones > 7)
        throw UsageError("区间数应为 1-7");
    context.open(words[0]);
    const ZoneTable table = buildZoneTable(context.state, zones, false);
    printRow(out, table.headers);
    for (const ZoneTable::Row& row : table.rows) {
        std::vector<std::string> cells{row.issue, row.numbers};
        for (int count : row.counts)
            cells.push_back(std::to_string(count));
        printRow(out, cells);
    }
    return 0;
}

int runOmission(CliContext& context, CliArgs& args, std::ostream& out, std::ostream&)
{
    const bool back = args.flag("--back");
    const std::string rule = args.option("--rule", "return");
    const std::string sort = args.option("--sort", "number");
    const std::string name = args.positional(1)[0];
    if (rule != "return" && rule != "current")
        throw UsageError("--rule 应为 return 或 current");
    OmissionSort order = OmissionSort::Number;
    if (sort == "chase")
        order = OmissionSort::Chase;
    else if (sort == "omission")
        order = OmissionSort::Omission;
    else if (sort == "count")
        order = OmissionSort::Count;
    else if (sort != "number")
        throw UsageError("--sort 应为 number chase omission count 之一");

    context.open(name);
    // The windows read the draw table itself, always in the real numbers.
    const OmissionTable table = buildOmissionTable(
        context.state, back, rule == "current" ? OmissionRule::Current : OmissionRule::Return, order);
    printRow(out, table.headers);
    for (const OmissionRow& row : table.rows)
        printRow(out, row.cells);
    return 0;
}

} // namespace quorlin::cli

// indicators NAME: per draw, oldest first, the indicators of its front numbers and 5 zone counts.
#include "analysis/draw_indicators.h"
#include "cli_context.h"
#include "commands.h"
#include "common/decimal_text.h"

#include <ostream>

namespace quorlin::cli {

namespace {

std::string formatValue(float value)
{
    return decimalText(static_cast<double>(value), 0);
}

} // namespace

int runIndicators(CliContext& context, CliArgs& args, std::ostream& out, std::ostream&)
{
    constexpr int kZones = 5;
    context.open(args.positional(1)[0]);
    const LotteryState& state = context.state;
    out << "期号\t开奖号码\t大数\t奇数\t和值\t跨度\t散度\t偏度\tAC值\t重码";
    for (int z = 1; z <= kZones; ++z)
        out << "\t区间" << z;
    out << '\n';
    const auto rows = computeDrawIndicators(state, kZones);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DrawIndicatorRow& row = rows[i];
        out << row.issue << '\t' << state.histext.drawText(i);
        for (float value : {row.big, row.odd, row.sum, row.span, row.dispersion, row.skew, row.ac, row.repeat})
            out << '\t' << formatValue(value);
        for (int zone : row.zones)
            out << '\t' << zone;
        out << '\n';
    }
    return 0;
}

} // namespace quorlin::cli

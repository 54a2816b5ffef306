// intersect FILE… [--tolerance E1-E2] [--back import|none|all|"01 02 …"]: the big-base
// intersection of saved bet lists, as the intersection window forms it; prints the numbered lines.
#include "cli_context.h"
#include "commands.h"
#include "common/text_file.h"
#include "filter/base_intersection.h"

#include <ostream>

namespace quorlin::cli {

namespace {

void toleranceOption(CliArgs& args, BaseIntersection::Options& options)
{
    const std::string text = args.option("--tolerance", "0-0");
    const auto dash = text.find('-');
    const std::string low = text.substr(0, dash);
    const std::string high = dash == std::string::npos ? low : text.substr(dash + 1);
    if (!isAllDigits(low) || !isAllDigits(high) || low.size() > 5 || high.size() > 5)
        throw UsageError("--tolerance 应为 E1-E2，两个非负整数");
    options.lowTolerance = std::stoi(low);
    options.highTolerance = std::stoi(high);
}

void backOption(CliArgs& args, BaseIntersection::Options& options)
{
    using Choice = BaseIntersection::BackChoice;
    const std::string text = args.option("--back", "import");
    if (text == "import")
        options.back = Choice::Imported;
    else if (text == "none")
        options.back = Choice::None;
    else if (text == "all")
        options.back = Choice::All;
    else {
        options.back = Choice::Typed;
        for (const std::string_view field : splitFields(text)) {
            if (!isAllDigits(field) || field.size() > 2)
                throw UsageError("--back 中的“" + std::string(field) + "”不是特码");
            options.typedBacks.push_back(std::stoi(std::string(field)));
        }
    }
}

} // namespace

int runIntersect(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    BaseIntersection::Options options;
    toleranceOption(args, options);
    backOption(args, options);
    const std::vector<std::string> files = args.positionalAtLeast(1);
    BaseIntersection intersection(context.state);
    const BaseIntersection::Result result = intersection.run(files, options);
    if (!result.ok) {
        err << result.error << '\n';
        return 1;
    }
    for (std::size_t i = 0; i < result.bets.size(); ++i)
        out << result.line(i) << '\n';
    return 0;
}

} // namespace quorlin::cli

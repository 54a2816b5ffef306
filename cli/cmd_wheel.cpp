// wheel --type 选五型 --basic 10 --ok 5 --guarantee 4 [--bankers "01 02"] NUMBERS…: the bets of the
// shipped wheel for these numbers, as the rotation-matrix window makes them, one bet a line.
// wheel-check FILE --basic B --ok K --guarantee G: tries the wheel against every draw; prints "ok"
// or its holes.
#include "cli_context.h"
#include "commands.h"
#include "common/text_file.h"
#include "wheel/wheel_bets.h"
#include "wheel/wheel_check.h"
#include "wheel/wheel_file.h"
#include "wheel/wheel_names.h"

#include <cstdio>
#include <filesystem>
#include <ostream>

namespace quorlin::cli {

namespace {

int countOption(CliArgs& args, const std::string& name, int fallback, int low, int high)
{
    const std::string text = args.option(name);
    if (text.empty())
        return fallback;
    if (!isAllDigits(text) || text.size() > 3 || std::stoi(text) < low || std::stoi(text) > high)
        throw UsageError(name + " 应为" + std::to_string(low) + "到" + std::to_string(high) + "之间的整数");
    return std::stoi(text);
}

/// "选五型" or "选5型"; the window's default without the option.
int selectionOption(CliArgs& args)
{
    const std::string text = args.option("--type", "选" + chineseDigit(WheelSettings{}.selection) + "型");
    for (int s = 1; s <= 7; ++s)
        if (text == "选" + chineseDigit(s) + "型" || text == "选" + std::to_string(s) + "型")
            return s;
    throw UsageError("--type 应为选一型到选七型");
}

} // namespace

int runWheel(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    WheelSettings settings;
    settings.selection = selectionOption(args);
    const int basicOption = countOption(args, "--basic", 0, 1, 21);
    settings.ok = countOption(args, "--ok", settings.ok, 1, 8);
    settings.guarantee = countOption(args, "--guarantee", settings.guarantee, 1, 8);
    std::vector<std::string> boxes;
    const std::string bankerText = args.option("--bankers");
    for (const std::string_view field : splitFields(bankerText))
        boxes.emplace_back(field);
    settings.bankers = static_cast<int>(boxes.size());
    settings.bankerAndDrag = settings.bankers > 0;
    const auto& numbers = args.positionalAtLeast(1);
    settings.basic = basicOption ? basicOption : static_cast<int>(numbers.size());
    if (static_cast<int>(numbers.size()) != settings.basic)
        throw UsageError("号码个数与 --basic 不符");
    boxes.insert(boxes.begin(), numbers.begin(), numbers.end());

    const auto name = wheelFileName(settings);
    if (!name) {
        err << kTooManyBankers << '\n';
        return 1;
    }
    const std::filesystem::path path = std::filesystem::path(context.home()) / kWheelFolder / *name;
    if (!std::filesystem::exists(path)) {
        err << "没有该类型的矩阵！（" << *name << "）\n";
        return 1;
    }
    std::vector<int> values;
    if (const std::string problem = checkWheelNumbers(boxes, values); !problem.empty()) {
        err << problem << '\n';
        return 1;
    }
    const LoadedWheel loaded = readWheel(path.string(), settings.selection - settings.bankers, settings.basic);
    if (!loaded.ok) {
        err << loaded.error << '\n';
        return 1;
    }
    // The boxes hold the basic numbers first, then the bankers.
    const std::vector<int> basic(values.begin(), values.begin() + settings.basic);
    const std::vector<int> bankers(values.begin() + settings.basic, values.end());
    for (const std::vector<int>& bet : wheelBets(loaded.wheel, basic, bankers)) {
        std::string line;
        for (const int n : bet) {
            char cell[16];
            std::snprintf(cell, sizeof cell, "%.2d", n);
            if (!line.empty())
                line += ' ';
            line += cell;
        }
        out << line << '\n';
    }
    return 0;
}

int runWheelCheck(CliContext&, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const int basic = countOption(args, "--basic", 10, 1, 21);
    const int ok = countOption(args, "--ok", 6, 1, 8);
    const int guarantee = countOption(args, "--guarantee", 5, 1, 8);
    const std::string path = args.positional(1)[0];
    const LoadedWheel loaded = readWheel(path, 0, basic);
    if (!loaded.ok) {
        err << loaded.error << '\n';
        return 1;
    }
    const WheelCheck check = checkWheel(loaded.wheel, basic, ok, guarantee);
    if (!check.error.empty()) {
        err << check.error << '\n';
        return 1;
    }
    if (check.holds()) {
        out << "ok\n";
        return 0;
    }
    for (const std::vector<int>& hole : check.holes) {
        out << "漏洞：";
        for (std::size_t i = 0; i < hole.size(); ++i)
            out << (i ? " " : "") << hole[i];
        out << '\n';
    }
    out << "共" << check.holeCount << "种开奖（全部" << check.draws << "种）没有一注中" << guarantee << "个号码\n";
    return 1;
}

} // namespace quorlin::cli

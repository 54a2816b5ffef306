// select: the recommendation of a selection window for one target draw, or its back-test table.
#include "cli_context.h"
#include "commands.h"
#include "select/four_step.h"
#include "select/interval_backfill.h"
#include "select/intimacy.h"
#include "select/stem_branch.h"
#include "select/zone_draws.h"

#include <charconv>
#include <ostream>
#include <stdexcept>

namespace quorlin::cli {

namespace {

int wholeIn(const std::string& text, const std::string& what, int low, int high)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        throw UsageError(what + "“" + text + "”应为 " + std::to_string(low) + "-" + std::to_string(high) + " 的整数");
    return value;
}

// A flag's value, or `fallback` when the flag was not given.
int wholeOr(const std::string& text, int fallback, const std::string& what, int low, int high)
{
    return text.empty() ? fallback : wholeIn(text, what, low, high);
}

void printBacktest(std::ostream& out, const BacktestReport& report)
{
    out << kBacktestHeader[0] << '\t' << kBacktestHeader[1] << '\t' << kBacktestHeader[2] << '\t' << kBacktestHeader[3]
        << '\n';
    for (const BacktestRow& row : report.rows)
        out << row.issue << '\t' << row.draw << '\t' << row.bet << '\t' << row.hits << '\n';
    out << report.summary << '\n';
}

// The method-specific flags of one command line, each empty when not given.
struct SelectFlags {
    std::string take, mode, limit, interval, steps;
    bool additional = false;
};

void refuseFlags(const std::string& method, std::initializer_list<std::pair<const char*, bool>> given)
{
    for (const auto& [flag, present] : given)
        if (present)
            throw UsageError(std::string(flag) + " 不适用于 " + method);
}

IntimacySettings intimacySettings(const SelectFlags& f, const ZoneDraws& draws, bool back)
{
    IntimacySettings s;
    // The window's defaults: 17 overall in the front zone; 2 per position in the back zone, where
    // only 各个位置 is offered.
    s.take = wholeOr(f.take, back ? 2 : 17, "--take", 1, draws.zoneSize);
    s.mode = back ? IntimacyMode::EachPosition : IntimacyMode::Overall;
    if (f.mode == "each")
        s.mode = IntimacyMode::EachPosition;
    else if (f.mode == "overall" && !back)
        s.mode = IntimacyMode::Overall;
    else if (!f.mode.empty())
        throw UsageError(back ? "后区只能用 --mode each" : "--mode 应为 overall 或 each");
    s.limit = f.limit == "all" ? 0 : wholeOr(f.limit, 7, "--limit", 0, 1 << 30);
    return s;
}

FourStepSettings fourStepSettings(const std::string& text, int recnum)
{
    FourStepSettings s;
    s.recent = defaultRecent(recnum);
    if (text.empty())
        return s;
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == ',')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() != 4)
        throw UsageError("--steps 应为 L1,L2,L3,L4");
    s.recent = wholeIn(parts[0], "L1", 1, std::max(recnum, 1));
    s.absent = wholeIn(parts[1], "L2", 1, 5);
    s.triple = wholeIn(parts[2], "L3", 1, 10);
    s.active = wholeIn(parts[3], "L4", 1, 10);
    return s;
}

std::string stemBranchLine(const ZoneDraws& draws, std::size_t target, const std::string& item,
                           const std::string& lottery, bool additional)
{
    const auto date = targetDrawDate(draws, target, lottery);
    if (!date)
        throw std::runtime_error("请输入正确的开奖日期！");
    return stemBranchRecommendation(item, chosenNumbers(chosenDigits(stemBranchOf(*date), additional), draws.zoneSize));
}

void refuseTarget(const std::string& refusal)
{
    if (!refusal.empty())
        throw std::runtime_error(refusal);
}

} // namespace

int runSelect(CliContext& context, CliArgs& args, std::ostream& out, std::ostream&)
{
    const bool back = args.flag("--back");
    const bool backtest = args.flag("--backtest");
    const std::string targetText = args.option("--target");
    SelectFlags f;
    f.take = args.option("--take");
    f.mode = args.option("--mode");
    f.limit = args.option("--limit");
    f.interval = args.option("--interval");
    f.steps = args.option("--steps");
    f.additional = args.flag("--additional");
    const auto& words = args.positional(2);
    const std::string name = words[0];
    const std::string method = words[1];
    if (method == "intimacy")
        refuseFlags(
            method,
            {{"--interval", !f.interval.empty()}, {"--steps", !f.steps.empty()}, {"--additional", f.additional}});
    else if (method == "interval")
        refuseFlags(method, {{"--mode", !f.mode.empty()},
                             {"--limit", !f.limit.empty()},
                             {"--steps", !f.steps.empty()},
                             {"--additional", f.additional}});
    else if (method == "stembranch")
        refuseFlags(method, {{"--take", !f.take.empty()},
                             {"--mode", !f.mode.empty()},
                             {"--limit", !f.limit.empty()},
                             {"--interval", !f.interval.empty()},
                             {"--steps", !f.steps.empty()}});
    else if (method == "fourstep")
        refuseFlags(method, {{"--back", back},
                             {"--take", !f.take.empty()},
                             {"--mode", !f.mode.empty()},
                             {"--limit", !f.limit.empty()},
                             {"--interval", !f.interval.empty()},
                             {"--additional", f.additional}});
    else
        throw UsageError("选号方法应为 intimacy interval stembranch fourstep 之一");

    context.open(name);
    const LotteryState& state = context.state;
    const Zone zone = back ? Zone::Back : Zone::Front;
    // The four-step window reads the standard history; the others walk the draw table.
    const ZoneDraws draws = method == "fourstep" ? historyZoneDraws(state, Zone::Front)
                                                 : readZoneDraws(context.datamod.t_caipiao, state, zone);
    const auto last = static_cast<int>(draws.size());
    const auto target = static_cast<std::size_t>(wholeOr(targetText, last, "--target", 0, last));
    const std::string item = targetIssues(draws)[target];

    if (method == "intimacy") {
        const IntimacySettings s = intimacySettings(f, draws, back);
        if (backtest)
            printBacktest(out, intimacyBacktest(draws, s));
        else {
            refuseTarget(firstDrawRefusal(target));
            out << intimacyRecommendation(item, back, selectIntimate(draws, target, s).numbers) << '\n';
        }
    } else if (method == "interval") {
        IntervalSettings s;
        s.span = wholeOr(f.interval, 5, "--interval", 1, 20);
        s.take = wholeOr(f.take, back ? 2 : 10, "--take", 1, draws.zoneSize);
        if (backtest)
            printBacktest(out, backfillBacktest(draws, s));
        else {
            refuseTarget(firstDrawRefusal(target));
            out << backfillRecommendation(item, back, selectBackfill(draws, target, s).numbers) << '\n';
        }
    } else if (method == "stembranch") {
        if (backtest)
            printBacktest(out, stemBranchBacktest(draws, f.additional));
        else
            out << stemBranchLine(draws, target, item, state.cainame, f.additional) << '\n';
    } else {
        const FourStepSettings s = fourStepSettings(f.steps, state.recnum);
        if (backtest)
            printBacktest(out, fourStepBacktest(draws, s));
        else {
            refuseTarget(fourStepTargetRefusal(target, s));
            out << fourStepRecommendation(item, selectFourStep(draws, target, s).numbers) << '\n';
        }
    }
    return 0;
}

} // namespace quorlin::cli

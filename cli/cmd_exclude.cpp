// exclude NAME sum|repeat|bias|follow [settings] [--iterations N | --target N] [--seed N] [--in FILE]
// [--out FILE]: one run of an exclusion window on the open lottery; prints the number kept.
#include "cli_context.h"
#include "commands.h"
#include "common/random_source.h"
#include "filter/bias_exclusion.h"
#include "filter/exclusion_list_reader.h"
#include "filter/exclusion_set.h"
#include "filter/follow_exclusion.h"
#include "filter/repeat_exclusion.h"
#include "filter/sum_exclusion.h"

#include <charconv>
#include <initializer_list>
#include <map>
#include <memory>
#include <ostream>

namespace quorlin::cli {

namespace {

long integer(const std::string& text, const std::string& option)
{
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        throw UsageError(option + " 的取值“" + text + "”不是整数");
    return value;
}

// The member settings as given on the command line; read all at once, since which of them apply
// is known only from the words after them.
class MemberOptions {
public:
    MemberOptions(CliArgs& args)
    {
        for (const char* name : {"--sum-high", "--sum-low", "--repeat-draws", "--repeat-min", "--mode", "--high",
                                 "--high-keep", "--low", "--low-keep", "--run", "--relabel", "--order", "--stage",
                                 "--stage-bound", "--stage-draws", "--group", "--follow-high", "--follow-low"})
            values_[name] = args.option(name);
        for (const char* name : {"--no-high", "--no-low"})
            values_[name] = std::string(args.flag(name) ? 1 : 0, '1');
    }
    /// Refuses the options given that `kind` does not have.
    void only(const std::string& kind, std::initializer_list<const char*> names)
    {
        for (const auto& [name, value] : values_) {
            if (value.empty())
                continue;
            bool known = false;
            for (const char* n : names)
                known = known || name == n;
            if (!known)
                throw UsageError(kind + " 没有选项 " + name);
        }
    }
    int number(const std::string& name, int fallback) const
    {
        const std::string& text = values_.at(name);
        return text.empty() ? fallback : static_cast<int>(integer(text, name));
    }
    // "A-B" or "A".
    FilterRange range(const std::string& name, FilterRange fallback) const
    {
        const std::string& text = values_.at(name);
        if (text.empty())
            return fallback;
        const std::size_t dash = text.find('-', 1);
        if (dash == std::string::npos) {
            const int v = static_cast<int>(integer(text, name));
            return {v, v};
        }
        return {static_cast<int>(integer(text.substr(0, dash), name)),
                static_cast<int>(integer(text.substr(dash + 1), name))};
    }
    // One of two words; the first is the default. True for the second.
    bool choice(const std::string& name, const std::string& first, const std::string& second) const
    {
        const std::string& text = values_.at(name);
        if (!text.empty() && text != first && text != second)
            throw UsageError(name + " 只能是 " + first + " 或 " + second);
        return text == second;
    }
    bool flag(const std::string& name) const { return !values_.at(name).empty(); }

private:
    std::map<std::string, std::string> values_;
};

} // namespace

int runExclude(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const std::string iterations = args.option("--iterations");
    const std::string target = args.option("--target");
    const std::string seed = args.option("--seed");
    const std::string in = args.option("--in");
    const std::string outFile = args.option("--out");
    const std::string current = args.option("--current");
    const long maxIterations = integer(args.option("--max-iterations", "100000"), "--max-iterations");
    // A command has no stop button: 0 (no limit, as in the windows) is not offered.
    if (maxIterations < 1 || maxIterations > kMaxExclusionIterations)
        throw UsageError("--max-iterations 应为1到" + std::to_string(kMaxExclusionIterations));
    if (!iterations.empty() && !target.empty())
        throw UsageError("--iterations 和 --target 只能给一个");

    // The member's settings are checked before the lottery is opened, so wrong words fail first.
    MemberOptions o(args);
    const std::vector<std::string>& words = args.positional(2);
    const std::string name = words[0];
    const std::string kind = words[1];
    SumExclusion::Settings sum;
    RepeatExclusion::Settings repeat;
    BiasExclusion::Settings bias = BiasExclusion::defaults(5);
    FollowExclusion::Settings follow;
    if (kind == "sum") {
        o.only(kind, {"--sum-high", "--sum-low"});
        sum.high = o.number("--sum-high", -1);
        sum.low = o.number("--sum-low", -1);
    } else if (kind == "repeat") {
        o.only(kind, {"--repeat-draws", "--repeat-min"});
        repeat.draws = o.number("--repeat-draws", 10);
        repeat.threshold = o.number("--repeat-min", -1);
    } else if (kind == "bias") {
        o.only(kind, {"--mode", "--high", "--high-keep", "--no-high", "--low", "--low-keep", "--no-low", "--run"});
        bias.oddMode = o.choice("--mode", "big", "odd");
        bias.highOn = !o.flag("--no-high");
        bias.high = o.number("--high", -1);
        bias.highKeep = o.range("--high-keep", {-1, -1});
        bias.lowOn = !o.flag("--no-low");
        bias.low = o.number("--low", 1);
        bias.lowKeep = o.range("--low-keep", {-1, -1});
        bias.run = o.number("--run", 2);
    } else if (kind == "follow") {
        o.only(kind, {"--mode", "--relabel", "--order", "--stage", "--stage-bound", "--stage-draws", "--group",
                      "--follow-high", "--follow-low"});
        follow.transformed = !o.choice("--mode", "transformed", "plain");
        follow.rotation = o.choice("--relabel", "rank", "rotation");
        follow.byGap = o.choice("--order", "count", "gap");
        follow.randomStage = o.choice("--stage", "fixed", "random");
        follow.maxStage = o.choice("--stage-bound", "limited", "max");
        follow.stageBox = o.number("--stage-draws", 100);
        follow.group = o.number("--group", 2);
        follow.high = o.number("--follow-high", -1);
        follow.low = o.number("--follow-low", 0);
    } else {
        throw UsageError("排除方式只能是 sum、repeat、bias 或 follow");
    }

    context.open(name);
    const LotteryState& state = context.state;
    const DrawHistory history = DrawHistory::of(state);
    int cur = state.recnum;
    if (!current.empty()) {
        const long issue = integer(current, "--current");
        cur = -1;
        for (int t = 0; t < history.draws(); ++t)
            if (history.issues[static_cast<std::size_t>(t)] == issue)
                cur = t;
        if (issue == (history.draws() > 0 ? history.issues.back() + 1 : 1))
            cur = history.draws();
        if (cur < 0) {
            err << "没有第 " << issue << " 期\n";
            return 1;
        }
    }

    // The window's defaults where a flag was not given; they depend on the game.
    const int c = state.caisel;
    std::unique_ptr<ExclusionMember> member;
    std::optional<std::string> refusal;
    auto after = ExclusionSet::AfterRun::Narrow;
    std::size_t defaultTarget = 10000;
    if (kind == "sum") {
        sum.cur = cur;
        if (sum.high < 0)
            sum.high = SumExclusion::defaultHigh(state.caisum, c);
        if (sum.low < 0)
            sum.low = SumExclusion::defaultLow(state.caisum, c);
        refusal = checkCurrentPosition(cur);
        member = std::make_unique<SumExclusion>(history, sum);
        after = ExclusionSet::AfterRun::StartOver;
    } else if (kind == "repeat") {
        repeat.cur = cur;
        if (repeat.threshold < 0)
            repeat.threshold = c;
        refusal = RepeatExclusion::check(repeat);
        member = std::make_unique<RepeatExclusion>(history, repeat);
    } else if (kind == "bias") {
        const BiasExclusion::Settings d = BiasExclusion::defaults(c);
        bias.cur = cur;
        if (bias.high < 0)
            bias.high = d.high;
        if (bias.highKeep.lo < 0)
            bias.highKeep = d.highKeep;
        if (bias.lowKeep.lo < 0)
            bias.lowKeep = d.lowKeep;
        refusal = BiasExclusion::check(bias);
        member = std::make_unique<BiasExclusion>(history, bias);
    } else {
        follow.cur = cur;
        if (follow.high < 0)
            follow.high = c;
        refusal = FollowExclusion::check(follow);
        member = std::make_unique<FollowExclusion>(history, follow);
        after = ExclusionSet::AfterRun::StartOver;
        defaultTarget = 50;
    }
    if (refusal) {
        err << *refusal << '\n';
        return 1;
    }

    ExclusionRunSettings run;
    run.maxIterations = maxIterations;
    long targetCount = static_cast<long>(defaultTarget);
    if (!iterations.empty()) {
        run.countMode = false;
        run.iterations = integer(iterations, "--iterations");
    } else if (!target.empty()) {
        targetCount = integer(target, "--target");
    } else if (kind == "follow" && !follow.transformed) {
        run.countMode = false; // 常规 is one pass
        run.iterations = 1;
    }
    if (const auto why = checkExclusionRun(run, targetCount)) {
        err << *why << '\n';
        return 1;
    }
    run.target = static_cast<std::size_t>(targetCount);

    ExclusionSet set(state.caisum, c);
    if (!in.empty()) {
        const LoadedExclusionList loaded =
            readExclusionList(in, TicketShape{state.caisum, c, state.housum, state.housel});
        if (!loaded.ok) {
            err << loaded.error << '\n';
            return 1;
        }
        set.load(loaded.fronts);
    }
    std::unique_ptr<RandomSource> rng;
    if (seed.empty())
        rng = std::make_unique<ClockRandomSource>();
    else
        rng = std::make_unique<SeededRandomSource>(static_cast<std::uint32_t>(integer(seed, "--seed")));
    const ExclusionRunResult result = set.run(*member, run, after, *rng);
    if (result.end == RunEnd::IterationLimit) {
        err << result.iterations << " 次过滤后仍剩 " << result.kept << " 注，未能过滤到 " << run.target
            << " 注（--max-iterations）\n";
        return 1;
    }
    const BetList bets = set.bets();
    out << bets.size() << '\n';
    return saveBets(bets, outFile, err) ? 0 : 1;
}

} // namespace quorlin::cli

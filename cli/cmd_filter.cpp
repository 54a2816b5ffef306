// filter NAME [conditions] [--in FILE] [--out FILE]: one run of the total filter in the real
// numbers, from all front combinations or from a loaded bet list; prints the number of bets.
#include "cli_context.h"
#include "commands.h"
#include "filter/bet_list.h"
#include "filter/bet_list_reader.h"
#include "filter/combination_table.h"
#include "filter/total_filter.h"
#include "store/filter_space.h"

#include <charconv>
#include <ostream>

namespace quorlin::cli {

namespace {

int wholeNumber(const std::string& text, const std::string& option)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0)
        throw UsageError(option + " 的取值“" + text + "”不是非负整数");
    return value;
}

// "A-B", or "A" for A-A.
std::optional<FilterRange> range(CliArgs& args, const std::string& option)
{
    const std::string text = args.option(option);
    if (text.empty())
        return std::nullopt;
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos) {
        const int v = wholeNumber(text, option);
        return FilterRange{v, v};
    }
    return FilterRange{wholeNumber(text.substr(0, dash), option), wholeNumber(text.substr(dash + 1), option)};
}

// Numbers separated by blanks or commas, each within 1..limit.
std::vector<int> numberList(const std::string& text, const std::string& option, int limit)
{
    std::vector<int> numbers;
    std::string item;
    auto take = [&] {
        if (item.empty())
            return;
        const int n = wholeNumber(item, option);
        if (n < 1 || n > limit)
            throw UsageError(option + " 的号码 " + item + " 不在 1-" + std::to_string(limit) + " 之内");
        numbers.push_back(n);
        item.clear();
    };
    for (const char c : text) {
        if (c == ' ' || c == ',' || c == '\t')
            take();
        else
            item += c;
    }
    take();
    return numbers;
}

} // namespace

int runFilter(CliContext& context, CliArgs& args, std::ostream& out, std::ostream& err)
{
    const LotteryState& state = context.state;
    TotalFilterSettings s;
    s.big = range(args, "--big");
    s.odd = range(args, "--odd");
    s.sum = range(args, "--sum");
    s.span = range(args, "--span");
    s.dispersion = range(args, "--dispersion");
    s.skew = range(args, "--skew");
    s.ac = range(args, "--ac");
    const std::string bankers = args.option("--banker");
    const auto bankerHits = range(args, "--banker-hits");
    const std::string front = args.option("--front");
    const auto frontHits = range(args, "--front-hits");
    const std::string back = args.option("--back");
    const std::string in = args.option("--in");
    const std::string outFile = args.option("--out");
    const std::string name = args.positional(1)[0];
    if (bankerHits && bankers.empty())
        throw UsageError("--banker-hits 要和 --banker 一起给");
    if (frontHits && front.empty())
        throw UsageError("--front-hits 要和 --front 一起给");

    context.open(name);
    const FilterSpace space = filterspace(state);

    if (!bankers.empty()) {
        const BankerParse parsed = parseBankers(bankers);
        if (!parsed.ok()) {
            err << "胆码“" << parsed.badItem << "”不是整数\n";
            return 1;
        }
        s.bankersOn = true;
        s.bankers = parsed.numbers;
        s.bankerHits = bankerHits.value_or(FilterRange{1, 1});
    }
    if (!front.empty()) {
        s.frontOn = true;
        s.front = numberList(front, "--front", state.caisum);
        s.frontHits = frontHits.value_or(FilterRange{state.caisel, state.caisel});
    }

    CombinationTable table;
    if (in.empty()) {
        table.buildAll(state.caisum, state.caisel);
        for (int n = 1; n <= state.housum; ++n)
            s.back.push_back(n);
    } else {
        const LoadedBetList loaded = readBetList(in, state.caisum, state.caisel, state.housum, state.housel);
        if (!loaded.ok) {
            err << loaded.error << '\n';
            return 1;
        }
        table.assign(state.caisum, state.caisel, loaded.fronts);
        s.back = loaded.backNumbers;
    }
    if (!back.empty())
        s.back = numberList(back, "--back", state.housum);

    if (const auto message = validateTotalFilter(s, space)) {
        err << *message << '\n';
        return 1;
    }
    const std::size_t left = *runTotalFilter(table, s, space);
    const BetList bets = BetList::paired(state.caisel, survivingFronts(table), state.housel, backPairs(s.back, state.housum));
    out << bets.size() << '\n';
    if (left == 0)
        err << "没有符合条件的投注号码，请重新选择过滤条件！\n";
    if (!outFile.empty()) {
        std::string error;
        if (!bets.writeSaved(outFile, nullptr, error)) {
            err << error << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace quorlin::cli

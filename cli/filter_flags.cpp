#include "filter_flags.h"

#include "cli_context.h"

#include <charconv>
#include <ostream>

namespace quorlin::cli {

namespace {

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

} // namespace

int wholeNumber(const std::string& text, const std::string& option)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0)
        throw UsageError(option + " 的取值“" + text + "”不是非负整数");
    return value;
}

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

FilterFlags FilterFlags::read(CliArgs& args)
{
    FilterFlags f;
    TotalFilterSettings& s = f.settings;
    s.big = range(args, "--big");
    s.odd = range(args, "--odd");
    s.sum = range(args, "--sum");
    s.span = range(args, "--span");
    s.dispersion = range(args, "--dispersion");
    s.skew = range(args, "--skew");
    s.ac = range(args, "--ac");
    f.bankers = args.option("--banker");
    f.bankerHits = range(args, "--banker-hits");
    f.front = args.option("--front");
    f.frontHits = range(args, "--front-hits");
    if (f.bankerHits && f.bankers.empty())
        throw UsageError("--banker-hits 要和 --banker 一起给");
    if (f.frontHits && f.front.empty())
        throw UsageError("--front-hits 要和 --front 一起给");
    return f;
}

bool FilterFlags::complete(const LotteryState& state, std::ostream& err)
{
    TotalFilterSettings& s = settings;
    if (!bankers.empty()) {
        const BankerParse parsed = parseBankers(bankers);
        if (!parsed.ok()) {
            err << "胆码“" << parsed.badItem << "”不是整数\n";
            return false;
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
    return true;
}

} // namespace quorlin::cli

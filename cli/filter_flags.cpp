#include "filter_flags.h"

#include "cli_context.h"
#include "filter/filter_scheme.h"
#include "store/filter_space.h"

#include <algorithm>
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

CheckRange drawRangeFlags(CliArgs& args)
{
    const std::string issue = args.option("--issue");
    const std::string last = args.option("--last");
    if (!issue.empty() && !last.empty())
        throw UsageError("--issue 和 --last 只能给一个");
    if (!issue.empty())
        return CheckRange::ofIssue(issue);
    return last.empty() ? CheckRange::newest()
                        : CheckRange::last(static_cast<std::size_t>(wholeNumber(last, "--last")));
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
    // Where each flag stands, before any is taken.
    const std::vector<std::string> words = args.remaining();
    const auto at = [&words](const std::string& flag) {
        return static_cast<std::size_t>(std::find(words.begin(), words.end(), flag) - words.begin());
    };
    const std::size_t schemeAt = at("--scheme");
    for (const std::string& word : words)
        if (word.size() > 2 && word.starts_with("--") && word != "--scheme") {
            f.given.push_back(word.substr(2));
            if (at(word) > schemeAt)
                f.afterScheme.push_back(word.substr(2));
        }
    f.scheme = args.option("--scheme");
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
    for (const ExtraConditionInfo& info : extraConditions())
        s.extraRange(info.id) = range(args, std::string("--") + info.flag);
    const std::string tolerance = args.option("--tolerance");
    if (!tolerance.empty())
        f.tolerance = wholeNumber(tolerance, "--tolerance");
    if (f.bankerHits && f.bankers.empty() && f.scheme.empty())
        throw UsageError("--banker-hits 要和 --banker 一起给");
    if (f.frontHits && f.front.empty() && f.scheme.empty())
        throw UsageError("--front-hits 要和 --front 一起给");
    return f;
}

bool FilterFlags::takesFlag(const std::string& key) const
{
    const auto has = [&key](const std::vector<std::string>& keys) {
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    };
    return has(given) && (scheme.empty() || has(afterScheme) || !has(schemeKeys));
}

std::optional<std::vector<int>> FilterFlags::backNumbers(const std::string& text, int backTotal) const
{
    if (!text.empty() && takesFlag("back"))
        return numberList(text, "--back", backTotal);
    return schemeBack;
}

bool FilterFlags::complete(const LotteryState& state, std::ostream& err)
{
    TotalFilterSettings& s = settings;
    if (tolerance)
        s.tolerance = *tolerance;
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
    if (scheme.empty())
        return true;
    const FilterScheme read = readFilterScheme(scheme, filterspace(state));
    if (!read.ok) {
        err << scheme << "：" << read.error << '\n';
        return false;
    }
    schemeKeys = read.keys;
    // The scheme's values, then every flag it does not hold or that came after it.
    const auto fromFlag = [this](const std::string& key) { return takesFlag(key); };
    TotalFilterSettings merged = read.settings;
    for (const auto& [key, member] : {std::pair{"big", &TotalFilterSettings::big},
                                      {"odd", &TotalFilterSettings::odd},
                                      {"sum", &TotalFilterSettings::sum},
                                      {"span", &TotalFilterSettings::span},
                                      {"dispersion", &TotalFilterSettings::dispersion},
                                      {"skew", &TotalFilterSettings::skew},
                                      {"ac", &TotalFilterSettings::ac}})
        if (fromFlag(key))
            merged.*member = s.*member;
    for (const ExtraConditionInfo& info : extraConditions())
        if (fromFlag(info.flag))
            merged.extraRange(info.id) = s.extraRange(info.id);
    if (fromFlag("banker")) {
        merged.bankersOn = true;
        merged.bankers = s.bankers;
        if (!fromFlag("banker-hits"))
            merged.bankerHits =
                bankerHits.value_or(read.settings.bankersOn ? read.settings.bankerHits : FilterRange{1, 1});
    }
    if (fromFlag("banker-hits"))
        merged.bankerHits = *bankerHits;
    if (fromFlag("front")) {
        merged.frontOn = true;
        merged.front = s.front;
        if (!fromFlag("front-hits"))
            merged.frontHits = frontHits.value_or(read.settings.frontOn ? read.settings.frontHits
                                                                        : FilterRange{state.caisel, state.caisel});
    }
    if (fromFlag("front-hits"))
        merged.frontHits = *frontHits;
    if (fromFlag("tolerance"))
        merged.tolerance = s.tolerance;
    if (fromFlag("banker-hits") && !merged.bankersOn) {
        err << "--banker-hits 要和 --banker 或方案中的 banker 一起给\n";
        return false;
    }
    if (fromFlag("front-hits") && !merged.frontOn) {
        err << "--front-hits 要和 --front 或方案中的 front 一起给\n";
        return false;
    }
    if (!read.settings.back.empty())
        schemeBack = read.settings.back;
    s = std::move(merged);
    return true;
}

} // namespace quorlin::cli

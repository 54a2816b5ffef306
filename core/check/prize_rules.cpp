#include "check/prize_rules.h"

#include "common/calendar.h"
#include "common/text_encoding.h"
#include "common/text_reader.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace quorlin {

namespace {

bool wholeNumber(std::string_view text, std::int64_t& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size() && value >= 0;
}

// "4+2": hits within the game's 5 front and 2 back numbers.
bool hitPattern(const std::string& word, std::pair<int, int>& pattern)
{
    const std::size_t plus = word.find('+');
    std::int64_t front = 0, back = 0;
    if (plus == std::string::npos || !wholeNumber(std::string_view(word).substr(0, plus), front) ||
        !wholeNumber(std::string_view(word).substr(plus + 1), back) || front > 5 || back > 2)
        return false;
    pattern = {static_cast<int>(front), static_cast<int>(back)};
    return true;
}

} // namespace

int PrizeRuleSet::levelOf(int frontHits, int backHits) const
{
    for (std::size_t k = 0; k < levels.size(); ++k)
        for (const auto& [f, b] : levels[k].patterns)
            if (f == frontHits && b == backHits)
                return static_cast<int>(k);
    return -1;
}

PrizeRuleSetRef PrizeRules::forDate(int date) const
{
    PrizeRuleSetRef found;
    if (date == 0)
        return found;
    for (const PrizeRuleSetRef& set : sets)
        if (set->from <= date)
            found = set;
    return found;
}

PrizeRuleSetRef PrizeRules::forDraw(int issue, int date) const
{
    PrizeRuleSetRef found;
    for (const PrizeRuleSetRef& set : sets) {
        const bool byIssue = set->fromIssue != 0 && issue != 0;
        if (byIssue ? set->fromIssue <= issue : date != 0 && set->from <= date)
            found = set;
    }
    return found;
}

PrizeRuleSetRef PrizeRules::newest() const
{
    return sets.empty() ? nullptr : sets.back();
}

int drawDateNumber(const std::string& text)
{
    if (!isDateText(text))
        return 0;
    int parts[3] = {0, 0, 0};
    int k = 0;
    for (const char c : text) {
        if (c == '-' || c == '/')
            ++k;
        else if (k < 3)
            parts[k] = parts[k] * 10 + (c - '0');
    }
    return parts[0] * 10000 + parts[1] * 100 + parts[2];
}

std::optional<PrizeRules> readPrizeRules(const std::string& path, std::string& error)
{
    TextReader reader;
    if (!reader.open(path)) {
        error = reader.error();
        return std::nullopt;
    }
    std::vector<PrizeRuleSet> sets;
    std::string line;
    auto refuse = [&](const std::string& why) {
        error = path + " 第" + std::to_string(reader.lineNumber()) + "行：" + why;
        return std::nullopt;
    };
    // An amount of 元 per bet, at most kMaxPrizeAmount.
    auto amountOf = [&](const std::string& text, std::int64_t& value) -> std::optional<std::string> {
        if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
            return "金额“" + lineExcerpt(text) + "”既不是整数也不是“浮动”";
        if (!wholeNumber(text, value) || value > kMaxPrizeAmount)
            return "金额“" + lineExcerpt(text) + "”太大，每注最多 " + std::to_string(kMaxPrizeAmount) + " 元";
        return std::nullopt;
    };
    while (reader.next(line)) {
        std::istringstream words(line);
        std::string first;
        if (!(words >> first) || first[0] == '#')
            continue;
        if (first == "规则") {
            std::string start, title;
            words >> start;
            PrizeRuleSet set;
            std::int64_t issue = 0;
            if (start.size() == 7 && wholeNumber(start, issue)) {
                set.fromIssue = static_cast<int>(issue);
                words >> start;
            }
            std::getline(words >> std::ws, title);
            set.from = drawDateNumber(start);
            set.title = title;
            if (set.from == 0)
                return refuse("“" + lineExcerpt(start) + "”不是日期");
            sets.push_back(std::move(set));
            continue;
        }
        if (sets.empty())
            return refuse("奖级写在“规则”行之前");
        if (first == "高奖池") {
            std::string amount, rest;
            words >> amount;
            std::int64_t value = 0;
            if (amount.empty() || !wholeNumber(amount, value) || value == 0 || (words >> rest))
                return refuse("“高奖池”后应是一个正整数金额（元）");
            sets.back().highPool = value;
            continue;
        }
        PrizeLevel level;
        level.name = first;
        std::string amount, word;
        words >> amount;
        if (amount != "浮动") {
            const std::size_t slash = amount.find('/');
            std::int64_t value = 0;
            if (const auto why = amountOf(amount.substr(0, slash), value))
                return refuse(*why);
            level.amount = value;
            if (slash != std::string::npos) {
                if (const auto why = amountOf(amount.substr(slash + 1), value))
                    return refuse(*why);
                level.highAmount = value;
            }
        }
        while (words >> word) {
            if (word == "追加") {
                std::string extra, rest;
                words >> extra;
                level.hasExtra = true;
                if (extra != "浮动" && extra != "未知") {
                    std::int64_t value = 0;
                    if (const auto why = amountOf(extra, value))
                        return refuse("追加" + *why);
                    level.extraAmount = value;
                }
                if (words >> rest)
                    return refuse("“追加 金额”应写在行末");
                break;
            }
            std::pair<int, int> pattern;
            if (!hitPattern(word, pattern))
                return refuse("“" + lineExcerpt(word) + "”不是中奖号码个数（如 4+2）");
            if (sets.back().levelOf(pattern.first, pattern.second) >= 0)
                return refuse(lineExcerpt(word) + " 已属于前面的奖级");
            level.patterns.push_back(pattern);
        }
        if (level.patterns.empty())
            return refuse("奖级" + lineExcerpt(level.name) + "没有中奖号码个数");
        sets.back().levels.push_back(std::move(level));
    }
    if (reader.failed()) {
        error = reader.error();
        return std::nullopt;
    }
    for (const PrizeRuleSet& set : sets) {
        const bool highAmounts = std::any_of(set.levels.begin(), set.levels.end(),
                                             [](const PrizeLevel& l) { return l.highAmount.has_value(); });
        if (highAmounts != (set.highPool != 0)) {
            error = path + "：奖级表“" + set.title + "”" +
                    (highAmounts ? "写了高奖池金额（如 5000/6666），却没有“高奖池”行"
                                 : "有“高奖池”行，却没有奖级写出高奖池金额（如 5000/6666）");
            return std::nullopt;
        }
    }
    std::stable_sort(sets.begin(), sets.end(),
                     [](const PrizeRuleSet& a, const PrizeRuleSet& b) { return a.from < b.from; });
    // Sets named by their first issue must start in the order of their dates.
    int lastIssue = 0;
    for (const PrizeRuleSet& set : sets) {
        if (set.fromIssue != 0 && set.fromIssue <= lastIssue) {
            error = path + "：奖级表“" + set.title + "”的首期期号与开始日期先后不一致";
            return std::nullopt;
        }
        lastIssue = std::max(lastIssue, set.fromIssue);
    }
    PrizeRules rules;
    for (PrizeRuleSet& set : sets)
        rules.sets.push_back(std::make_shared<const PrizeRuleSet>(std::move(set)));
    return rules;
}

} // namespace quorlin

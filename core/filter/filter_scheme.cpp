#include "filter/filter_scheme.h"

#include "common/text_reader.h"
#include "common/text_writer.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace quorlin {

namespace {

// The ranges of the first page, with their keys and names, in the window's order.
struct FirstPageRange {
    const char* key;
    const char* name;
    std::optional<FilterRange> TotalFilterSettings::*member;
};
constexpr FirstPageRange kFirstPage[] = {
    {"big", "大数", &TotalFilterSettings::big},
    {"odd", "奇数", &TotalFilterSettings::odd},
    {"sum", "和值", &TotalFilterSettings::sum},
    {"span", "跨度", &TotalFilterSettings::span},
    {"dispersion", "散度", &TotalFilterSettings::dispersion},
    {"skew", "偏度", &TotalFilterSettings::skew},
    {"ac", "AC值", &TotalFilterSettings::ac},
};

// Above every value a condition can take; keeps the numbers of a file small.
constexpr int kLargestValue = 9999;

std::string rangeText(const FilterRange& r)
{
    return std::to_string(r.lo) + "-" + std::to_string(r.hi);
}

// "1" for 1-1, as the steps list shows a range.
std::string shortRangeText(const FilterRange& r)
{
    return r.lo == r.hi ? std::to_string(r.lo) : rangeText(r);
}

std::string numbersText(const std::vector<int>& numbers)
{
    std::vector<int> sorted = numbers;
    std::sort(sorted.begin(), sorted.end());
    std::string text;
    for (const int n : sorted) {
        if (!text.empty())
            text += ' ';
        text += static_cast<char>('0' + n / 10 % 10);
        text += static_cast<char>('0' + n % 10);
    }
    return text;
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<int> wholeNumber(const std::string& text)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0 || value > kLargestValue)
        return std::nullopt;
    return value;
}

// "A-B" or "A", 0 ≤ A ≤ B.
std::optional<FilterRange> readRange(const std::string& text)
{
    const std::size_t dash = text.find('-');
    const auto lo = wholeNumber(trimmed(text.substr(0, dash)));
    const auto hi = dash == std::string::npos ? lo : wholeNumber(trimmed(text.substr(dash + 1)));
    if (!lo || !hi || *hi < *lo)
        return std::nullopt;
    return FilterRange{*lo, *hi};
}

// Numbers separated by blanks or commas, each in 1..total and given once.
std::optional<std::vector<int>> readNumbers(const std::string& text, int total)
{
    std::vector<int> numbers;
    std::string item;
    std::string spaced = text;
    std::replace(spaced.begin(), spaced.end(), ',', ' ');
    std::istringstream in(spaced);
    while (in >> item) {
        const auto n = wholeNumber(item);
        if (!n || *n < 1 || *n > total || std::find(numbers.begin(), numbers.end(), *n) != numbers.end())
            return std::nullopt;
        numbers.push_back(*n);
    }
    if (numbers.empty())
        return std::nullopt;
    return numbers;
}

FilterScheme refuse(std::size_t line, const std::string& why)
{
    FilterScheme scheme;
    scheme.error = "第 " + std::to_string(line) + " 行：" + why;
    return scheme;
}

} // namespace

std::string filterSchemeText(const TotalFilterSettings& s)
{
    std::string text;
    const auto line = [&text](const std::string& key, const std::string& value) { text += key + " = " + value + "\n"; };
    for (const FirstPageRange& r : kFirstPage)
        if (s.*r.member)
            line(r.key, rangeText(*(s.*r.member)));
    if (s.bankersOn) {
        line("banker", numbersText(s.bankers));
        line("banker-hits", rangeText(s.bankerHits));
    }
    if (s.frontOn) {
        line("front", numbersText(s.front));
        line("front-hits", rangeText(s.frontHits));
    }
    for (const ExtraConditionInfo& info : extraConditions())
        if (const auto& range = s.extraRange(info.id))
            line(info.flag, rangeText(*range));
    if (s.tolerance != 0)
        line("tolerance", std::to_string(s.tolerance));
    if (!s.back.empty())
        line("back", numbersText(s.back));
    return text;
}

bool writeFilterScheme(const TotalFilterSettings& settings, const std::string& path, std::string& error)
{
    TextWriter writer(path, TextEncoding::Utf8);
    std::istringstream lines(filterSchemeText(settings));
    for (std::string line; std::getline(lines, line);)
        if (!writer.writeLine(line))
            break;
    if (!writer.commit()) {
        error = writer.error();
        return false;
    }
    return true;
}

FilterScheme readFilterScheme(const std::string& path, const FilterSpace& space)
{
    TextReader reader;
    if (!reader.open(path)) {
        FilterScheme scheme;
        scheme.error = reader.error();
        return scheme;
    }
    FilterScheme scheme;
    TotalFilterSettings& s = scheme.settings;
    std::optional<FilterRange> bankerHits, frontHits;
    std::size_t bankerHitsLine = 0, frontHitsLine = 0;
    std::string raw;
    while (reader.next(raw)) {
        const std::size_t at = reader.lineNumber();
        const std::string text = trimmed(raw);
        if (text.empty() || text.front() == '#')
            continue;
        const std::size_t equals = text.find('=');
        if (equals == std::string::npos)
            return refuse(at, "应为“名称 = 取值”");
        const std::string key = trimmed(text.substr(0, equals));
        const std::string value = trimmed(text.substr(equals + 1));
        if (std::find(scheme.keys.begin(), scheme.keys.end(), key) != scheme.keys.end())
            return refuse(at, "“" + key + "”出现了两次");
        const auto badValue = [&](const std::string& expected) {
            return refuse(at, "“" + key + "”的取值“" + value + "”不是" + expected);
        };
        const char* rangeWords = "“A-B”或“A”形式的范围（0 ≤ A ≤ B）";
        bool known = false;
        for (const FirstPageRange& r : kFirstPage)
            if (key == r.key) {
                known = true;
                if (!(s.*r.member = readRange(value)))
                    return badValue(rangeWords);
            }
        for (const ExtraConditionInfo& info : extraConditions())
            if (key == info.flag) {
                known = true;
                if (!(s.extraRange(info.id) = readRange(value)))
                    return badValue(rangeWords);
            }
        if (key == "banker" || key == "front") {
            known = true;
            const auto numbers = readNumbers(value, space.total);
            if (!numbers)
                return badValue("1-" + std::to_string(space.total) + " 中互不相同的号码");
            (key == "banker" ? s.bankers : s.front) = *numbers;
            (key == "banker" ? s.bankersOn : s.frontOn) = true;
        } else if (key == "banker-hits" || key == "front-hits") {
            known = true;
            auto& hits = key == "banker-hits" ? bankerHits : frontHits;
            if (!(hits = readRange(value)))
                return badValue(rangeWords);
            (key == "banker-hits" ? bankerHitsLine : frontHitsLine) = at;
        } else if (key == "back") {
            known = true;
            const auto numbers = readNumbers(value, space.backTotal);
            if (!numbers)
                return badValue("1-" + std::to_string(space.backTotal) + " 中互不相同的号码");
            s.back = *numbers;
        } else if (key == "tolerance") {
            known = true;
            const auto k = wholeNumber(value);
            if (!k)
                return badValue("不小于 0 的整数");
            s.tolerance = *k;
        }
        if (!known)
            return refuse(at, "不认识的条件“" + key + "”");
        scheme.keys.push_back(key);
    }
    if (reader.failed()) {
        scheme.error = reader.error();
        return scheme;
    }
    if (bankerHits && !s.bankersOn)
        return refuse(bankerHitsLine, "“banker-hits”要和“banker”一起给");
    if (frontHits && !s.frontOn)
        return refuse(frontHitsLine, "“front-hits”要和“front”一起给");
    s.bankerHits = bankerHits.value_or(FilterRange{1, 1});
    s.frontHits = frontHits.value_or(FilterRange{space.width, space.width});
    scheme.ok = true;
    return scheme;
}

std::string filterSettingsText(const TotalFilterSettings& s)
{
    std::vector<std::string> parts;
    for (const FirstPageRange& r : kFirstPage)
        if (s.*r.member)
            parts.push_back(std::string(r.name) + " " + shortRangeText(*(s.*r.member)));
    if (s.bankersOn)
        parts.push_back("胆码 " + numbersText(s.bankers) + " 中 " + shortRangeText(s.bankerHits));
    if (s.frontOn)
        parts.push_back("红球 " + numbersText(s.front) + " 中 " + shortRangeText(s.frontHits));
    for (const ExtraConditionInfo& info : extraConditions())
        if (const auto& range = s.extraRange(info.id))
            parts.push_back(std::string(info.name) + " " + shortRangeText(*range));
    if (s.tolerance != 0)
        parts.push_back("容错 " + std::to_string(s.tolerance));
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "，") + part;
    return text;
}

} // namespace quorlin

#include "filter/bet_list_reader.h"

#include "common/progress.h"
#include "common/text_reader.h"

#include <algorithm>
#include <array>
#include <map>

namespace quorlin {

std::string_view trimmedLine(std::string_view line)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!line.empty() && isBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back()))
        line.remove_suffix(1);
    return line;
}

int betListField(std::string_view line, std::size_t at, int limit)
{
    if (at + 2 > line.size())
        return 0;
    const char a = line[at];
    const char b = line[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return 0;
    const int n = (a - '0') * 10 + (b - '0');
    return n >= 1 && n <= limit ? n : 0;
}

namespace {

// The numbered form's "%.7d" line number and four blanks.
bool numberedPrefix(std::string_view line)
{
    if (line.size() <= 11 || line.substr(7, 4) != "    ")
        return false;
    return std::all_of(line.begin(), line.begin() + 7, [](char c) { return c >= '0' && c <= '9'; });
}

LoadedBetList refuse(std::size_t line, const std::string& reason)
{
    LoadedBetList result;
    result.error = "第 " + std::to_string(line) + " 行：" + reason + "。文件未载入。";
    return result;
}

} // namespace

LoadedBetList readBetList(const std::string& path, int frontTotal, int frontWidth, int backTotal, int backWidth,
                          std::size_t maxEntries, Progress* progress, bool numberedToo)
{
    TextReader reader;
    if (!reader.open(path)) {
        LoadedBetList result;
        result.error = reader.error();
        return result;
    }
    const auto fullLength = static_cast<std::size_t>(3 * (frontWidth + backWidth) - 1);
    bool readBacks = true;
    std::vector<std::uint8_t> fronts;
    std::vector<std::uint8_t> backs;
    std::map<std::array<std::uint8_t, 8>, std::uint16_t> backIndex;
    std::vector<std::uint32_t> lineFront;
    std::vector<std::uint16_t> lineBack;
    std::array<bool, 64> frontSeen{};
    std::array<bool, 64> backSeen{};
    std::array<std::uint8_t, 8> current{};
    std::array<std::uint8_t, 8> previous{};
    bool havePrevious = false;

    std::string raw;
    while (reader.next(raw)) {
        std::string_view line = trimmedLine(raw);
        if (line.empty())
            break;
        if (numberedToo && numberedPrefix(line))
            line.remove_prefix(11);
        const std::size_t no = reader.lineNumber();
        if (progress && no % 65536 == 0 && progress->cancelled())
            return refuse(no, "已停止");
        for (int i = 0; i < frontWidth; ++i) {
            const int n = betListField(line, static_cast<std::size_t>(3 * i), frontTotal);
            if (n == 0)
                return refuse(no, "第 " + std::to_string(i + 1) + " 个前区号码应为 01-" + std::to_string(frontTotal) +
                                      " 的两位数字");
            if (i > 0 && n <= current[static_cast<std::size_t>(i - 1)])
                return refuse(no, "前区号码应从小到大排列且互不相同");
            current[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(n);
        }
        if (line.size() < fullLength)
            readBacks = false;
        std::uint16_t back = BetList::kNoBack;
        if (readBacks) {
            std::array<std::uint8_t, 8> tuple{};
            for (int i = 0; i < backWidth; ++i) {
                const int n = betListField(line, static_cast<std::size_t>(3 * (frontWidth + i)), backTotal);
                if (n == 0)
                    return refuse(no, "第 " + std::to_string(i + 1) + " 个后区号码应为 01-" + std::to_string(backTotal) +
                                          " 的两位数字");
                tuple[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(n);
                backSeen[static_cast<std::size_t>(n)] = true;
            }
            const auto [it, added] = backIndex.emplace(tuple, static_cast<std::uint16_t>(backIndex.size()));
            if (added)
                backs.insert(backs.end(), tuple.begin(), tuple.begin() + backWidth);
            back = it->second;
        }
        // Consecutive lines with the same front part make one working entry.
        if (!havePrevious || !std::equal(current.begin(), current.begin() + frontWidth, previous.begin())) {
            if (fronts.size() / static_cast<std::size_t>(frontWidth) >= maxEntries)
                return refuse(no, "不同的前区组合超过 " + std::to_string(maxEntries) + " 个");
            fronts.insert(fronts.end(), current.begin(), current.begin() + frontWidth);
            for (int i = 0; i < frontWidth; ++i)
                frontSeen[current[static_cast<std::size_t>(i)]] = true;
            previous = current;
            havePrevious = true;
        }
        lineFront.push_back(static_cast<std::uint32_t>(fronts.size() / static_cast<std::size_t>(frontWidth) - 1));
        lineBack.push_back(back);
    }
    if (reader.failed()) {
        LoadedBetList result;
        result.error = reader.error();
        return result;
    }

    LoadedBetList result;
    result.ok = true;
    result.frontWidth = frontWidth;
    for (int n = 1; n <= frontTotal; ++n)
        if (frontSeen[static_cast<std::size_t>(n)])
            result.frontNumbers.push_back(n);
    // The back numbers read before the first line too short to hold them.
    for (int n = 1; n <= backTotal; ++n)
        if (backSeen[static_cast<std::size_t>(n)])
            result.backNumbers.push_back(n);
    result.lines = BetList::lines(frontWidth, fronts, backWidth, std::move(backs), std::move(lineFront), std::move(lineBack));
    result.fronts = std::move(fronts);
    return result;
}

} // namespace quorlin

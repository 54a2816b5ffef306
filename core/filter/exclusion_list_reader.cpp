#include "filter/exclusion_list_reader.h"

#include "common/progress.h"
#include "common/text_reader.h"
#include "filter/bet_list_reader.h"

#include <algorithm>

namespace quorlin {

namespace {

constexpr std::size_t kRecentEntries = 100;

LoadedExclusionList refuse(std::size_t line, const std::string& reason)
{
    LoadedExclusionList result;
    result.error = "第 " + std::to_string(line) + " 行：" + reason + "。文件未载入。";
    return result;
}

} // namespace

LoadedExclusionList readExclusionList(const std::string& path, int total, int width, std::size_t maxEntries,
                                      Progress* progress)
{
    TextReader reader;
    LoadedExclusionList result;
    if (!reader.open(path)) {
        result.error = reader.error();
        return result;
    }
    const auto w = static_cast<std::size_t>(width);
    std::vector<std::uint8_t>& fronts = result.fronts;
    std::vector<std::uint8_t> current(w);
    std::string raw;
    while (reader.next(raw)) {
        const std::string_view line = trimmedLine(raw);
        const std::size_t no = reader.lineNumber();
        if (progress && no % 65536 == 0 && progress->cancelled())
            return refuse(no, "已停止");
        if (line.empty())
            continue;
        for (std::size_t i = 0; i < w; ++i) {
            const int n = betListField(line, 3 * i, total);
            if (n == 0)
                return refuse(no, "第 " + std::to_string(i + 1) + " 个号码应为 01-" + std::to_string(total) +
                                      " 的两位数字");
            if (i > 0 && n <= current[i - 1])
                return refuse(no, "号码应从小到大排列且互不相同");
            current[i] = static_cast<std::uint8_t>(n);
        }
        // Compared with the newest entries only: a repeat further back becomes an entry again.
        const std::size_t entries = fronts.size() / w;
        bool repeat = false;
        for (std::size_t back = 1; back <= std::min(entries, kRecentEntries) && !repeat; ++back)
            repeat = std::equal(current.begin(), current.end(),
                                fronts.begin() + static_cast<std::ptrdiff_t>((entries - back) * w));
        if (repeat)
            continue;
        if (entries >= maxEntries)
            return refuse(no, "号码超过 " + std::to_string(maxEntries) + " 注");
        fronts.insert(fronts.end(), current.begin(), current.end());
    }
    if (reader.failed()) {
        result.error = reader.error();
        result.fronts.clear();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace quorlin

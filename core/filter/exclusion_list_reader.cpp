#include "filter/exclusion_list_reader.h"

#include "common/progress.h"
#include "filter/bet_line_reader.h"

#include <algorithm>

namespace quorlin {

namespace {

constexpr std::size_t kRecentEntries = 100;

LoadedExclusionList refuse(const std::string& error)
{
    LoadedExclusionList result;
    result.error = error + "。文件未载入。";
    return result;
}

} // namespace

LoadedExclusionList readExclusionList(const std::string& path, const TicketShape& shape, std::size_t maxEntries,
                                      Progress* progress)
{
    BetLineReader reader(shape, BetLineOptions{.frontsOnly = true});
    const int width = shape.frontWidth;
    if (!reader.open(path))
        return refuse(reader.error());
    const auto w = static_cast<std::size_t>(width);
    LoadedExclusionList result;
    std::vector<std::uint8_t>& fronts = result.fronts;
    BetLine bet;
    for (std::size_t read = 0; reader.next(bet); ++read) {
        const std::string where = "第 " + std::to_string(reader.lineNumber()) + " 行：";
        if (progress && read % 65536 == 0 && progress->cancelled())
            return refuse(where + "已停止");
        // Compared with the newest entries only: a repeat further back becomes an entry again.
        const std::size_t entries = fronts.size() / w;
        bool repeat = false;
        for (std::size_t back = 1; back <= std::min(entries, kRecentEntries) && !repeat; ++back)
            repeat = std::equal(bet.front.begin(), bet.front.begin() + width,
                                fronts.begin() + static_cast<std::ptrdiff_t>((entries - back) * w));
        if (repeat)
            continue;
        if (entries >= maxEntries)
            return refuse(where + "号码超过 " + std::to_string(maxEntries) + " 注");
        fronts.insert(fronts.end(), bet.front.begin(), bet.front.begin() + width);
    }
    if (reader.failed())
        return refuse(reader.error());
    result.ok = true;
    return result;
}

} // namespace quorlin

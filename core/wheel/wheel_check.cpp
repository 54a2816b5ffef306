#include "wheel/wheel_check.h"

#include "wheel/subsets.h"

#include <algorithm>
#include <bit>

namespace quorlin {

std::string guaranteeText(int ok, int guarantee)
{
    return "中" + std::to_string(ok) + "保" + std::to_string(guarantee);
}

WheelCheck checkWheel(const Wheel& wheel, int basic, int ok, int guarantee, std::size_t keepHoles)
{
    WheelCheck check;
    if (basic < 1 || basic > 32)
        check.error = "基本号码个数应为1到32";
    else if (ok < 1 || ok > basic)
        check.error = "选对号码数应为1到基本号码个数";
    else if (guarantee < 1 || guarantee > ok || guarantee > wheel.width)
        check.error = "保中号码数不能大于选对号码数和每注的号码数";
    if (!check.error.empty())
        return check;
    // Every draw meets every line: bound the work so that a large file cannot hold the program.
    std::uint64_t subsets = 1;
    for (int i = 1; i <= ok; ++i)
        subsets = subsets * static_cast<std::uint64_t>(basic - ok + i) / static_cast<std::uint64_t>(i);
    if (subsets * std::max<std::uint64_t>(wheel.lines(), 1) > kMaxWheelCheckWork) {
        check.error = "矩阵检查的计算量太大（" + std::to_string(subsets) + "种开奖 × " + std::to_string(wheel.lines()) +
                      "注），请减少基本号码数、选对号码数或矩阵的注数";
        return check;
    }

    std::vector<std::uint32_t> lines;
    for (std::size_t i = 0; i < wheel.lines(); ++i) {
        std::uint32_t mask = 0;
        for (int k = 0; k < wheel.width; ++k)
            mask |= 1u << (wheel.line(i)[k] - 1);
        lines.push_back(mask);
    }
    forEachSubset(basic, ok, [&](std::uint32_t draw) {
        ++check.draws;
        for (const std::uint32_t line : lines)
            if (std::popcount(line & draw) >= guarantee)
                return;
        ++check.holeCount;
        if (check.holes.size() < keepHoles)
            check.holes.push_back(subsetPositions(draw));
    });
    return check;
}

} // namespace quorlin

#include "wheel/wheel_names.h"

#include <array>
#include <cstdio>

namespace quorlin {

std::string chineseDigit(int n)
{
    static const std::array<const char*, 7> digits{"一", "二", "三", "四", "五", "六", "七"};
    return n >= 1 && n <= 7 ? digits[static_cast<std::size_t>(n - 1)] : "";
}

std::optional<std::string> wheelFileName(const WheelSettings& s)
{
    const int drag = s.bankerAndDrag ? s.bankers : 0;
    if (s.selection - drag < 1)
        return std::nullopt;
    char basic[16];
    std::snprintf(basic, sizeof basic, "%.2d", s.basic);
    return "选" + chineseDigit(s.selection - drag) + "型" + basic + "码中" + std::to_string(s.ok - drag) + "保" +
           std::to_string(s.guarantee - drag) + ".txt";
}

std::string betFileName(const WheelSettings& s)
{
    const std::string kind = "选" + chineseDigit(s.selection) + "型";
    const std::string guarantee = "中" + std::to_string(s.ok) + "保" + std::to_string(s.guarantee) + "投注号码.txt";
    if (s.bankerAndDrag)
        return kind + std::to_string(s.bankers) + "胆" + std::to_string(s.basic) + "拖" + guarantee;
    return kind + std::to_string(s.basic) + "码" + guarantee;
}

} // namespace quorlin

#include "store/prize_results.h"

namespace quorlin {

const PublishedPrize* DrawResults::find(const std::string& level) const
{
    for (const PublishedPrize& p : prizes)
        if (p.level == level)
            return &p;
    return nullptr;
}

const DrawResults* PrizeResults::find(int issue) const
{
    const auto it = draws.find(issue);
    return it == draws.end() ? nullptr : &it->second;
}

bool isBonusLevel(const std::string& level)
{
    return level.find("派奖") != std::string::npos;
}

std::string extraLevelName(const std::string& level)
{
    return level + "(追加)";
}

} // namespace quorlin

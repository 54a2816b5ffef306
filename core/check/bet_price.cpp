#include "check/bet_price.h"

namespace quorlin {

std::uint64_t betCost(std::uint64_t bets, bool extra)
{
    return bets * (extra ? kExtraBetPrice : kBetPrice);
}

std::string betPriceText()
{
    return "每注" + std::to_string(kBetPrice) + "元，追加" + std::to_string(kExtraBetPrice) + "元";
}

std::string betCostText(std::uint64_t bets, bool extra)
{
    return "共" + std::to_string(bets) + "注，金额" + std::to_string(betCost(bets, extra)) + "元";
}

} // namespace quorlin

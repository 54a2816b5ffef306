#include "check/bet_price.h"

#include "common/money_text.h"

#include <cstdint>

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
    // A cost past 64 bits (more bets than any list holds) would wrap: it reads as unknown.
    const std::uint64_t price = extra ? kExtraBetPrice : kBetPrice;
    const std::string cost = bets > static_cast<std::uint64_t>(INT64_MAX) / price
                                 ? std::string("过大")
                                 : yuanFullText(static_cast<std::int64_t>(bets * price));
    return "共" + countFullText(bets, "注") + "，金额" + cost;
}

namespace {

std::string oneZoneCostText(std::uint64_t combinations, const char* zone, const char* other)
{
    return "共" + countFullText(combinations, std::string("个") + zone + "组合") + "，配" + other + "后每注" +
           std::to_string(kBetPrice) + "元";
}

} // namespace

std::string frontOnlyCostText(std::uint64_t fronts)
{
    return oneZoneCostText(fronts, "前区", "后区");
}

std::string backOnlyCostText(std::uint64_t backs)
{
    return oneZoneCostText(backs, "后区", "前区");
}

} // namespace quorlin

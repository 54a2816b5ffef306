#pragma once

#include <cstdint>
#include <string>

namespace quorlin {

/// The price of one bet in 元, and of one with 追加投注.
inline constexpr std::uint64_t kBetPrice = 2;
inline constexpr std::uint64_t kExtraBetPrice = 3;

/// What `bets` bets cost, in 元; `extra` with 追加投注.
std::uint64_t betCost(std::uint64_t bets, bool extra = false);
/// The prices as the windows state them: "每注2元，追加3元".
std::string betPriceText();
/// The count and cost of a bet list as every window showing one writes it: "共1,234注，金额2,468元".
std::string betCostText(std::uint64_t bets, bool extra = false);
/// The count of a list of front combinations without back numbers, which are no bets yet, and
/// what a bet costs once each is paired with back numbers: "共10,000个前区组合，配后区后每注2元".
std::string frontOnlyCostText(std::uint64_t fronts);
/// The same for back combinations without front numbers: "共6个后区组合，配前区后每注2元".
std::string backOnlyCostText(std::uint64_t backs);

} // namespace quorlin

#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace quorlin {

struct LotteryState;
struct Tdatamod;

/// At most this many draws, the newest, are loaded when a lottery is opened.
inline constexpr int kMaxDraws = 20000;

/// Opens the lottery connection and the draw cursor over the newest kMaxDraws draws of
/// `state.cainame`, leaving older draws in the table untouched (opening never writes, so a
/// read-only database opens), sets recnum, clears bianhuan and forgets the transformed
/// mapping of the previous history (hisbian, bianperm, bianrank). Throws DatabaseError.
void loadlottery(LotteryState& state, Tdatamod& datamod);

/// Rows of the combination space: caisum^k for a digit-type lottery, else C(n, k).
std::int32_t combin(const LotteryState& state, std::int32_t n, std::int32_t k);
/// The plain binomial coefficient C(n, k); 0 when 0 <= n < k, 1 when k <= 0.
std::int32_t choose(std::int32_t n, std::int32_t k);
/// 1-based lexicographic rank of an ascending combination of caisel numbers out of caisum.
std::int32_t combrank(const LotteryState& state, std::span<const std::int32_t> numbers);

/// Calls `visit` with every ascending combination of `count` numbers out of 1..`total`, in the
/// combination order (first number varying slowest). `visit` gets a span of `count` numbers.
void forEachCombination(int total, int count, const std::function<void(std::span<const std::int32_t>)>& visit);

/// Looks up an environment variable; tests hand in their own.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string&)>;

/// The user's shell folder of that name; only "Desktop" is known (the XDG desktop folder).
/// Empty when the name is unknown or the folder does not exist.
std::string getshellfolder(const std::string& name);
std::string getshellfolder(const std::string& name, const EnvironmentLookup& env);

} // namespace quorlin

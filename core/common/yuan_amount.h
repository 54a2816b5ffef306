#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorlin {

// Published money (prize amounts, sales, the prize pool) is kept exact in 分 (1/100 元).

/// "6547013", "817,996,545.38", "3316339129.3", "7.5" → 分; commas may group the whole 元 in
/// threes. Nothing for anything else (a sign, a third decimal, stray characters, an empty text,
/// a value past 64 bits).
std::optional<std::int64_t> parseYuan(std::string_view text);

/// 分 as 元 the way the published tables write them: whole 元 without decimals ("6547013"),
/// otherwise one or two decimals without a trailing zero ("3316339129.3", "725321799.11").
std::string yuanText(std::int64_t fen);

} // namespace quorlin

#pragma once

#include "filter/total_filter.h"

#include <string>
#include <vector>

namespace quorlin {

/// The folder below the program directory where the total filter keeps its named schemes, one
/// file "<name>.txt" each.
inline constexpr const char* kSchemeFolder = "过滤方案";

/// A scheme read back: the settings it holds and the keys it gave, in file order.
struct FilterScheme {
    bool ok = false;
    std::string error; ///< "第 N 行：" and what is wrong
    TotalFilterSettings settings;
    std::vector<std::string> keys;
};

/// The text of a scheme: every condition of the settings as one "key = value" line, the keys being
/// the command-line flags without their dashes ("sum = 70-110", "banker = 03 12",
/// "banker-hits = 0-1", "front = 01 02 …", "front-hits = 3-5", "tolerance = 1",
/// "back = 01 02 03"), in the window's order.
std::string filterSchemeText(const TotalFilterSettings& settings);

/// Writes the scheme (UTF-8, CR LF) through a scratch file that replaces `path` only when complete.
bool writeFilterScheme(const TotalFilterSettings& settings, const std::string& path, std::string& error);

/// Reads a scheme: blank lines and lines from "#" are skipped; every other line is "key = value"
/// with a known key given once, a range "A-B" or "A" (0 ≤ A ≤ B), numbers within the game
/// (`space`), a tolerance ≥ 0. Refused whole, naming the line, otherwise.
FilterScheme readFilterScheme(const std::string& path, const FilterSpace& space);

/// The settings in one line, as the total filter lists its steps:
/// "和值 70-110，连号对数 1，胆码 03 12 中 0-1，容错 1".
std::string filterSettingsText(const TotalFilterSettings& settings);

} // namespace quorlin

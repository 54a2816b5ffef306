#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

/// What a CSV file starts with, so that spreadsheet programs read it as UTF-8.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

/// One record of CSV (without its line end): fields joined by commas, a field holding a comma,
/// quote, CR or LF quoted with its quotes doubled.
std::string csvRecord(const std::vector<std::string>& fields);

} // namespace quorlin

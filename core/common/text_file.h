#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

/// Reads a text file as lines without their CR/LF ends; a leading UTF-8 byte-order mark is dropped.
/// Returns nothing when the file cannot be read.
std::optional<std::vector<std::string>> readTextLines(const std::string& path);

/// Splits a line at commas, blanks and tabs; empty fields between separators are dropped.
std::vector<std::string_view> splitFields(std::string_view line);

/// True when the text is not empty and holds only the digits 0-9.
bool isAllDigits(std::string_view text);

} // namespace quorlin

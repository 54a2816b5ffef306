#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

class Progress;

/// Reads a whole small text file (UTF-8 or GBK) as UTF-8 lines through TextReader.
/// Returns nothing when the file cannot be read; large files are read with TextReader directly.
std::optional<std::vector<std::string>> readTextLines(const std::string& path);
/// As above, saying in `error` why the file could not be read; a stop through `progress` (checked
/// every few thousand lines) ends it with nothing and "已停止".
std::optional<std::vector<std::string>> readTextLines(const std::string& path, std::string& error,
                                                      const Progress* progress = nullptr);

/// Splits a line at commas, blanks and tabs; empty fields between separators are dropped.
std::vector<std::string_view> splitFields(std::string_view line);
/// The fields would point into a string destroyed at the end of the call's statement.
std::vector<std::string_view> splitFields(std::string&& line) = delete;

/// True when the text is not empty and holds only the digits 0-9.
bool isAllDigits(std::string_view text);

} // namespace quorlin

namespace quorlin {

/// Writes `lines` as one of the program's text files (GBK, CR LF), replacing the file only when
/// complete; false with `error` set when it cannot be written.
bool writeTextLines(const std::string& path, const std::vector<std::string>& lines, std::string& error);

} // namespace quorlin

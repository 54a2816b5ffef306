#include "common/text_file.h"

#include "common/progress.h"
#include "common/text_reader.h"
#include "common/text_writer.h"

#include <algorithm>

namespace quorlin {

std::optional<std::vector<std::string>> readTextLines(const std::string& path)
{
    std::string error;
    return readTextLines(path, error);
}

std::optional<std::vector<std::string>> readTextLines(const std::string& path, std::string& error,
                                                      const Progress* progress)
{
    TextReader reader;
    std::vector<std::string> lines;
    std::string line;
    if (reader.open(path)) {
        while (reader.next(line)) {
            lines.push_back(line);
            if (progress && lines.size() % 65536 == 0 && progress->cancelled()) {
                error = "已停止";
                return std::nullopt;
            }
        }
    }
    if (reader.failed()) {
        error = reader.error();
        return std::nullopt;
    }
    return lines;
}

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t start = line.find_first_not_of(", \t", pos);
        if (start == std::string_view::npos)
            break;
        std::size_t end = line.find_first_of(", \t", start);
        if (end == std::string_view::npos)
            end = line.size();
        fields.push_back(line.substr(start, end - start));
        pos = end;
    }
    return fields;
}

bool isAllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

} // namespace quorlin

namespace quorlin {

bool writeTextLines(const std::string& path, const std::vector<std::string>& lines, std::string& error)
{
    TextWriter writer(path);
    for (const std::string& line : lines)
        writer.writeLine(line);
    if (writer.commit())
        return true;
    error = writer.error();
    return false;
}

} // namespace quorlin

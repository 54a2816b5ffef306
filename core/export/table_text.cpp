#include "export/table_export.h"

namespace quorlin {

namespace {

std::vector<std::string> splitTabs(std::string_view line)
{
    std::vector<std::string> cells;
    for (;;) {
        const std::size_t tab = line.find('\t');
        cells.emplace_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return cells;
        line.remove_prefix(tab + 1);
    }
}

} // namespace

ExportTable tableFromTabText(const std::string& text, const std::string& title)
{
    ExportTable table;
    table.title = title;
    std::string_view rest = text;
    bool first = true;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (first) {
            table.headers = splitTabs(line);
            first = false;
        } else {
            table.rows.push_back(splitTabs(line));
        }
    }
    return table;
}

} // namespace quorlin

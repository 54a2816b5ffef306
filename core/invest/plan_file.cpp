#include "invest/plan_file.h"

#include "common/text_file.h"
#include "invest/money.h"

namespace quorlin {

const char* planFileName(PlanKind kind)
{
    switch (kind) {
    case PlanKind::Fixed:
        return "固定投资计划表.txt";
    case PlanKind::Staged:
        return "阶段投资计划表.txt";
    case PlanKind::Variable:
        break;
    }
    return "可变投资计划表.txt";
}

int planHeaderLines(PlanKind kind)
{
    return kind == PlanKind::Fixed ? 5 : 6;
}

bool writePlanFile(const std::string& path, const std::vector<std::string>& header,
                   const std::vector<std::vector<std::string>>& rows, std::string& error)
{
    std::vector<std::string> lines = header;
    for (const auto& row : rows)
        lines.insert(lines.end(), row.begin(), row.end());
    return writeTextLines(path, lines, error);
}

PlanLoad loadPlanFile(const std::string& path, PlanStore& store)
{
    PlanLoad load;
    const auto lines = readTextLines(path, load.refusal);
    if (!lines)
        return load;
    const auto headerLines = static_cast<std::size_t>(planHeaderLines(store.kind()));
    // A short file reads as empty lines, as past the end of any text file.
    load.header.assign(lines->begin(),
                       lines->begin() + static_cast<std::ptrdiff_t>(std::min(headerLines, lines->size())));
    load.header.resize(headerLines);
    load.days = toInt32(load.header[4]);
    if (store.kind() != PlanKind::Variable && load.days <= 0) {
        load.refusal = "投注期数必须大于0！";
        return load;
    }
    const auto columns = static_cast<std::size_t>(store.columns());
    const std::size_t days = load.days > 0 ? static_cast<std::size_t>(load.days) : 0;
    if (lines->size() > headerLines + days * columns) {
        load.refusal = "第" + std::to_string(headerLines + days * columns + 1) + "行超出了投注期数" +
                       std::to_string(load.days) + "期的计划，无法载入！";
        return load;
    }

    store.resize(days);
    for (std::size_t i = headerLines; i < lines->size(); ++i) {
        const std::size_t r = (i - headerLines) / columns;
        const std::size_t c = (i - headerLines) % columns;
        const auto value = parseWholeNumber((*lines)[i]);
        if (!value) {
            if (store.kind() == PlanKind::Fixed)
                load.stoppedAt = i + 1;
            else
                load.error = "第" + std::to_string(i + 1) + "行：" + WholeNumberError((*lines)[i]).what();
            break;
        }
        if (c == 0)
            load.rows.emplace_back();
        load.rows.back().push_back((*lines)[i]);
        store.row(r)[c] = *value;
        if (c + 1 == columns)
            ++load.completeRows;
    }
    return load;
}

} // namespace quorlin

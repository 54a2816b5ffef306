#include "store/stored_draws.h"

#include "store/database.h"
#include "store/draw_line_parser.h"
#include "store/his_text.h"
#include "store/schema.h"

namespace quorlin {

namespace {

constexpr int kFront = 5;
constexpr int kNumbers = 7;

} // namespace

StoredDraws readStoredDraws(Database& db, const std::string& lottery)
{
    StoredDraws draws;
    Statement st(db, "select 记录期号,[1],[2],[3],[4],[5],[6],[7],开奖日期 from " +
                         quoteIdentifier(drawTableName(lottery)));
    while (st.step()) {
        StoredDraw& stored = draws[st.text(0)];
        for (int k = 0; k < kNumbers; ++k)
            stored.numbers[static_cast<std::size_t>(k)] = st.integer(k + 1);
        stored.date = st.text(8);
    }
    return draws;
}

bool sameDraw(const StoredDraw& stored, const ImportedDraw& draw, bool compareDate)
{
    for (int k = 0; k < kNumbers; ++k) {
        if (stored.numbers[static_cast<std::size_t>(k)] != draw.numbers[static_cast<std::size_t>(k)])
            return false;
    }
    if (!compareDate)
        return true;
    std::int32_t date = 0;
    return parseDrawDate(stored.date, date) && date == draw.date;
}

std::string storedDrawText(const StoredDraw& stored)
{
    int values[kNumbers];
    for (int k = 0; k < kNumbers; ++k)
        values[k] = static_cast<int>(stored.numbers[static_cast<std::size_t>(k)]);
    return stored.date + " " + formatDrawText(values, kFront, values + kFront, kNumbers - kFront);
}

void appendDraws(Database& db, const std::string& lottery, const std::vector<ImportedDraw>& draws)
{
    Statement insert(db, "insert into " + quoteIdentifier(drawTableName(lottery)) +
                             "(记录期号,[1],[2],[3],[4],[5],[6],[7],开奖日期) values (?1,?2,?3,?4,?5,?6,?7,?8,?9)");
    for (const ImportedDraw& draw : draws) {
        insert.reset();
        insert.bind(1, draw.issueText());
        for (int k = 0; k < kNumbers; ++k)
            insert.bind(2 + k, std::int64_t{draw.numbers[static_cast<std::size_t>(k)]});
        insert.bind(9, draw.dateText());
        insert.step();
    }
}

} // namespace quorlin

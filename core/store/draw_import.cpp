#include "store/draw_import.h"

#include "common/text_reader.h"
#include "store/database.h"
#include "store/draw_cursor.h"
#include "store/draw_line_parser.h"
#include "store/stored_draws.h"

#include <unordered_map>

namespace quorlin {

namespace {

constexpr int kNumbers = 7;

std::string refusal(const std::string& reason)
{
    return reason + "。文件未导入。";
}

std::string lineRefusal(std::size_t line, const std::string& reason)
{
    return refusal("第 " + std::to_string(line) + " 行：" + reason);
}

/// One import into one lottery: holds the transaction, the stored draws and the new draws while
/// the file's lines stream through it.
class DrawImporter {
public:
    DrawImporter(Database& db, const std::string& lottery, std::int32_t today)
        : db_(checkedTable(db, lottery)), lottery_(lottery), tx_(db_), stored_(readStoredDraws(db_, lottery)),
          parser_(today)
    {
    }

    /// Takes the next line; returns the refusal of the whole file, or an empty text.
    std::string addLine(std::string_view line, std::size_t number)
    {
        ImportedDraw draw;
        std::string reason;
        switch (parser_.parse(line, draw, reason)) {
        case DrawLineParser::Kind::Blank:
        case DrawLineParser::Kind::Header:
            return {};
        case DrawLineParser::Kind::Refused:
            return lineRefusal(number, reason);
        case DrawLineParser::Kind::Draw:
            break;
        }
        if (auto [seen, isNew] = fileIssues_.try_emplace(draw.issue, number); !isNew)
            return lineRefusal(number,
                               "期号 " + draw.issueText() + " 在第 " + std::to_string(seen->second) + " 行已经出现");
        const bool dated = draw.date != 0;
        const auto stored = stored_.find(draw.issueText());
        if (stored == stored_.end()) {
            if (!dated)
                return lineRefusal(number, "期号 " + draw.issueText() + " 尚未存储，新的开奖号码要写明开奖日期");
            added_.push_back(draw);
            return {};
        }
        // A line without a date (the history export's form) is matched by its numbers alone.
        if (!sameDraw(stored->second, draw, dated))
            return lineRefusal(number, "期号 " + draw.issueText() + " 已存为 " + storedDrawText(stored->second) +
                                           "，文件中却是 " + draw.text());
        ++skipped_;
        return {};
    }

    /// Writes the new draws and commits; returns the result of the whole import.
    ImportResult finish()
    {
        if (added_.empty() && skipped_ == 0)
            return ImportResult{false, 0, 0, refusal("文件中没有开奖号码（空文件，或只有标题行）")};
        appendDraws(db_, lottery_, added_);
        tx_.commit();
        return ImportResult{true, static_cast<int>(added_.size()), skipped_, {}};
    }

private:
    // An unknown lottery or a table of another shape is refused before anything is locked.
    static Database& checkedTable(Database& db, const std::string& lottery)
    {
        verifyDrawTable(db, lottery, kNumbers);
        return db;
    }

    Database& db_;
    std::string lottery_;
    Transaction tx_;
    StoredDraws stored_;
    std::unordered_map<std::int32_t, std::size_t> fileIssues_;
    DrawLineParser parser_;
    std::vector<ImportedDraw> added_;
    int skipped_ = 0;
};

ImportResult failure(std::string error)
{
    return ImportResult{false, 0, 0, std::move(error)};
}

} // namespace

ImportResult importDrawLines(Database& db, const std::string& lottery, const std::vector<std::string>& lines,
                             std::int32_t today)
{
    try {
        DrawImporter importer(db, lottery, today);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (std::string refused = importer.addLine(lines[i], i + 1); !refused.empty())
                return failure(refused);
        }
        return importer.finish();
    } catch (const DatabaseError& e) {
        return failure(e.what());
    }
}

ImportResult importDraws(Database& db, const std::string& lottery, const std::string& path, std::int32_t today)
{
    TextReader reader;
    if (!reader.open(path))
        return failure(refusal(reader.error()));
    try {
        DrawImporter importer(db, lottery, today);
        std::string line;
        while (reader.next(line)) {
            if (std::string refused = importer.addLine(line, reader.lineNumber()); !refused.empty())
                return failure(refused);
        }
        if (reader.failed())
            return failure(refusal(reader.error()));
        return importer.finish();
    } catch (const DatabaseError& e) {
        return failure(e.what());
    }
}

} // namespace quorlin

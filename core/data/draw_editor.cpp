#include "data/draw_editor.h"

#include "common/text_encoding.h"
#include "store/database.h"
#include "store/draw_cursor.h"
#include "store/draw_line_parser.h"
#include "store/schema.h"

#include <algorithm>

namespace quorlin {

namespace {

constexpr int kNumbers = 7;
constexpr int kDateColumn = DrawEditor::kColumns - 1;

// The cells as SQL: 记录期号,"1",…,"7",开奖日期.
std::string columnList()
{
    std::string list;
    for (const std::string& name : DrawEditor::columnNames()) {
        if (!list.empty())
            list += ',';
        list += quoteIdentifier(name);
    }
    return list;
}

// A typed cell without the blanks around it.
std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The cells of a checked draw as the table stores them.
DrawEditor::Cells storedCells(const ImportedDraw& draw)
{
    DrawEditor::Cells cells;
    cells[0] = draw.issueText();
    for (int k = 0; k < kNumbers; ++k)
        cells[static_cast<std::size_t>(1 + k)] = std::to_string(draw.numbers[static_cast<std::size_t>(k)]);
    cells[kDateColumn] = draw.dateText();
    return cells;
}

/// Announces a reset of all rows for as long as it lives, also when the work inside throws.
class ResetScope {
public:
    explicit ResetScope(DrawEditorObserver* observer) : observer_(observer)
    {
        if (observer_)
            observer_->beginReset();
    }
    ~ResetScope()
    {
        if (observer_)
            observer_->endReset();
    }
    ResetScope(const ResetScope&) = delete;
    ResetScope& operator=(const ResetScope&) = delete;

private:
    DrawEditorObserver* observer_;
};

} // namespace

DrawEditor::DrawEditor(Database& db, Today today) : db_(db), today_(today) {}

const DrawEditor::Cells& DrawEditor::columnNames()
{
    static const Cells names{"记录期号", "1", "2", "3", "4", "5", "6", "7", "开奖日期"};
    return names;
}

void DrawEditor::open(const std::string& lottery)
{
    ResetScope reset(observer_);
    forget();
    verifyDrawTable(db_, lottery, kNumbers);
    table_ = quoteIdentifier(drawTableName(lottery));
    readRows();
    lottery_ = lottery;
    active_ = true;
    current_ = rowCount() - 1;
}

void DrawEditor::close()
{
    ResetScope reset(observer_);
    forget();
}

void DrawEditor::forget()
{
    active_ = false;
    rows_.clear();
    current_ = -1;
    state_ = State::Browse;
    lottery_.clear();
}

void DrawEditor::readRows()
{
    std::vector<Row> rows;
    Statement st(db_, "select rowid," + columnList() + " from " + table_ + " order by 记录期号");
    while (st.step()) {
        Row& row = rows.emplace_back();
        row.rowid = st.integer(0);
        for (int c = 0; c < kColumns; ++c)
            row.cells[static_cast<std::size_t>(c)] = st.text(c + 1);
    }
    rows_ = std::move(rows);
}

const std::string& DrawEditor::cell(int row, int column) const
{
    const auto c = static_cast<std::size_t>(column);
    return state_ != State::Browse && row == current_ ? pending_[c] : rows_[static_cast<std::size_t>(row)].cells[c];
}

bool DrawEditor::modified() const
{
    switch (state_) {
    case State::Browse:
        return false;
    case State::Edit:
        return pending_ != rows_[static_cast<std::size_t>(current_)].cells;
    case State::Insert:
        return pending_ != Cells{};
    }
    return false;
}

std::string DrawEditor::moveTo(int row)
{
    if (row == current_)
        return {};
    if (std::string refused = post(); !refused.empty())
        return refused;
    current_ = rows_.empty() ? -1 : std::clamp(row, 0, rowCount() - 1);
    return {};
}

void DrawEditor::edit()
{
    if (!active_ || state_ != State::Browse)
        return;
    if (rows_.empty()) {
        // Nothing to correct yet: the user starts with the first draw.
        append();
        return;
    }
    pending_ = rows_[static_cast<std::size_t>(current_)].cells;
    state_ = State::Edit;
}

void DrawEditor::setCell(int column, std::string text)
{
    edit();
    if (state_ == State::Browse)
        return;
    pending_[static_cast<std::size_t>(column)] = std::move(text);
    notifyRowChanged(current_);
}

std::string DrawEditor::append()
{
    if (!active_)
        return {};
    if (std::string refused = post(); !refused.empty())
        return refused;
    const int row = rowCount();
    if (observer_)
        observer_->beginInsertRow(row);
    rows_.emplace_back();
    current_ = row;
    pending_ = Cells{};
    state_ = State::Insert;
    if (observer_)
        observer_->endInsertRow();
    return {};
}

std::string DrawEditor::post()
{
    if (state_ == State::Browse)
        return {};
    if (!modified()) {
        cancel();
        return {};
    }
    DrawFields typed{trimmed(pending_[0]), trimmed(pending_[kDateColumn]), {}};
    for (int k = 0; k < kNumbers; ++k)
        typed.numbers[static_cast<std::size_t>(k)] = trimmed(pending_[static_cast<std::size_t>(1 + k)]);
    ImportedDraw draw;
    if (std::string reason = parseDrawFields(typed, IssueForm::Full, today_(), draw); !reason.empty())
        return reason;

    Row& row = rows_[static_cast<std::size_t>(current_)];
    const bool inserting = state_ == State::Insert;
    const Cells stored = storedCells(draw);
    // A correction keeps the draw it corrects: another issue would put a new draw in its place.
    if (!inserting && stored[0] != row.cells[0])
        return "期号" + quotedExcerpt(row.cells[0]) + "不能改为 " + stored[0] +
               "：新的一期请按“+”添加，期号有误请删除这一期后重新添加";
    Transaction tx(db_);
    {
        // Every analysis indexes the history by issue: one issue, one draw.
        Statement taken(db_, "select 1 from " + table_ + " where 记录期号 = ?1 and (?2 is null or rowid <> ?2)");
        taken.bind(1, stored[0]);
        if (inserting)
            taken.bindNull(2);
        else
            taken.bind(2, row.rowid);
        if (taken.step())
            return "期号 " + stored[0] + " 已经存在，不能重复";
    }
    std::int64_t rowid = row.rowid;
    {
        std::string sql;
        if (inserting) {
            sql = "insert into " + table_ + "(" + columnList() + ") values (?1,?2,?3,?4,?5,?6,?7,?8,?9)";
        } else {
            sql = "update " + table_ + " set ";
            for (int c = 0; c < kColumns; ++c) {
                if (c)
                    sql += ',';
                sql += quoteIdentifier(columnNames()[static_cast<std::size_t>(c)]);
                sql += "=?";
                sql += std::to_string(c + 1);
            }
            sql += " where rowid = ?10";
        }
        Statement write(db_, sql);
        write.bind(1, stored[0]);
        for (int k = 0; k < kNumbers; ++k)
            write.bind(2 + k, std::int64_t{draw.numbers[static_cast<std::size_t>(k)]});
        write.bind(9, stored[kDateColumn]);
        if (!inserting)
            write.bind(10, row.rowid);
        write.step();
        if (inserting) {
            Statement last(db_, "select last_insert_rowid()");
            last.step();
            rowid = last.integer(0);
        }
    }
    tx.commit();
    row.rowid = rowid;
    row.cells = stored;
    state_ = State::Browse;
    notifyRowChanged(current_);
    return {};
}

void DrawEditor::cancel()
{
    if (state_ == State::Insert) {
        dropNewRow();
    } else if (state_ == State::Edit) {
        state_ = State::Browse;
        notifyRowChanged(current_);
    }
}

void DrawEditor::dropNewRow()
{
    // A new row is always the last one.
    const int row = rowCount() - 1;
    state_ = State::Browse;
    current_ = row - 1;
    if (observer_)
        observer_->beginRemoveRow(row);
    rows_.pop_back();
    if (observer_)
        observer_->endRemoveRow();
}

void DrawEditor::remove()
{
    if (!active_ || current_ < 0)
        return;
    if (state_ == State::Insert) {
        dropNewRow();
        return;
    }
    Transaction tx(db_);
    {
        Statement del(db_, "delete from " + table_ + " where rowid = ?1");
        del.bind(1, rows_[static_cast<std::size_t>(current_)].rowid);
        del.step();
    }
    tx.commit();
    const int row = current_;
    state_ = State::Browse;
    // Like a card index: the next draw takes the deleted one's place, or the one before at the end.
    current_ = std::min(row, rowCount() - 2);
    if (observer_)
        observer_->beginRemoveRow(row);
    rows_.erase(rows_.begin() + row);
    if (observer_)
        observer_->endRemoveRow();
}

std::string DrawEditor::refresh()
{
    if (!active_)
        return {};
    if (std::string refused = post(); !refused.empty())
        return refused;
    const std::int64_t kept = current_ >= 0 ? rows_[static_cast<std::size_t>(current_)].rowid : 0;
    ResetScope reset(observer_);
    readRows();
    const auto found = std::find_if(rows_.begin(), rows_.end(), [kept](const Row& r) { return r.rowid == kept; });
    current_ = found != rows_.end() ? static_cast<int>(found - rows_.begin()) : rowCount() - 1;
    return {};
}

void DrawEditor::notifyRowChanged(int row)
{
    if (observer_)
        observer_->rowChanged(row);
}

} // namespace quorlin

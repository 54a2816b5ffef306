#pragma once

#include "common/calendar.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

class Database;

/// Told by a DrawEditor before and after its rows change, so that a view over them can follow.
/// It may read the editor meanwhile but must not change it.
class DrawEditorObserver {
public:
    virtual ~DrawEditorObserver() = default;
    virtual void beginReset() = 0;
    virtual void endReset() = 0;
    virtual void beginInsertRow(int row) = 0;
    virtual void endInsertRow() = 0;
    virtual void beginRemoveRow(int row) = 0;
    virtual void endRemoveRow() = 0;
    /// The cells of `row` now read differently (typed into, posted or cancelled).
    virtual void rowChanged(int row) = 0;
};

/// The draw-entry window's cursor over one lottery's draw table: the rows in issue order, the
/// current row, and the one row being edited or inserted. A change reaches the table only when it
/// is posted, and only when the row is a valid draw whose issue no other row holds; a stored draw
/// keeps its issue, so a post never replaces one draw by another. Every post and every delete is
/// its own transaction. Moving to another row posts the pending change first, as
/// appending does; a new row nobody typed into is dropped instead of posted.
class DrawEditor {
public:
    enum class State { Browse, Edit, Insert };
    /// 记录期号, the numbers "1".."7" and 开奖日期.
    static constexpr int kColumns = 9;
    using Cells = std::array<std::string, kColumns>;

    /// Today's date (year * 10000 + month * 100 + day), which bounds the dates a draw may have.
    using Today = int (*)();

    explicit DrawEditor(Database& db, Today today = todayDate);

    /// The column names of the draw table, in the order the cells hold them.
    static const Cells& columnNames();

    void setObserver(DrawEditorObserver* observer) { observer_ = observer; }

    /// Reads the draw table of `lottery` (its columns must be those of columnNames()) and makes
    /// the newest draw the current row. Throws DatabaseError; nothing is open after a failure.
    void open(const std::string& lottery);
    void close();
    bool active() const { return active_; }
    const std::string& lottery() const { return lottery_; }

    int rowCount() const { return static_cast<int>(rows_.size()); }
    /// The current row; -1 when there is none.
    int current() const { return current_; }
    State state() const { return state_; }
    /// The cell as shown: the pending text on the row being edited, else the stored value as text
    /// (empty for a NULL).
    const std::string& cell(int row, int column) const;
    /// A pending change differs from what is stored (a new row: anything was typed into it).
    bool modified() const;

    // The operations below that may post return why the pending row was refused (naming the
    // field), or an empty text; a refused row stays pending and nothing is written. Database
    // errors are thrown as DatabaseError and leave the table and the editor as they were.

    /// Makes `row` current, posting the pending change first.
    std::string moveTo(int row);
    /// Starts editing the current row; on an empty table starts a new row instead.
    void edit();
    /// Types `text` into a cell of the current row, starting to edit it when browsing.
    void setCell(int column, std::string text);
    /// Posts the pending change, then starts a new empty row at the end.
    std::string append();
    /// Writes the pending change to the table.
    std::string post();
    /// Drops the pending change; a new row disappears.
    void cancel();
    /// Deletes the current row from the table (a new row is only dropped).
    void remove();
    /// Posts the pending change, then reads the table again, keeping the current row where it can.
    std::string refresh();

private:
    struct Row {
        std::int64_t rowid = 0; ///< 0 while the row is not stored
        Cells cells;
    };

    /// Leaves no table open, without telling the observer.
    void forget();
    void readRows();
    void dropNewRow();
    void notifyRowChanged(int row);

    Database& db_;
    Today today_;
    DrawEditorObserver* observer_ = nullptr;
    bool active_ = false;
    std::string lottery_;
    std::string table_;
    std::vector<Row> rows_;
    int current_ = -1;
    State state_ = State::Browse;
    Cells pending_;
};

} // namespace quorlin

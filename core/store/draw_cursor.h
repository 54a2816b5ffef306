#pragma once

#include "common/grid.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace quorlin {

class Database;

/// The shared cursor over the open lottery's draws, in ascending issue order: a snapshot of the
/// draw table read when it is opened. Readers move it to the first row before walking it.
class DrawCursor {
public:
    /// Reads the newest `newest` draws of the draw table of `lottery` (the whole table when it holds
    /// no more) with its number columns "1".."M", M = numberLimits.size(), where column k must hold
    /// 1..numberLimits[k-1]. The table itself is never changed. Throws DatabaseError when the table or one of
    /// its columns is missing or a stored draw is not valid (the text names its 期号 and column):
    /// every analysis indexes its tables by 期号 and number, so they must be sound from here on.
    void open(Database& db, const std::string& lottery, std::span<const int> numberLimits, int newest);
    void close();
    bool active() const { return active_; }

    int recordCount() const { return static_cast<int>(issues_.size()); }
    int numberCount() const { return static_cast<int>(numbers_.cols()); }

    void first() { pos_ = 0; }
    void next() { ++pos_; }
    bool eof() const { return pos_ >= issues_.size(); }
    std::size_t position() const { return pos_; }

    /// 记录期号 of the current row, as stored.
    const std::string& issue() const { return issues_[pos_]; }
    /// Number column k (1-based) of the current row.
    int number(int k) const { return numbers_.at(pos_, static_cast<std::size_t>(k - 1)); }
    /// 开奖日期 of the current row, as stored.
    const std::string& date() const { return dates_[pos_]; }

private:
    void readRows(Database& db, const std::string& sql, std::span<const int> numberLimits);

    bool active_ = false;
    std::size_t pos_ = 0;
    std::vector<std::string> issues_;
    Grid<int> numbers_;
    std::vector<std::string> dates_;
};

/// Checks that a draw table has 记录期号, the number columns "1".."M" and 开奖日期;
/// throws DatabaseError naming the first column that is missing.
void verifyDrawTable(Database& db, const std::string& lottery, int numberCount);

} // namespace quorlin

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quorlin {

/// The three stake plans.
enum class PlanKind { Fixed, Staged, Variable };

/// The plan behind a plan window's table: one row per draw of 7 whole numbers (the variable plan
/// 8, with 当期注数 as third column), in the table's column order. Averages are taken from here,
/// not from the table's text.
class PlanStore {
public:
    /// A row's values; the fixed and staged plans use the first 7.
    using Row = std::array<std::int64_t, 8>;

    explicit PlanStore(PlanKind kind);

    PlanKind kind() const { return kind_; }
    /// 7, or 8 in the variable plan.
    int columns() const { return columns_; }
    /// Column of 当期总投入 and of 当期净利润.
    int totalColumn() const { return columns_ - 4; }
    int netColumn() const { return columns_ - 2; }

    std::size_t rows() const { return rows_.size(); }
    /// Sizes the store to `rows` rows; the rows already there keep their values.
    void resize(std::size_t rows) { rows_.resize(rows, Row{}); }
    Row& row(std::size_t r) { return rows_[r]; }
    const Row& row(std::size_t r) const { return rows_[r]; }

    /// The average net profit of the first `count` rows, truncated toward zero (count >= 1).
    std::int64_t averageNet(std::size_t count) const;

private:
    PlanKind kind_;
    int columns_;
    std::vector<Row> rows_;
};

/// The headers of a plan table, in column order (7, or 8 for the variable plan).
std::vector<const char*> planHeaders(PlanKind kind);
/// Whether a column of a plan table or of the investment mode's table holds money (元) by its
/// header: 当期投注, 当期总投入, 当期中奖, 当期净利润.
bool isMoneyHeader(std::string_view header);

} // namespace quorlin

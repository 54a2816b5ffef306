#pragma once

#include "common/grid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

/// The display rows of the trend grid: per draw the issue text, the draw text and one hit mark per
/// front and back number. Cells are addressed as the grid's columns: 0 issue, 1 draw text,
/// 2 separator, 3..S+2 front marks, S+3 separator, S+4..S+H+3 back marks.
class HisText {
public:
    void resize(std::size_t rows, int frontTotal, int backTotal);

    std::size_t rows() const { return issues_.size(); }
    /// The rows show relabelled front numbers (变幻走势), not the drawn ones.
    bool transformed() const { return transformed_; }
    void setTransformed(bool transformed) { transformed_ = transformed; }
    int cellCount() const { return static_cast<int>(marks_.cols()); }
    int frontTotal() const { return frontTotal_; }
    int backTotal() const { return backTotal_; }

    void setRow(std::size_t r, std::string issue, std::string drawText);
    void markFront(std::size_t r, int number) { marks_.at(r, static_cast<std::size_t>(number) + 2) = 1; }
    void markBack(std::size_t r, int number) { marks_.at(r, static_cast<std::size_t>(frontTotal_ + 3 + number)) = 1; }

    const std::string& issue(std::size_t r) const { return issues_[r]; }
    const std::string& drawText(std::size_t r) const { return drawTexts_[r]; }
    /// True when cell `cell` (2..S+H+3) of row r holds "1".
    bool marked(std::size_t r, int cell) const { return marks_.at(r, static_cast<std::size_t>(cell)) != 0; }
    /// The cell as text, as the grid shows it ("0"/"1" for mark and separator cells).
    std::string cell(std::size_t r, int cell) const;

private:
    int frontTotal_ = 0;
    int backTotal_ = 0;
    bool transformed_ = false;
    std::vector<std::string> issues_;
    std::vector<std::string> drawTexts_;
    Grid<std::uint8_t> marks_;
};

/// A draw as text: front numbers "%.2d" separated by blanks, " + ", back numbers likewise.
std::string formatDrawText(const int* front, int frontCount, const int* back, int backCount);

} // namespace quorlin

#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace quorlin {

/// A rows × columns table of small values in one flat block, for the history matrices.
template <class T> class Grid {
public:
    Grid() = default;
    Grid(std::size_t rows, std::size_t cols) { resize(rows, cols); }

    void resize(std::size_t rows, std::size_t cols)
    {
        rows_ = rows;
        cols_ = cols;
        data_.assign(rows * cols, T{});
    }

    std::size_t rows() const { return rows_; }
    std::size_t cols() const { return cols_; }
    bool empty() const { return rows_ == 0; }

    T& at(std::size_t r, std::size_t c) { return data_[r * cols_ + c]; }
    const T& at(std::size_t r, std::size_t c) const { return data_[r * cols_ + c]; }

    std::span<T> row(std::size_t r) { return {data_.data() + r * cols_, cols_}; }
    std::span<const T> row(std::size_t r) const { return {data_.data() + r * cols_, cols_}; }

private:
    std::size_t rows_ = 0;
    std::size_t cols_ = 0;
    std::vector<T> data_;
};

} // namespace quorlin

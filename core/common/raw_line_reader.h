#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace quorlin {

/// The bytes of a file line by line, read in blocks so that a line is never held beyond a limit: a
/// file that is one huge line costs the limit, not its size. Every line end ends a line: LF, CR LF
/// and a CR alone (CRs right before an LF belong to that line end, so "a\r\r\n" is one line); a CR
/// that is followed by another line end ends an empty line.
class RawLineReader {
public:
    enum class Outcome { Line, End, TooLong, ReadError };

    explicit RawLineReader(std::size_t maxLineBytes);
    /// Opens the file at byte `offset`; false when it cannot be opened.
    bool open(const std::string& path, std::uint64_t offset = 0);
    /// The next line without its line end; TooLong once a line passes the limit (nothing more is read).
    Outcome next(std::string& line);
    /// Byte offset in the file of the line last read.
    std::uint64_t lineStart() const { return lineStart_; }

private:
    bool refill();
    /// The next byte without taking it: kEnd at the end of the file, kReadError when reading fails.
    int peek();
    static constexpr int kEnd = -1;
    static constexpr int kReadError = -2;

    std::size_t maxLineBytes_;
    std::ifstream in_;
    std::vector<char> block_;
    std::size_t at_ = 0;
    std::size_t end_ = 0;
    std::uint64_t blockStart_ = 0; // file offset of block_[0]
    std::uint64_t lineStart_ = 0;
    std::size_t emptyLines_ = 0; // CRs read after a line's CR that each end an empty line
};

} // namespace quorlin

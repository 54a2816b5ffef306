#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace quorlin {

/// The bytes of a file line by line, split at LF, read in blocks so that a line is never held
/// beyond a limit: a file that is one huge line costs the limit, not its size.
class RawLineReader {
public:
    enum class Outcome { Line, End, TooLong, ReadError };

    explicit RawLineReader(std::size_t maxLineBytes);
    /// Opens the file at byte `offset`; false when it cannot be opened.
    bool open(const std::string& path, std::uint64_t offset = 0);
    /// The next line without its LF; TooLong once a line passes the limit (nothing more is read).
    Outcome next(std::string& line);
    /// Byte offset in the file of the line last read.
    std::uint64_t lineStart() const { return lineStart_; }

private:
    bool refill();

    std::size_t maxLineBytes_;
    std::ifstream in_;
    std::vector<char> block_;
    std::size_t at_ = 0;
    std::size_t end_ = 0;
    std::uint64_t blockStart_ = 0; // file offset of block_[0]
    std::uint64_t lineStart_ = 0;
};

} // namespace quorlin

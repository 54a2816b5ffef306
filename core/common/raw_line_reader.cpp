#include "common/raw_line_reader.h"

#include <algorithm>

namespace quorlin {

namespace {
constexpr std::size_t kBlockBytes = 1 << 16;
} // namespace

RawLineReader::RawLineReader(std::size_t maxLineBytes) : maxLineBytes_(maxLineBytes), block_(kBlockBytes) {}

bool RawLineReader::open(const std::string& path, std::uint64_t offset)
{
    in_.open(path, std::ios::binary);
    if (!in_)
        return false;
    if (offset > 0 && !in_.seekg(static_cast<std::streamoff>(offset)))
        return false;
    blockStart_ = offset;
    return true;
}

bool RawLineReader::refill()
{
    blockStart_ += end_;
    at_ = end_ = 0;
    if (!in_.read(block_.data(), static_cast<std::streamsize>(block_.size())) && in_.bad())
        return false;
    end_ = static_cast<std::size_t>(in_.gcount());
    return true;
}

int RawLineReader::peek()
{
    if (at_ == end_ && !refill())
        return kReadError;
    return at_ == end_ ? kEnd : static_cast<unsigned char>(block_[at_]);
}

RawLineReader::Outcome RawLineReader::next(std::string& line)
{
    line.clear();
    lineStart_ = blockStart_ + at_;
    if (emptyLines_ > 0) {
        --emptyLines_;
        return Outcome::Line;
    }
    bool any = false;
    while (true) {
        if (at_ == end_) {
            if (!refill())
                return Outcome::ReadError;
            if (end_ == 0)
                return any ? Outcome::Line : Outcome::End;
        }
        any = true;
        const char* from = block_.data() + at_;
        const char* stop = block_.data() + end_;
        const char* lineEnd = std::find_if(from, stop, [](char c) { return c == '\n' || c == '\r'; });
        const auto length = static_cast<std::size_t>(lineEnd - from);
        if (line.size() + length > maxLineBytes_)
            return Outcome::TooLong;
        line.append(from, length);
        at_ += length;
        if (lineEnd == stop)
            continue;
        ++at_;
        if (*lineEnd == '\n')
            return Outcome::Line;
        // A CR: with the CRs after it and an LF it is one line end; otherwise each CR ends a line.
        std::size_t more = 0;
        int c = peek();
        for (; c == '\r'; c = peek()) {
            ++at_;
            ++more;
        }
        if (c == kReadError)
            return Outcome::ReadError;
        if (c == '\n')
            ++at_;
        else
            emptyLines_ = more;
        return Outcome::Line;
    }
}

} // namespace quorlin

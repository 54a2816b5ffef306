#pragma once

#include "common/raw_line_reader.h"
#include "common/text_encoding.h"

#include <cstdint>
#include <memory>
#include <string>

namespace quorlin {

/// Reads one of the program's text files line by line, never holding more than one line: the file
/// may be UTF-8 (with or without its mark) or GBK, told apart by its content, and every line comes
/// out as UTF-8 without its line end (LF, CR LF, or a CR alone: RawLineReader). UTF-16 files are
/// refused with a message saying so, since their lines would otherwise come out as garbage; so are
/// binary files (a NUL byte) and lines longer than kMaxLineBytes, naming the line.
class TextReader {
public:
    /// Far beyond any line of the program's files, yet small enough to hold.
    static constexpr std::size_t kMaxLineBytes = 1 << 20;

    TextReader();
    ~TextReader();
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    /// Opens the file; false (with error()) when it cannot be opened.
    bool open(const std::string& path);
    /// Reads the next line into `line`; false at the end of the file or on an error (see failed()).
    bool next(std::string& line);

    /// Number of the line last read, counted from 1.
    std::size_t lineNumber() const { return lineNumber_; }
    bool failed() const { return !error_.empty(); }
    /// Why reading stopped, in words for the user; names the line when one line is at fault.
    const std::string& error() const { return error_; }
    /// The file's encoding as far as read: UTF-8 until a line shows it is GBK.
    TextEncoding encoding() const { return encoding_; }

private:
    bool fail(std::string message);
    bool failRead(RawLineReader::Outcome outcome, std::size_t line);
    bool checkBinary();
    bool decideEncoding();

    std::string path_;
    RawLineReader in_{kMaxLineBytes};
    bool open_ = false;
    std::string raw_;
    std::uint64_t lineStart_ = 0; // byte offset of the line last read, after any UTF-8 mark
    std::size_t lineNumber_ = 0;
    bool decided_ = false;
    bool utf8Mark_ = false;
    TextEncoding encoding_ = TextEncoding::Utf8;
    std::unique_ptr<IconvConverter> fromGbk_;
    std::string error_;
};

} // namespace quorlin

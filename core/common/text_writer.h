#pragma once

#include "common/scratch_file.h"
#include "common/text_encoding.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quorlin {

/// Writes one of the program's text files: each line (given in UTF-8) is encoded in GBK, or kept
/// UTF-8 when asked, and ended by CR LF. The lines go, buffered, into a ScratchFile, which
/// replaces the target only in commit(); until then, and after any failure, the
/// target stays as it was. A character GBK cannot encode (an emoji, say) is refused with an error
/// naming it rather than written as a "?" that would change the user's data. The target passes
/// userSaveTarget before anything is written: a file in the program's database folder, a device,
/// a FIFO and the like are refused, a symbolic link is written through to its regular file.
class TextWriter {
public:
    explicit TextWriter(std::string path, TextEncoding encoding = TextEncoding::Gbk);
    /// Discards the scratch file when the writer was not committed.
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    /// Adds one line (without its line end); false once anything has failed.
    bool writeLine(std::string_view line);
    /// Adds bytes that are already ASCII lines ended by CR LF (a bet list formatted in blocks);
    /// they are written as they are. False once anything has failed.
    bool writeRaw(std::string_view bytes);
    /// Flushes the lines to disk and renames the scratch file over the target; false on failure,
    /// which leaves the target untouched.
    bool commit();

    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }

private:
    bool fail(std::string message);
    std::string scratchError() const;
    bool flushBuffer();
    void discard();

    std::string path_;
    std::optional<ScratchFile> scratch_;
    std::FILE* file_ = nullptr; ///< the scratch file's stream while it is written
    std::string buffer_;
    std::string encoded_;
    std::unique_ptr<IconvConverter> toGbk_;
    std::size_t lines_ = 0;
    bool committed_ = false;
    std::string error_;
};

} // namespace quorlin

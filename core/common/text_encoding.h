#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorlin {

/// The two encodings the program's text files come in. Inside the program every text is UTF-8.
enum class TextEncoding { Utf8, Gbk };

/// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool isValidUtf8(std::string_view bytes);

/// True when every byte is below 0x80, so the text reads the same in UTF-8 and GBK.
bool isAscii(std::string_view bytes);

/// The UTF-8 character starting at `offset` (one byte when the lead byte is not UTF-8).
std::string_view utf8CharAt(std::string_view text, std::size_t offset);

/// At most the first `maxChars` characters of a text, with "…" when it was cut: how a message
/// quotes a line or a field of a file, which may be of any length.
std::string lineExcerpt(std::string_view text, std::size_t maxChars = 80);
/// The excerpt of a text in Chinese quotation marks, as messages name a field: “…”.
std::string quotedExcerpt(std::string_view text);

/// A glibc iconv conversion between two encodings, opened once and reused for every line.
class IconvConverter {
public:
    IconvConverter(const char* to, const char* from);
    ~IconvConverter();
    /// False when the C library offers no such conversion (its gconv modules are missing).
    bool valid() const;
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    /// Converts `in` into `out` (replacing its contents). Returns std::string_view::npos on success,
    /// otherwise the offset in `in` of the first byte that could not be converted.
    std::size_t convert(std::string_view in, std::string& out);

private:
    void* cd_;
};

} // namespace quorlin

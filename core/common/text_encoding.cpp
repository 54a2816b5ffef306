#include "common/text_encoding.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace quorlin {

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
}

namespace {

// Length of the UTF-8 sequence starting at `i`, or 0 when it is not well-formed.
std::size_t utf8SequenceLength(std::string_view s, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // overlong
        if (lead == 0xED)
            high = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90; // overlong
        if (lead == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > s.size())
        return 0;
    if (byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = utf8SequenceLength(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string_view utf8CharAt(std::string_view text, std::size_t offset)
{
    if (offset >= text.size())
        return {};
    return text.substr(offset, std::max<std::size_t>(1, utf8SequenceLength(text, offset)));
}

std::string lineExcerpt(std::string_view text, std::size_t maxChars)
{
    std::size_t end = 0;
    for (std::size_t chars = 0; end < text.size() && chars < maxChars; ++chars)
        end += utf8CharAt(text, end).size();
    return end < text.size() ? std::string(text.substr(0, end)) + "…" : std::string(text);
}

std::string quotedExcerpt(std::string_view text)
{
    return "“" + lineExcerpt(text) + "”";
}

IconvConverter::IconvConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}

IconvConverter::~IconvConverter()
{
    if (valid())
        iconv_close(static_cast<iconv_t>(cd_));
}

bool IconvConverter::valid() const
{
    return cd_ != reinterpret_cast<void*>(-1);
}

std::size_t IconvConverter::convert(std::string_view in, std::string& out)
{
    const auto cd = static_cast<iconv_t>(cd_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    out.resize(in.size() * 2 + 8);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    std::size_t used = 0;
    while (true) {
        char* outPtr = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        used = out.size() - outLeft;
        if (rc != static_cast<std::size_t>(-1))
            break;
        if (errno != E2BIG) {
            out.resize(used);
            return static_cast<std::size_t>(inPtr - in.data());
        }
        out.resize(out.size() * 2);
    }
    out.resize(used);
    return std::string_view::npos;
}

} // namespace quorlin

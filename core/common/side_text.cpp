#include "common/side_text.h"

#include "common/text_encoding.h"
#include "common/text_reader.h"
#include "common/text_writer.h"

#include <cstdint>

namespace quorlin {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::uint8_t keyByte(std::size_t i)
{
    return static_cast<std::uint8_t>(0x5A + 31 * i);
}

int hexValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    return -1;
}

} // namespace

bool encipherSideLine(std::string_view text, std::string& hex)
{
    IconvConverter toGbk("GBK", "UTF-8");
    std::string gbk;
    if (!toGbk.valid() || toGbk.convert(text, gbk) != std::string_view::npos)
        return false;
    hex.clear();
    for (std::size_t i = 0; i < gbk.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(static_cast<std::uint8_t>(gbk[i]) ^ keyByte(i));
        hex += kHexDigits[byte >> 4];
        hex += kHexDigits[byte & 0x0F];
    }
    return true;
}

bool decipherSideLine(std::string_view hex, std::string& text)
{
    if (hex.size() % 2 != 0)
        return false;
    std::string gbk;
    for (std::size_t i = 0; i < hex.size() / 2; ++i) {
        const int high = hexValue(hex[2 * i]);
        const int low = hexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        gbk += static_cast<char>(static_cast<std::uint8_t>(high << 4 | low) ^ keyByte(i));
    }
    IconvConverter fromGbk("UTF-8", "GBK");
    return fromGbk.valid() && fromGbk.convert(gbk, text) == std::string_view::npos;
}

SideText readSideText(const std::string& path)
{
    SideText result;
    TextReader reader;
    if (!reader.open(path)) {
        result.error = reader.error();
        return result;
    }
    std::string hex;
    std::string text;
    while (reader.next(hex)) {
        if (!decipherSideLine(hex, text)) {
            result.error = "文件 " + path + " 第 " + std::to_string(reader.lineNumber()) + " 行无法解读";
            return result;
        }
        result.lines.push_back(text);
    }
    if (reader.failed())
        result.error = reader.error();
    return result;
}

std::string writeSideText(const std::string& path, const std::vector<std::string>& lines)
{
    TextWriter writer(path);
    std::string hex;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!encipherSideLine(lines[i], hex))
            return "第 " + std::to_string(i + 1) + " 行含有 GBK 无法编码的字符，文件 " + path + " 未写入";
        writer.writeLine(hex);
    }
    return writer.commit() ? std::string() : writer.error();
}

} // namespace quorlin

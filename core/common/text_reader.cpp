#include "common/text_reader.h"

namespace quorlin {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string lineError(std::size_t line, const std::string& text)
{
    return "第 " + std::to_string(line) + " 行：" + text;
}

// UTF-16 text without its mark: ASCII characters with a NUL beside every one of them.
bool looksLikeUtf16(std::string_view line)
{
    if (line.size() < 2)
        return false;
    bool evenNul = true;
    bool oddNul = true;
    for (std::size_t i = 0; i < line.size(); ++i)
        if (line[i] != '\0')
            (i % 2 == 0 ? evenNul : oddNul) = false;
    return evenNul || oddNul;
}

} // namespace

TextReader::TextReader() = default;
TextReader::~TextReader() = default;

bool TextReader::open(const std::string& path)
{
    path_ = path;
    if (!in_.open(path))
        return fail("无法打开文件 " + path);
    open_ = true;
    return true;
}

bool TextReader::fail(std::string message)
{
    error_ = std::move(message);
    return false;
}

bool TextReader::failRead(RawLineReader::Outcome outcome, std::size_t line)
{
    if (outcome == RawLineReader::Outcome::TooLong)
        return fail(lineError(line, "长度超过 " + std::to_string(kMaxLineBytes) + " 字节，无法读取"));
    return fail("读取文件 " + path_ + " 时出错");
}

bool TextReader::next(std::string& line)
{
    if (!open_ || failed())
        return false;
    const RawLineReader::Outcome outcome = in_.next(raw_);
    if (outcome == RawLineReader::Outcome::End)
        return false;
    ++lineNumber_;
    if (outcome != RawLineReader::Outcome::Line)
        return failRead(outcome, lineNumber_);
    lineStart_ = in_.lineStart();

    if (!checkBinary())
        return false;
    if (lineNumber_ == 1 && raw_.starts_with(kUtf8Mark)) {
        raw_.erase(0, kUtf8Mark.size());
        lineStart_ += kUtf8Mark.size();
        utf8Mark_ = true;
    }

    if (!decided_ && !isAscii(raw_) && !decideEncoding())
        return false;
    if (encoding_ == TextEncoding::Gbk && !isAscii(raw_)) {
        if (fromGbk_->convert(raw_, line) != std::string::npos)
            return fail(lineError(lineNumber_, "含有既不是 UTF-8 也不是 GBK 的字节，无法读取"));
        return true;
    }
    line.swap(raw_);
    return true;
}

// A UTF-16 file shows its mark first, or NUL bytes beside the ASCII characters of its first line;
// any other NUL byte is binary data.
bool TextReader::checkBinary()
{
    const bool first = lineNumber_ == 1;
    if (first && (raw_.starts_with("\xFF\xFE") || raw_.starts_with("\xFE\xFF")))
        return fail("文件是 UTF-16（Unicode）编码，无法读取；请把它另存为 UTF-8 或 ANSI（GBK）编码的文本文件");
    if (raw_.find('\0') == std::string::npos)
        return true;
    if (first && looksLikeUtf16(raw_))
        return fail("文件是 UTF-16（Unicode）编码，无法读取；请把它另存为 UTF-8 或 ANSI（GBK）编码的文本文件");
    return fail(lineError(lineNumber_, "含有空字节（NUL），不是文本文件，无法读取"));
}

// Until the first line with a non-ASCII byte both readings agree. At that line the rest of the
// file is checked once: when all of it is valid UTF-8 the file is UTF-8, otherwise GBK.
bool TextReader::decideEncoding()
{
    decided_ = true;
    RawLineReader rest(kMaxLineBytes);
    if (!rest.open(path_, lineStart_))
        return fail("读取文件 " + path_ + " 时出错");
    std::string text;
    for (std::size_t n = lineNumber_;; ++n) {
        const RawLineReader::Outcome outcome = rest.next(text);
        if (outcome == RawLineReader::Outcome::End)
            return true;
        if (outcome != RawLineReader::Outcome::Line)
            return failRead(outcome, n);
        if (isValidUtf8(text))
            continue;
        if (utf8Mark_)
            return fail(lineError(n, "文件标明为 UTF-8 编码，这一行却不是有效的 UTF-8"));
        encoding_ = TextEncoding::Gbk;
        fromGbk_ = std::make_unique<IconvConverter>("UTF-8", "GBK");
        if (!fromGbk_->valid())
            return fail("系统缺少 GBK 编码转换，无法读取 GBK 文件");
        return true;
    }
}

} // namespace quorlin

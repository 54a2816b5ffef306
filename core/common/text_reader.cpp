#include "common/text_reader.h"

namespace quorlin {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string lineError(std::size_t line, const std::string& text)
{
    return "第 " + std::to_string(line) + " 行：" + text;
}

} // namespace

TextReader::TextReader() = default;
TextReader::~TextReader() = default;

bool TextReader::open(const std::string& path)
{
    path_ = path;
    in_.open(path, std::ios::binary);
    if (!in_)
        return fail("无法打开文件 " + path);
    return true;
}

bool TextReader::fail(std::string message)
{
    error_ = std::move(message);
    return false;
}

bool TextReader::next(std::string& line)
{
    if (!in_.is_open() || failed())
        return false;
    if (!std::getline(in_, raw_)) {
        if (in_.bad())
            return fail("读取文件 " + path_ + " 时出错");
        return false;
    }
    ++lineNumber_;
    lineStart_ = consumed_;
    consumed_ += raw_.size() + (in_.eof() ? 0 : 1);

    // A UTF-16 file shows its mark first, or NUL bytes beside its ASCII characters.
    const bool utf16Mark = lineNumber_ == 1 && (raw_.starts_with("\xFF\xFE") || raw_.starts_with("\xFE\xFF"));
    if (utf16Mark || raw_.find('\0') != std::string::npos)
        return fail("文件是 UTF-16（Unicode）编码，无法读取；请把它另存为 UTF-8 或 ANSI（GBK）编码的文本文件");
    if (lineNumber_ == 1 && raw_.starts_with(kUtf8Mark)) {
        raw_.erase(0, kUtf8Mark.size());
        lineStart_ += kUtf8Mark.size();
        utf8Mark_ = true;
    }
    stripLineEnd();

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

void TextReader::stripLineEnd()
{
    std::size_t end = raw_.size();
    while (end > 0 && raw_[end - 1] == '\r')
        --end;
    raw_.resize(end);
}

// Until the first line with a non-ASCII byte both readings agree. At that line the rest of the
// file is checked once: when all of it is valid UTF-8 the file is UTF-8, otherwise GBK.
bool TextReader::decideEncoding()
{
    decided_ = true;
    std::ifstream rest(path_, std::ios::binary);
    rest.seekg(static_cast<std::streamoff>(lineStart_));
    std::string text;
    for (std::size_t n = lineNumber_; std::getline(rest, text); ++n) {
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
    if (rest.bad())
        return fail("读取文件 " + path_ + " 时出错");
    return true;
}

} // namespace quorlin

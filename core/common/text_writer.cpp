#include "common/text_writer.h"

#include "common/save_target.h"

#include <cerrno>
#include <cstring>

namespace quorlin {

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

std::string systemError()
{
    return std::strerror(errno);
}

} // namespace

TextWriter::TextWriter(std::string path, TextEncoding encoding) : path_(std::move(path))
{
    SaveTarget target = userSaveTarget(path_);
    if (!target.refused.empty()) {
        fail(std::move(target.refused));
        return;
    }
    if (encoding == TextEncoding::Gbk) {
        toGbk_ = std::make_unique<IconvConverter>("GBK", "UTF-8");
        if (!toGbk_->valid()) {
            fail("系统缺少 GBK 编码转换，无法写入文件 " + path_);
            return;
        }
    }
    scratch_.emplace(target.file);
    file_ = scratch_->file();
    if (!file_)
        fail(scratchError());
    buffer_.reserve(kBufferSize + 1024);
}

// The scratch file discards itself unless committed.
TextWriter::~TextWriter() = default;

std::string TextWriter::scratchError() const
{
    return !scratch_->refused().empty() ? scratch_->refused() : "无法写入文件 " + path_ + "：" + systemError();
}

bool TextWriter::fail(std::string message)
{
    if (error_.empty())
        error_ = std::move(message);
    discard();
    return false;
}

void TextWriter::discard()
{
    file_ = nullptr;
    if (scratch_)
        scratch_->discard();
}

bool TextWriter::writeLine(std::string_view line)
{
    if (failed())
        return false;
    ++lines_;
    if (toGbk_ && !isAscii(line)) {
        const std::size_t bad = toGbk_->convert(line, encoded_);
        if (bad != std::string_view::npos)
            return fail("第 " + std::to_string(lines_) + " 行的字符“" + std::string(utf8CharAt(line, bad)) +
                        "”无法用 GBK 编码，文件 " + path_ + " 未写入");
        buffer_ += encoded_;
    } else {
        buffer_ += line;
    }
    buffer_ += "\r\n";
    return buffer_.size() < kBufferSize || flushBuffer();
}

bool TextWriter::writeRaw(std::string_view bytes)
{
    if (failed())
        return false;
    if (!flushBuffer())
        return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        return fail("写入文件 " + path_ + " 时出错：" + systemError());
    return true;
}

bool TextWriter::flushBuffer()
{
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
        return fail("写入文件 " + path_ + " 时出错：" + systemError());
    buffer_.clear();
    return true;
}

bool TextWriter::commit()
{
    if (failed() || committed_)
        return !failed();
    if (!flushBuffer())
        return false;
    file_ = nullptr;
    if (!scratch_->commit())
        return fail(scratchError());
    committed_ = true;
    return true;
}

} // namespace quorlin

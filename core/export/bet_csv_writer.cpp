#include "export/bet_csv_writer.h"

#include "common/progress.h"
#include "export/csv_text.h"

namespace quorlin {

namespace {

// Room for one block of the longest lines.
constexpr std::size_t kChunkBytes = (1 << 15) * 64;

char* putNumber(char* out, std::uint8_t n)
{
    if (n >= 10)
        *out++ = static_cast<char>('0' + n / 10);
    *out++ = static_cast<char>('0' + n % 10);
    return out;
}

} // namespace

std::vector<std::string> betColumnHeaders(int frontWidth, int backWidth)
{
    std::vector<std::string> headers;
    for (int i = 1; i <= frontWidth; ++i)
        headers.push_back("前区" + std::to_string(i));
    for (int i = 1; i <= backWidth; ++i)
        headers.push_back("后区" + std::to_string(i));
    return headers;
}

BetCsvWriter::BetCsvWriter(const std::string& path, int frontWidth, int backWidth, Progress* progress,
                           std::uint64_t total)
    : writer_(path, TextEncoding::Utf8), frontNumbers_(static_cast<std::size_t>(frontWidth)), backWidth_(backWidth),
      progress_(progress), total_(total), chunk_(kChunkBytes)
{
    out_ = chunk_.data();
    writer_.writeLine(std::string(kUtf8Bom) + csvRecord(betColumnHeaders(frontWidth, backWidth)));
    if (progress_)
        progress_->report(0, static_cast<std::int64_t>(total_));
}

BetCsvWriter::BackText BetCsvWriter::backText(const std::uint8_t* numbers) const
{
    BackText text{};
    char* t = text.data();
    for (int k = 0; k < backWidth_; ++k) {
        *t++ = ',';
        if (numbers)
            t = putNumber(t, numbers[k]);
    }
    *t++ = '\r';
    *t++ = '\n';
    // The length rides in the last byte, which no text reaches.
    text[kBackStride - 1] = static_cast<char>(t - text.data());
    return text;
}

void BetCsvWriter::setFront(const std::uint8_t* numbers)
{
    // The widths a bet list holds are at most eight numbers (23 characters); more are cut.
    char* t = front_.data();
    for (std::size_t k = 0; k < frontNumbers_ && k < 8; ++k) {
        if (k > 0)
            *t++ = ',';
        t = putNumber(t, numbers[k]);
    }
    frontLength_ = static_cast<std::size_t>(t - front_.data());
}

bool BetCsvWriter::endBlock()
{
    const bool written =
        writer_.writeRaw(std::string_view(chunk_.data(), static_cast<std::size_t>(out_ - chunk_.data())));
    out_ = chunk_.data();
    if (progress_) {
        if (progress_->cancelled()) {
            stopped_ = true;
            return false;
        }
        progress_->report(static_cast<std::int64_t>(done_), static_cast<std::int64_t>(total_));
    }
    return written;
}

bool BetCsvWriter::finish(std::string& error)
{
    if (stopped_ || (progress_ && progress_->cancelled())) {
        error = "已停止";
        return false;
    }
    if (!writer_.writeRaw(std::string_view(chunk_.data(), static_cast<std::size_t>(out_ - chunk_.data()))) ||
        !writer_.commit()) {
        error = writer_.error();
        return false;
    }
    if (progress_)
        progress_->report(static_cast<std::int64_t>(done_), static_cast<std::int64_t>(total_));
    return true;
}

} // namespace quorlin

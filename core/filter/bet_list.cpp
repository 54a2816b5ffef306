#include "filter/bet_list.h"

#include "common/progress.h"
#include "common/text_writer.h"
#include "export/bet_csv_writer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace quorlin {

namespace {

constexpr std::size_t kChunk = 1 << 20;
constexpr std::size_t kProgressLines = 1 << 16;

// "00".."99", two characters per number.
constexpr std::array<char, 200> kDigits = [] {
    std::array<char, 200> d{};
    for (int i = 0; i < 100; ++i) {
        d[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        d[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return d;
}();

inline char* putNumber(char* out, std::uint8_t n)
{
    out[0] = kDigits[2u * n];
    out[1] = kDigits[2u * n + 1];
    return out + 2;
}

// The running line number as text, at least seven digits, counted up in place. The digits live in
// one 64-bit word (byte i = character i), so most steps are one addition and the number is written
// with one 8-byte store; only a carry past a 9 takes the slow way. Up to 99,999,999 lines.
class LineCounter {
public:
    void next()
    {
        const int shift = 8 * (length_ - 1);
        if (((word_ >> shift) & 0xFF) != '9') {
            word_ += std::uint64_t{1} << shift;
            return;
        }
        std::array<char, 9> digits{};
        std::memcpy(digits.data() + 1, &word_, 8);
        digits[0] = '0';
        int i = length_;
        while (digits[static_cast<std::size_t>(i)] == '9') {
            digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        ++digits[static_cast<std::size_t>(i)];
        if (i == 0) {
            if (length_ == 8)
                throw std::length_error("投注号码超过 99999999 注");
            ++length_; // 9999999 → 10000000
        }
        std::memcpy(&word_, digits.data() + (i == 0 ? 0 : 1), 8);
    }
    /// Writes the number; `out` must have room for 8 bytes.
    char* put(char* out) const
    {
        std::memcpy(out, &word_, 8);
        return out + length_;
    }
    std::size_t length() const { return static_cast<std::size_t>(length_); }

private:
    std::uint64_t word_ = 0x2030303030303030; // "0000000 " in memory order
    int length_ = 7;
};

} // namespace

BetList::BetList(bool paired, int frontWidth, std::vector<std::uint8_t> fronts, int backWidth,
                 std::vector<std::uint8_t> backs)
    : paired_(paired), frontWidth_(frontWidth), backWidth_(backWidth), fronts_(std::move(fronts)),
      backs_(std::move(backs))
{
}

BetList BetList::paired(int frontWidth, std::vector<std::uint8_t> fronts, int backWidth,
                        std::vector<std::uint8_t> backs)
{
    return BetList(true, frontWidth, std::move(fronts), backWidth, std::move(backs));
}

BetList BetList::lines(int frontWidth, std::vector<std::uint8_t> fronts, int backWidth, std::vector<std::uint8_t> backs,
                       std::vector<std::uint32_t> lineFront, std::vector<std::uint16_t> lineBack)
{
    BetList list(false, frontWidth, std::move(fronts), backWidth, std::move(backs));
    list.lineFront_ = std::move(lineFront);
    list.lineBack_ = std::move(lineBack);
    return list;
}

BetList BetList::frontsOnly(int frontWidth, std::vector<std::uint8_t> fronts)
{
    const std::size_t count = frontWidth > 0 ? fronts.size() / static_cast<std::size_t>(frontWidth) : 0;
    std::vector<std::uint32_t> lineFront(count);
    for (std::size_t i = 0; i < count; ++i)
        lineFront[i] = static_cast<std::uint32_t>(i);
    BetList list =
        lines(frontWidth, std::move(fronts), 0, {}, std::move(lineFront), std::vector<std::uint16_t>(count, kNoBack));
    list.blankAfterLast_ = true;
    return list;
}

char* BetList::appendBet(std::size_t i, char* out) const
{
    const auto [front, back] = lineParts(i);
    const std::uint8_t* f = fronts_.data() + front * static_cast<std::size_t>(frontWidth_);
    for (int k = 0; k < frontWidth_; ++k) {
        if (k > 0)
            *out++ = ' ';
        out = putNumber(out, f[k]);
    }
    if (back != kNoBack) {
        *out++ = '+';
        const std::uint8_t* b = backs_.data() + back * static_cast<std::size_t>(backWidth_);
        for (int k = 0; k < backWidth_; ++k) {
            if (k > 0)
                *out++ = ' ';
            out = putNumber(out, b[k]);
        }
    }
    return out;
}

std::string BetList::bet(std::size_t i) const
{
    std::array<char, 64> text{};
    char* end = appendBet(i, text.data());
    return std::string(text.data(), static_cast<std::size_t>(end - text.data()));
}

std::string BetList::numbered(std::size_t i) const
{
    std::array<char, 80> text{};
    const int n = std::snprintf(text.data(), text.size(), "%.7zu    ", i + 1);
    char* end = appendBet(i, text.data() + n);
    if (blankAfterLast_)
        *end++ = ' ';
    return std::string(text.data(), static_cast<std::size_t>(end - text.data()));
}

bool BetList::writeNumbered(const std::string& path, Progress* progress, std::string& error) const
{
    return write(path, true, progress, error);
}

bool BetList::writeSaved(const std::string& path, Progress* progress, std::string& error) const
{
    return write(path, false, progress, error);
}

namespace {

// Writes bet lines into 1 MiB blocks handed to a TextWriter. Every line is laid out in a small
// template — number, four blanks, front text — copied out whole, and then the changing parts (the
// number, the back text with its CR LF) are stored straight into the output: copying bytes just
// stored into the template would stall on every line.
class LineEmitter {
public:
    LineEmitter(TextWriter& writer, bool numbered, int frontWidth, int backWidth,
                const std::vector<std::uint8_t>& backs, Progress* progress, std::size_t total, bool blankAfterLast)
        : writer_(writer), numbered_(numbered), frontWidth_(frontWidth), progress_(progress), total_(total),
          chunk_(kChunk + kBlockRoom + 256)
    {
        out_ = chunk_.data();
        const std::size_t tuples = backWidth > 0 ? backs.size() / static_cast<std::size_t>(backWidth) : 0;
        noBack_ = tuples;
        backText_.assign((tuples + 1) * kBackStride, '\0');
        backLength_ = static_cast<std::size_t>(3 * backWidth) + 2;
        for (std::size_t b = 0; b <= tuples; ++b) {
            char* t = backText_.data() + b * kBackStride;
            if (b < tuples) {
                for (int k = 0; k < backWidth; ++k) {
                    *t++ = k == 0 ? '+' : ' ';
                    t = putNumber(t, backs[b * static_cast<std::size_t>(backWidth) + static_cast<std::size_t>(k)]);
                }
            }
            if (b == tuples && blankAfterLast)
                *t++ = ' ';
            *t++ = '\r';
            *t++ = '\n';
        }
        noBackLength_ = blankAfterLast ? 3 : 2;
    }

    std::size_t noBack() const { return noBack_; }

    /// Lays out the template for a new front combination.
    void setFront(const std::uint8_t* front)
    {
        numberLength_ = numbered_ ? counter_.length() : 0;
        char* t = line_.data();
        if (numbered_) {
            std::memcpy(t + numberLength_, "    ", 4);
            t += numberLength_ + 4;
        }
        for (int k = 0; k < frontWidth_; ++k) {
            if (k > 0)
                *t++ = ' ';
            t = putNumber(t, front[k]);
        }
        backAt_ = static_cast<std::size_t>(t - line_.data());
    }

    /// One line: the front last set with back tuple `back` (noBack() for none). False on a failed
    /// write or a stop.
    bool line(std::size_t back)
    {
        // Fixed-size copies compile to a few moves; the template ends before byte 32 for five numbers.
        if (backAt_ <= 32)
            std::memcpy(out_, line_.data(), 32);
        else
            std::memcpy(out_, line_.data(), 48);
        if (numbered_) {
            counter_.next();
            ++lineNumber_;
            if (counter_.length() != numberLength_)
                relayout();
            counter_.put(out_); // for seven digits its eighth byte is a blank, the first of the four
        }
        std::memcpy(out_ + backAt_, backText_.data() + back * kBackStride, kBackStride);
        out_ += backAt_ + (back == noBack_ ? noBackLength_ : backLength_);
        if (static_cast<std::size_t>(out_ - chunk_.data()) >= kChunk && !flush())
            return false;
        if (progress_ && ++done_ % kProgressLines == 0) {
            if (progress_->cancelled())
                return false;
            progress_->report(static_cast<std::int64_t>(done_), static_cast<std::int64_t>(total_));
        }
        return true;
    }

    /// All lines of one front with every back tuple 0..tuples-1, numbered. Where the numbers keep
    /// seven digits the whole block is copied from a template laid out once and only the numbers
    /// and the front text are stored into it; otherwise line by line.
    bool pairedBlock(const std::uint8_t* front, std::size_t tuples)
    {
        const std::size_t frontLength = static_cast<std::size_t>(3 * frontWidth_ - 1);
        const std::size_t lineLength = 11 + frontLength + backLength_;
        if (!numbered_ || tuples == 0 || frontLength < 8 || counter_.length() != 7 ||
            lineNumber_ + tuples > 9'999'999 || tuples * lineLength > kBlockRoom) {
            setFront(front);
            for (std::size_t b = 0; b < tuples; ++b)
                if (!line(b))
                    return false;
            return true;
        }
        if (blockTuples_ != tuples) {
            block_.assign(tuples * lineLength, ' ');
            for (std::size_t b = 0; b < tuples; ++b)
                std::memcpy(block_.data() + b * lineLength + 11 + frontLength, backText_.data() + b * kBackStride,
                            backLength_);
            blockTuples_ = tuples;
        }
        std::array<char, 32> text{};
        char* t = text.data();
        for (int k = 0; k < frontWidth_; ++k) {
            if (k > 0)
                *t++ = ' ';
            t = putNumber(t, front[k]);
        }
        std::memcpy(out_, block_.data(), block_.size());
        for (std::size_t b = 0; b < tuples; ++b) {
            char* p = out_ + b * lineLength;
            counter_.next();
            counter_.put(p); // seven digits and a blank
            std::memcpy(p + 11, text.data(), 8);
            std::memcpy(p + 11 + frontLength - 8, text.data() + frontLength - 8, 8);
        }
        lineNumber_ += tuples;
        out_ += block_.size();
        if (static_cast<std::size_t>(out_ - chunk_.data()) >= kChunk && !flush())
            return false;
        if (progress_ && (done_ + tuples) / kProgressLines != done_ / kProgressLines) {
            if (progress_->cancelled())
                return false;
            progress_->report(static_cast<std::int64_t>(done_ + tuples), static_cast<std::int64_t>(total_));
        }
        done_ += tuples;
        return true;
    }

    bool flush()
    {
        const bool ok =
            writer_.writeRaw(std::string_view(chunk_.data(), static_cast<std::size_t>(out_ - chunk_.data())));
        out_ = chunk_.data();
        return ok;
    }

private:
    static constexpr std::size_t kBackStride = 16;
    static constexpr std::size_t kBlockRoom = 1 << 16;

    // The number grew a digit: move the front text one place on, in the output too.
    void relayout()
    {
        std::array<char, 48> old = line_;
        const std::size_t frontAt = numberLength_ + 4;
        numberLength_ = counter_.length();
        std::memcpy(line_.data() + numberLength_, "    ", 4);
        std::memcpy(line_.data() + numberLength_ + 4, old.data() + frontAt, backAt_ - frontAt);
        backAt_ += numberLength_ + 4 - frontAt;
        std::memcpy(out_, line_.data(), 48);
    }

    TextWriter& writer_;
    bool numbered_;
    int frontWidth_;
    Progress* progress_;
    std::size_t total_;
    std::size_t done_ = 0;
    std::vector<char> chunk_;
    char* out_ = nullptr;
    LineCounter counter_;
    std::array<char, 48> line_{};
    std::size_t numberLength_ = 0;
    std::size_t backAt_ = 0;
    std::vector<char> backText_;
    std::size_t backLength_ = 2;
    std::size_t noBack_ = 0;
    std::size_t noBackLength_ = 2;
    std::size_t lineNumber_ = 0;
    std::vector<char> block_;
    std::size_t blockTuples_ = 0;
};

} // namespace

bool BetList::write(const std::string& path, bool numberedForm, Progress* progress, std::string& error) const
{
    TextWriter writer(path);
    const std::size_t total = size();
    LineEmitter emit(writer, numberedForm, frontWidth_, backWidth_, backs_, progress, total,
                     numberedForm && blankAfterLast_);
    const auto w = static_cast<std::size_t>(frontWidth_);
    bool going = true;
    if (paired_) {
        const std::size_t backs = backCount();
        for (std::size_t f = 0; going && f < frontCount(); ++f)
            going = emit.pairedBlock(fronts_.data() + f * w, backs);
    } else {
        std::size_t shown = static_cast<std::size_t>(-1);
        for (std::size_t i = 0; going && i < lineFront_.size(); ++i) {
            if (lineFront_[i] != shown) {
                shown = lineFront_[i];
                emit.setFront(fronts_.data() + shown * w);
            }
            going = emit.line(lineBack_[i] == kNoBack ? emit.noBack() : lineBack_[i]);
        }
    }
    if (progress && progress->cancelled()) {
        error = "已停止";
        return false;
    }
    if (going)
        emit.flush();
    if (!writer.commit()) {
        error = writer.error();
        return false;
    }
    if (progress)
        progress->report(static_cast<std::int64_t>(total), static_cast<std::int64_t>(total));
    return true;
}

bool BetList::writeCsv(const std::string& path, Progress* progress, std::string& error) const
{
    BetCsvWriter out(path, frontWidth_, hasBack() ? backWidth_ : 0, progress, size());
    const auto w = static_cast<std::size_t>(frontWidth_);
    const auto bw = static_cast<std::size_t>(backWidth_);
    std::vector<BetCsvWriter::BackText> backTexts;
    for (std::size_t b = 0; b < backCount(); ++b)
        backTexts.push_back(out.backText(backs_.data() + b * bw));
    const BetCsvWriter::BackText noBack = out.backText(nullptr);
    bool going = true;
    if (paired_) {
        for (std::size_t f = 0; going && f < frontCount(); ++f) {
            out.setFront(fronts_.data() + f * w);
            for (std::size_t b = 0; going && b < backTexts.size(); ++b)
                going = out.line(backTexts[b]);
        }
    } else {
        std::size_t shown = static_cast<std::size_t>(-1);
        for (std::size_t i = 0; going && i < lineFront_.size(); ++i) {
            if (lineFront_[i] != shown) {
                shown = lineFront_[i];
                out.setFront(fronts_.data() + shown * w);
            }
            going = out.line(lineBack_[i] == kNoBack ? noBack : backTexts[lineBack_[i]]);
        }
    }
    return out.finish(error);
}

std::vector<std::uint8_t> backPairs(const std::vector<int>& chosen, int backTotal)
{
    std::vector<int> numbers;
    for (int n = 1; n <= backTotal; ++n)
        if (std::find(chosen.begin(), chosen.end(), n) != chosen.end())
            numbers.push_back(n);
    std::vector<std::uint8_t> pairs;
    for (std::size_t a = 0; a < numbers.size(); ++a)
        for (std::size_t b = a + 1; b < numbers.size(); ++b) {
            pairs.push_back(static_cast<std::uint8_t>(numbers[a]));
            pairs.push_back(static_cast<std::uint8_t>(numbers[b]));
        }
    return pairs;
}

} // namespace quorlin

#include "filter/bet_list.h"

#include "common/progress.h"
#include "common/text_writer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

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

// The running line number as text: at least seven digits, counted up in place.
class LineCounter {
public:
    LineCounter() { digits_.fill('0'); }
    void next()
    {
        for (std::size_t i = digits_.size(); i-- > 0;) {
            if (digits_[i] != '9') {
                ++digits_[i];
                if (i < first_)
                    first_ = i;
                return;
            }
            digits_[i] = '0';
        }
    }
    char* put(char* out) const
    {
        const std::size_t n = digits_.size() - first_;
        std::memcpy(out, digits_.data() + first_, n);
        return out + n;
    }

private:
    std::array<char, 12> digits_{};
    std::size_t first_ = 12 - 7;
};

} // namespace

BetList BetList::paired(int frontWidth, std::vector<std::uint8_t> fronts, int backWidth, std::vector<std::uint8_t> backs)
{
    BetList list;
    list.paired_ = true;
    list.frontWidth_ = frontWidth;
    list.backWidth_ = backWidth;
    list.fronts_ = std::move(fronts);
    list.backs_ = std::move(backs);
    return list;
}

BetList BetList::lines(int frontWidth, std::vector<std::uint8_t> fronts, int backWidth, std::vector<std::uint8_t> backs,
                       std::vector<std::uint32_t> lineFront, std::vector<std::uint16_t> lineBack)
{
    BetList list;
    list.paired_ = false;
    list.frontWidth_ = frontWidth;
    list.backWidth_ = backWidth;
    list.fronts_ = std::move(fronts);
    list.backs_ = std::move(backs);
    list.lineFront_ = std::move(lineFront);
    list.lineBack_ = std::move(lineBack);
    return list;
}

char* BetList::appendBet(std::size_t i, char* out) const
{
    std::size_t front = 0;
    std::size_t back = kNoBack;
    if (paired_) {
        const std::size_t backs = backCount();
        front = i / backs;
        back = i % backs;
    } else {
        front = lineFront_[i];
        back = lineBack_[i];
    }
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

bool BetList::write(const std::string& path, bool numberedForm, Progress* progress, std::string& error) const
{
    TextWriter writer(path);
    std::vector<char> chunk(kChunk + 128);
    char* out = chunk.data();
    LineCounter counter;
    const std::size_t total = size();
    for (std::size_t i = 0; i < total; ++i) {
        if (progress && i % kProgressLines == 0) {
            if (progress->cancelled()) {
                error = "已停止";
                return false;
            }
            progress->report(static_cast<std::int64_t>(i), static_cast<std::int64_t>(total));
        }
        if (numberedForm) {
            counter.next();
            out = counter.put(out);
            std::memcpy(out, "    ", 4);
            out += 4;
        }
        out = appendBet(i, out);
        *out++ = '\r';
        *out++ = '\n';
        if (static_cast<std::size_t>(out - chunk.data()) >= kChunk) {
            if (!writer.writeRaw(std::string_view(chunk.data(), static_cast<std::size_t>(out - chunk.data()))))
                break;
            out = chunk.data();
        }
    }
    if (out != chunk.data())
        writer.writeRaw(std::string_view(chunk.data(), static_cast<std::size_t>(out - chunk.data())));
    if (!writer.commit()) {
        error = writer.error();
        return false;
    }
    if (progress)
        progress->report(static_cast<std::int64_t>(total), static_cast<std::int64_t>(total));
    return true;
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

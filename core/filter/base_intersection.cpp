#include "filter/base_intersection.h"

#include "common/progress.h"
#include "common/text_reader.h"
#include "common/text_writer.h"
#include "store/lottery_state.h"
#include "store/u_public.h"

#include <charconv>
#include <filesystem>

namespace quorlin {

namespace {

/// Items of a bet line: split at blanks, "+" and ",".
std::vector<std::string_view> lineItems(std::string_view line)
{
    std::vector<std::string_view> items;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '+' || line[i] == ','))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '+' && line[i] != ',')
            ++i;
        if (i > start)
            items.push_back(line.substr(start, i - start));
    }
    return items;
}

bool readInt(std::string_view item, int& value)
{
    const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), value);
    return ec == std::errc() && end == item.data() + item.size();
}

std::string fileName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

} // namespace

BaseIntersection::BaseIntersection(const LotteryState& state)
    : total_(state.caisum), width_(state.caisel), backTotal_(state.housum), backWidth_(state.housel)
{
    forEachCombination(total_, width_, [&](std::span<const std::int32_t> c) {
        for (const std::int32_t n : c)
            numbers_.push_back(static_cast<std::uint8_t>(n));
    });
    counts_.assign(numbers_.size() / static_cast<std::size_t>(width_), 0);
    seen_.assign(counts_.size(), 0);
    // rankBase_[i][n]: combinations passed over when position i holds n instead of 1, so a rank is
    // a few table look-ups (the combination order's rank, less one).
    const auto stride = static_cast<std::size_t>(total_ + 2);
    rankBase_.assign(static_cast<std::size_t>(width_) * stride, 0);
    for (int i = 0; i < width_; ++i)
        for (int n = 2; n <= total_ + 1; ++n)
            rankBase_[static_cast<std::size_t>(i) * stride + static_cast<std::size_t>(n)] =
                rankBase_[static_cast<std::size_t>(i) * stride + static_cast<std::size_t>(n - 1)] +
                static_cast<std::uint32_t>(choose(total_ - (n - 1), width_ - i - 1));
    backs_.assign(static_cast<std::size_t>(backTotal_), 0);
}

bool BaseIntersection::readFile(const std::string& path, std::string& error)
{
    TextReader reader;
    if (!reader.open(path)) {
        error = reader.error();
        return false;
    }
    std::fill(seen_.begin(), seen_.end(), 0);
    backFlag_ = true;
    const std::size_t backLength = static_cast<std::size_t>(3 * width_ + 3 * backWidth_ - 1);
    const auto stride = static_cast<std::size_t>(total_ + 2);
    std::string line;
    while (reader.next(line)) {
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        if (line.size() < backLength)
            backFlag_ = false;
        const std::vector<std::string_view> items = lineItems(line);
        const std::string where = fileName(path) + "第" + std::to_string(reader.lineNumber()) + "行";
        std::size_t row = 0;
        int previous = 0;
        for (int i = 0; i < width_; ++i) {
            int n = 0;
            if (static_cast<std::size_t>(i) >= items.size() || !readInt(items[static_cast<std::size_t>(i)], n) ||
                n <= previous || n > total_ - (width_ - 1 - i)) {
                error = where + "的前" + std::to_string(width_) + "个号码不是1到" + std::to_string(total_) +
                        "之间从小到大的组合：" + line;
                return false;
            }
            const std::size_t base = static_cast<std::size_t>(i) * stride;
            row += rankBase_[base + static_cast<std::size_t>(n)] - rankBase_[base + static_cast<std::size_t>(previous + 1)];
            previous = n;
        }
        if (!seen_[row]) {
            seen_[row] = 1;
            ++counts_[row];
        }
        for (int k = 0; backFlag_ && k < backWidth_; ++k) {
            const std::size_t at = static_cast<std::size_t>(width_ + k);
            int b = 0;
            if (at >= items.size() || !readInt(items[at], b) || b < 1 || b > backTotal_) {
                error = where + "的特码不是1到" + std::to_string(backTotal_) + "之间的号码：" + line;
                return false;
            }
            backs_[static_cast<std::size_t>(b - 1)] = 1;
        }
    }
    if (reader.failed()) {
        error = reader.error();
        return false;
    }
    return true;
}

BaseIntersection::Result BaseIntersection::run(const std::vector<std::string>& files, const Options& options,
                                               Progress* progress)
{
    Result result;
    std::fill(counts_.begin(), counts_.end(), 0);
    std::fill(backs_.begin(), backs_.end(), 0);
    const auto fileCount = static_cast<std::int64_t>(files.size());
    const std::int64_t steps = fileCount + 1;
    for (std::size_t f = 0; f < files.size(); ++f) {
        if (progress) {
            if (progress->cancelled()) {
                result.error = "已停止";
                return result;
            }
            progress->report(static_cast<std::int64_t>(f), steps);
        }
        if (!readFile(files[f], result.error))
            return result;
    }
    switch (options.back) {
    case BackChoice::Imported:
        break;
    case BackChoice::None:
        backFlag_ = false;
        break;
    case BackChoice::All:
        std::fill(backs_.begin(), backs_.end(), 1);
        break;
    case BackChoice::Typed:
        std::fill(backs_.begin(), backs_.end(), 0);
        for (const int k : options.typedBacks)
            if (k >= 1 && k <= backTotal_)
                backs_[static_cast<std::size_t>(k - 1)] = 1;
        break;
    }
    const std::int64_t low = fileCount - options.highTolerance;
    const std::int64_t high = fileCount - options.lowTolerance;
    std::vector<std::uint8_t> fronts;
    for (std::size_t r = 0; r < counts_.size(); ++r)
        if (counts_[r] >= low && counts_[r] <= high && files.size() > 0)
            fronts.insert(fronts.end(), numbers_.begin() + static_cast<std::ptrdiff_t>(r * static_cast<std::size_t>(width_)),
                          numbers_.begin() + static_cast<std::ptrdiff_t>((r + 1) * static_cast<std::size_t>(width_)));
    result.withBacks = backFlag_;
    if (backFlag_) {
        std::vector<int> chosen;
        for (int b = 1; b <= backTotal_; ++b)
            if (backs_[static_cast<std::size_t>(b - 1)])
                chosen.push_back(b);
        result.bets = BetList::paired(width_, std::move(fronts), backWidth_, backPairs(chosen, backTotal_));
    } else {
        const std::size_t rows = fronts.size() / static_cast<std::size_t>(width_);
        std::vector<std::uint32_t> lineFront(rows);
        for (std::size_t i = 0; i < rows; ++i)
            lineFront[i] = static_cast<std::uint32_t>(i);
        result.bets = BetList::lines(width_, std::move(fronts), 0, {}, std::move(lineFront),
                                     std::vector<std::uint16_t>(rows, BetList::kNoBack));
    }
    if (progress)
        progress->report(steps, steps);
    result.ok = true;
    return result;
}

bool BaseIntersection::write(const Result& result, const std::string& path, Progress* progress, std::string& error)
{
    TextWriter writer(path);
    const std::size_t lines = result.bets.size();
    for (std::size_t i = 0; i < lines; ++i) {
        if (progress && i % 65536 == 0) {
            if (progress->cancelled()) {
                error = "已停止";
                return false;
            }
            progress->report(static_cast<std::int64_t>(i), static_cast<std::int64_t>(lines));
        }
        writer.writeLine(result.line(i));
    }
    if (!writer.commit()) {
        error = writer.error();
        return false;
    }
    return true;
}

} // namespace quorlin

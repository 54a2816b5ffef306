#include "filter/base_intersection.h"

#include "common/progress.h"
#include "common/text_writer.h"
#include "filter/bet_line_reader.h"
#include "store/combinations.h"
#include "store/lottery_state.h"

#include <filesystem>

namespace quorlin {

namespace {

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

bool BaseIntersection::readFile(const std::string& path, const Progress* progress, std::string& error)
{
    BetLineReader reader(TicketShape{total_, width_, backTotal_, backWidth_}, BetLineOptions{.numberedToo = true});
    if (!reader.open(path)) {
        error = reader.error();
        return false;
    }
    std::fill(seen_.begin(), seen_.end(), 0);
    const auto stride = static_cast<std::size_t>(total_ + 2);
    BetLine bet;
    std::size_t lines = 0;
    while (reader.next(bet)) {
        // A base may hold millions of lines: a stop is looked at on the way through it.
        if (progress && ++lines % 65536 == 0 && progress->cancelled()) {
            error = "已停止";
            return false;
        }
        std::size_t row = 0;
        int previous = 0;
        for (int i = 0; i < width_; ++i) {
            const int n = bet.front[static_cast<std::size_t>(i)];
            const std::size_t base = static_cast<std::size_t>(i) * stride;
            row += rankBase_[base + static_cast<std::size_t>(n)] -
                   rankBase_[base + static_cast<std::size_t>(previous + 1)];
            previous = n;
        }
        if (!seen_[row]) {
            seen_[row] = 1;
            ++counts_[row];
        }
        // The file's back numbers are those before its first line without them.
        for (int k = 0; reader.backsThroughout() && k < backWidth_; ++k)
            backs_[static_cast<std::size_t>(bet.back[static_cast<std::size_t>(k)] - 1)] = 1;
    }
    backFlag_ = reader.backsThroughout();
    if (reader.failed()) {
        error = fileName(path) + "：" + reader.error();
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
        if (!readFile(files[f], progress, result.error))
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
            fronts.insert(fronts.end(),
                          numbers_.begin() + static_cast<std::ptrdiff_t>(r * static_cast<std::size_t>(width_)),
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

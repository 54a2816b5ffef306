#include "invest/hit_marks.h"

#include <algorithm>

namespace quorlin {

namespace {

/// A straight code or draw as one number, its digits in position order.
std::uint64_t straightKey(std::span<const std::int32_t> numbers)
{
    std::uint64_t key = 0;
    for (const std::int32_t n : numbers)
        key = key * 10 + static_cast<std::uint64_t>(n);
    return key;
}

/// Sum, product and sum of squares of three numbers in one value; equal keys, equal numbers in
/// some order.
std::uint64_t groupKey(std::int64_t a, std::int64_t b, std::int64_t c)
{
    const auto sum = static_cast<std::uint64_t>(a + b + c);
    const auto squares = static_cast<std::uint64_t>(a * a + b * b + c * c);
    const auto product = static_cast<std::uint64_t>(a * b * c);
    return (sum << 48) | (squares << 24) | product;
}

} // namespace

std::vector<std::int32_t> markHits(const CodeList& codes, PlayType type, const Grid<std::int32_t>& hisfull)
{
    const std::size_t digits = codes.cols();
    const bool straight = type == PlayType::Zhixuan;
    std::vector<std::uint64_t> keys;
    std::vector<std::int32_t> numbers(digits);
    for (std::size_t r = 0; r < codes.rows(); ++r) {
        const auto code = codes.row(r);
        std::copy(code.begin(), code.end(), numbers.begin());
        keys.push_back(straight ? straightKey(numbers) : groupKey(code[0], code[1], code[2]));
    }
    std::sort(keys.begin(), keys.end());

    std::vector<std::int32_t> marks(hisfull.rows());
    std::int64_t lastHit = -1;
    for (std::size_t i = 0; i < hisfull.rows(); ++i) {
        const std::span<const std::int32_t> fronts = hisfull.row(i).subspan(1, digits);
        bool hit = false;
        if (straight) {
            // A number above 9 is no digit, and its key would collide with other draws'.
            hit = std::all_of(fronts.begin(), fronts.end(), [](std::int32_t n) { return n >= 0 && n <= 9; }) &&
                  std::binary_search(keys.begin(), keys.end(), straightKey(fronts));
        } else {
            hit = std::binary_search(keys.begin(), keys.end(), groupKey(fronts[0], fronts[1], fronts[2]));
        }
        if (hit)
            lastHit = static_cast<std::int64_t>(i);
        marks[i] = hit ? kHitMark : static_cast<std::int32_t>(static_cast<std::int64_t>(i) - lastHit);
    }
    return marks;
}

std::optional<std::vector<IntervalRow>> intervalStatistics(const std::vector<std::int32_t>& marks)
{
    std::vector<std::int32_t> gaps;
    std::int64_t previous = -1;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (marks[i] != kHitMark)
            continue;
        gaps.push_back(static_cast<std::int32_t>(static_cast<std::int64_t>(i) - previous));
        previous = static_cast<std::int64_t>(i);
    }
    if (gaps.empty())
        return std::nullopt;
    if (marks.back() != kHitMark)
        gaps.push_back(static_cast<std::int32_t>(static_cast<std::int64_t>(marks.size()) - previous + 1));

    const std::int32_t longest = *std::max_element(marks.begin(), marks.end()) + 1;
    std::vector<IntervalRow> rows;
    std::vector<std::int32_t> counts(gaps.size() + 1);
    for (std::int32_t g = 1; g <= longest; ++g) {
        std::fill(counts.begin(), counts.end(), 0);
        std::size_t run = 0;
        for (const std::int32_t gap : gaps) {
            if (gap >= g) {
                ++run;
            } else {
                ++counts[run];
                run = 0;
            }
        }
        for (std::size_t r = 1; r < counts.size(); ++r) {
            if (counts[r] > 0)
                rows.push_back({g, static_cast<std::int32_t>(r), counts[r]});
        }
    }
    return rows;
}

} // namespace quorlin

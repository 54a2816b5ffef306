#include "invest/code_drawing.h"

#include "common/exchange_sort.h"
#include "common/random_source.h"

#include <algorithm>
#include <span>

namespace quorlin {

namespace {

int key(std::span<const std::uint8_t> code)
{
    return 100 * code[0] + 10 * code[1] + code[2];
}

int agreements(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b)
{
    int same = 0;
    for (std::size_t p = 0; p < a.size(); ++p)
        same += a[p] == b[p] ? 1 : 0;
    return same;
}

/// The tests of the group play types that look at the candidate alone: digits never fall, and
/// the number of equal pairs suits the type.
bool groupShapeFits(PlayType type, std::span<const std::uint8_t> code)
{
    int equalPairs = 0;
    for (std::size_t p = 0; p < code.size(); ++p) {
        for (std::size_t q = p + 1; q < code.size(); ++q) {
            if (code[q] < code[p])
                return false;
            equalPairs += code[q] == code[p] ? 1 : 0;
        }
    }
    switch (type) {
    case PlayType::Quanzuxuan:
        return equalPairs != 3;
    case PlayType::Zuxuan3:
        return equalPairs == 1;
    case PlayType::Zuxuan6:
        return equalPairs == 0;
    case PlayType::Zhixuan:
        break;
    }
    return true;
}

/// Candidate `n` against the codes before it.
bool fitsEarlierCodes(PlayType type, const CodeList& codes, std::size_t n)
{
    const auto candidate = codes.row(n);
    int total = 0;
    for (std::size_t e = 0; e < n; ++e) {
        const int same = agreements(candidate, codes.row(e));
        if (type != PlayType::Zhixuan && same == 3)
            return false;
        total += same;
    }
    return total != 3;
}

} // namespace

CodeList drawCodes(PlayType type, int count, int digits, RandomSource& random)
{
    random.reseed();
    CodeList codes(static_cast<std::size_t>(count), static_cast<std::size_t>(digits));
    for (std::size_t n = 0; n < codes.rows(); ++n) {
        const auto candidate = codes.row(n);
        do {
            for (std::uint8_t& digit : candidate)
                digit = static_cast<std::uint8_t>(random.random(10));
        } while ((type != PlayType::Zhixuan && !groupShapeFits(type, candidate)) || !fitsEarlierCodes(type, codes, n));
    }
    sortCodes(codes);
    return codes;
}

void sortCodes(CodeList& codes)
{
    exchangeSortPlaces(
        codes.rows(), [&codes](std::size_t x, std::size_t y) { return key(codes.row(x)) < key(codes.row(y)); },
        [&codes](std::size_t a, std::size_t b) {
            std::swap_ranges(codes.row(a).begin(), codes.row(a).end(), codes.row(b).begin());
        });
}

} // namespace quorlin

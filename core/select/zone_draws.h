#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorlin {

class DrawCursor;
struct LotteryState;

/// The zone a selection method works on: the front numbers (Z = caisum, K = caisel) or the back
/// numbers (Z = housum, K = housel).
enum class Zone { Front, Back };

/// The draw list of a selection method: every draw of the open lottery in issue order with the
/// numbers of one zone in stored column order, and the draw date as stored.
struct ZoneDraws {
    int zoneSize = 0; ///< Z, the numbers 1..Z of the zone
    int perDraw = 0;  ///< K, the numbers of the zone in one draw
    std::vector<std::int32_t> issues;
    std::vector<std::uint8_t> numbers; ///< K per draw
    std::vector<std::uint64_t> masks;  ///< bit n set when the draw holds n
    std::vector<std::string> dates;

    ZoneDraws() = default;
    ZoneDraws(int z, int k) : zoneSize(z), perDraw(k) {}

    std::size_t size() const { return issues.size(); }
    std::span<const std::uint8_t> draw(std::size_t i) const
    {
        return {numbers.data() + i * static_cast<std::size_t>(perDraw), static_cast<std::size_t>(perDraw)};
    }
    bool holds(std::size_t i, int n) const { return (masks[i] >> n) & 1u; }
    /// How many numbers of `bet` draw `i` holds.
    int hits(std::size_t i, std::span<const int> bet) const;
    /// Adds a draw at the end; `zoneNumbers` holds its K numbers of the zone.
    void append(std::int32_t issue, std::span<const int> zoneNumbers, std::string date = {});
};

/// Walks the open lottery's draw cursor from its first row, as the selection windows read the
/// draws; leaves the cursor on its first row.
ZoneDraws readZoneDraws(DrawCursor& cursor, const LotteryState& state, Zone zone);
/// The same draws from the standard history table hisfull (real numbers, no dates).
ZoneDraws historyZoneDraws(const LotteryState& state, Zone zone);

/// The items of 目前投注期: the issue of every draw, then the last issue + 1 for the coming draw
/// (1 when there is no draw). The item index is the target draw of a selection.
std::vector<std::string> targetIssues(const ZoneDraws& draws);

/// Why a method that counts from the draws before its target cannot serve `target`, or empty:
/// the first draw (index 0) has no draw before it.
std::string firstDrawRefusal(std::size_t target);

/// Every draw index at which each number came out, for walking a number's earlier draws.
class DrawOccurrences {
public:
    explicit DrawOccurrences(const ZoneDraws& draws);
    /// The draws below `limit` that hold `n`, oldest first.
    std::span<const std::int32_t> before(int n, std::size_t limit) const;
    /// The latest draw below `limit` that holds `n`; -1 when none does.
    std::int32_t latestBefore(int n, std::size_t limit) const;

private:
    std::vector<std::vector<std::int32_t>> draws_; ///< per number 0..Z
};

/// Numbers as "%.2d", each followed by one blank ("03 11 19 ").
std::string twoDigitText(std::span<const int> numbers);
std::string twoDigitText(std::span<const std::uint8_t> numbers);
/// Numbers in plain decimal, each followed by one blank ("3 11 19 ").
std::string plainText(std::span<const int> numbers);
std::string plainText(std::span<const std::uint8_t> numbers);

} // namespace quorlin

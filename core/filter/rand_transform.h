#pragma once

#include <cstdint>
#include <vector>

namespace quorlin {

class RandomSource;
struct LotteryState;

/// The front numbers of the loaded draws, oldest first, in one flat block: what the exclusion
/// windows relabel.
struct DrawHistory {
    int total = 35;                   ///< caisum
    int width = 5;                    ///< caisel
    std::vector<std::uint8_t> fronts; ///< draws() × width numbers
    std::vector<std::int32_t> issues;

    /// For every position t (0..draws()), number n and residue r: how many draws before t hold n and
    /// lie at a position ≡ r (mod total). The codes of a stage are then counted per number and
    /// residue instead of per draw. Empty until index() is called; the relabelling works without it.
    std::vector<std::uint16_t> residueCounts;

    int draws() const { return static_cast<int>(issues.size()); }
    /// Builds residueCounts (about 7 MB for 3,000 draws of 35 numbers).
    void index();
    const std::uint16_t* residueRow(int t) const
    {
        return residueCounts.data() + static_cast<std::size_t>(t) * static_cast<std::size_t>((total + 1) * total);
    }
    const std::uint8_t* draw(int t) const
    {
        return fronts.data() + static_cast<std::size_t>(t) * static_cast<std::size_t>(width);
    }

    static DrawHistory of(const LotteryState& state);
};

/// How the codes are ranked; the entry that comes first gets rank 1.
enum class RankOrder {
    GapAscending,   ///< gap ascending, equal gaps by count descending (the sum window)
    CountAscending, ///< count ascending, equal counts by gap descending (repeat, bias, follow 次数模式)
    GapDescending,  ///< gap descending, equal gaps by count ascending (follow 间隔模式)
};

/// A random permutation of 1..total (index 0 unused): for each number in turn a number 1..total
/// is drawn, again while an earlier number already has it.
std::vector<int> drawPermutation(RandomSource& rng, int total);

/// The random relabelling of the history (randtransform). The code of number n at draw position t
/// is (perm(n) + t) mod total + 1, so every number's code moves on by one per draw. At position P
/// the codes are counted over the `stage` draws before P (0 = all earlier draws), the gap of a code
/// is the distance back to the newest earlier draw holding it (0 when none), and the codes are
/// ranked by an exchange sort in the given order; number n is relabelled rank(code(n, P)).
class RandTransform {
public:
    RandTransform(const DrawHistory& history, std::vector<int> perm, int stage, RankOrder order);

    int code(int n, int t) const { return (perm_[static_cast<std::size_t>(n)] + t) % history_.total + 1; }

    /// relabel[n] (n = 1..total) at position P alone (0..draws()).
    std::vector<std::uint8_t> relabelAt(int position) const;

    /// The relabelled draws at positions from..to-1, ascending within each draw, and the relabelling
    /// at `to`.
    struct Relabelled {
        std::vector<std::uint8_t> draws;     ///< (to - from) × width
        std::vector<std::uint8_t> relabelTo; ///< index 1..total
    };
    Relabelled relabelled(int from, int to) const;

private:
    void rank(const std::vector<int>& count, const std::vector<int>& lastSeen, int position,
              std::vector<std::uint8_t>& relabel) const;

    const DrawHistory& history_;
    std::vector<int> perm_;
    int stage_;
    RankOrder order_;
};

} // namespace quorlin

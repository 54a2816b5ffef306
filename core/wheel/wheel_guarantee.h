#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

/// A bet of a made wheel: five front numbers, ascending.
using WheelBet = std::vector<int>;

/// What a made wheel promises: for the pool of front numbers and its bankers, whenever every banker
/// is drawn and `ok` (M) of the other drawn numbers lie in the pool, some bet holds the bankers and
/// `hit` (T) of those M (中M保T).
struct WheelGuarantee {
    std::vector<int> pool;    ///< ascending, 5..35 numbers of 1..35
    std::vector<int> bankers; ///< ascending, 0..3 numbers of the pool
    int ok = 4;
    int hit = 4;

    /// The pool without the bankers: the numbers the M-sets are drawn from.
    std::vector<int> freeNumbers() const;
    /// The free numbers of a bet (5 minus the bankers).
    int freeWidth() const { return 5 - static_cast<int>(bankers.size()); }
};

inline constexpr int kWheelBetSize = 5;
inline constexpr int kWheelMaxNumber = 35;
inline constexpr int kWheelMaxBankers = 3;

/// Why the guarantee cannot be asked (empty when it can): a pool of fewer than 5 numbers, a repeated
/// or out-of-range number, bankers outside the pool or more than 3, M or T out of bounds.
std::string wheelGuaranteeProblem(const WheelGuarantee& guarantee);

/// No wheel for the guarantee has fewer bets: the Schönheim bound when M = T (a covering), else 1.
std::size_t wheelLowerBound(const WheelGuarantee& guarantee);

/// Why the pool and its bankers cannot be a wheel's, whatever its size and guarantee (empty when
/// they can): a repeated or out-of-range number, bankers outside the pool or more than 3.
std::string wheelPoolProblem(const WheelGuarantee& guarantee);

/// "中M保T", with bankers "胆码 03 12\t中M保T".
std::string wheelGuaranteeLabel(const WheelGuarantee& guarantee);

/// The refusal of a fourth banker.
inline constexpr const char* kTooManyWheelBankers = "胆码最多3个";

/// Reads typed numbers, separated by blanks, tabs or commas, each one or two digits; the message
/// names the first other field ("号码池 中的 \"x\" 不是号码" for `what` 号码池). Ranges and repeats
/// are wheelGuaranteeProblem's.
std::string readWheelNumbers(std::string_view text, const std::string& what, std::vector<int>& numbers);

/// Reads a typed pool, "BANKERS#OTHERS" or the numbers alone, into the guarantee's pool (bankers
/// and others, ascending) and bankers (ascending); a message when the text is no such pool.
std::string readWheelPool(std::string_view text, WheelGuarantee& guarantee);

/// The pool as typed: "03 12#01 05 07 …" (bankers, "#", the other numbers), without bankers the
/// numbers alone; two digits each, one blank apart.
std::string wheelPoolText(const WheelGuarantee& guarantee);

/// The M-sets of the free numbers, as masks over their indexes (bit i: freeNumbers()[i]), each with
/// a rank 0..count()-1; and, for a bet's mask, every M-set it covers (T or more in common).
class MSetIndex {
public:
    MSetIndex(int numbers, int ok, int hit);

    std::uint64_t count() const { return count_; }
    int numbers() const { return numbers_; }
    std::uint64_t rank(std::uint64_t mask) const;
    std::uint64_t maskOf(std::uint64_t rank) const;

    /// Calls f(rank) for every M-set with at least T numbers of `bet`.
    template <typename F> void forEachCovered(std::uint64_t bet, F&& f) const
    {
        const std::uint64_t outside = full() & ~bet;
        for (int inBet = hit_; inBet <= ok_; ++inBet)
            forEachChoice(bet, inBet, [&](std::uint64_t a) {
                forEachChoice(outside, ok_ - inBet, [&](std::uint64_t b) { f(rank(a | b)); });
            });
    }

    /// Calls f(mask) for every k-subset of the bits of `from`.
    template <typename F> static void forEachChoice(std::uint64_t from, int k, F&& f)
    {
        int bits[64];
        int n = 0;
        for (int i = 0; i < 64; ++i)
            if (from >> i & 1u)
                bits[n++] = i;
        if (k < 0 || k > n)
            return;
        int pick[8];
        for (int i = 0; i < k; ++i)
            pick[i] = i;
        for (;;) {
            std::uint64_t mask = 0;
            for (int i = 0; i < k; ++i)
                mask |= std::uint64_t{1} << bits[pick[i]];
            f(mask);
            int i = k - 1;
            while (i >= 0 && pick[i] == n - k + i)
                --i;
            if (i < 0)
                return;
            ++pick[i];
            for (int j = i + 1; j < k; ++j)
                pick[j] = pick[j - 1] + 1;
        }
    }

    std::uint64_t full() const { return numbers_ >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << numbers_) - 1; }

private:
    int numbers_, ok_, hit_;
    std::uint64_t count_ = 0;
    std::vector<std::uint64_t> binom_; // binom_[n * 8 + k] = C(n, k), k ≤ 7
};

/// The bets as masks over the free numbers; the message is the guarantee's refusal, or names the
/// first bet (1-based) that is not five distinct pool numbers holding every banker.
std::string wheelBetMasks(const WheelGuarantee& guarantee, const std::vector<WheelBet>& bets,
                          std::vector<std::uint64_t>& masks);

/// The bet of a mask: the bankers and the free numbers, ascending.
WheelBet wheelBetOf(const WheelGuarantee& guarantee, std::uint64_t mask);

/// How many bets cover each M-set (by rank).
std::vector<std::uint32_t> wheelCoverCounts(const MSetIndex& index, const std::vector<std::uint64_t>& masks);

/// True when every M-set is covered; the guarantee must be valid and the bets well formed.
bool verifyWheel(const WheelGuarantee& guarantee, const std::vector<WheelBet>& bets);

} // namespace quorlin

// The exchange sort: the rule on a small fixture, and every tuned form against the rule on random
// entries with many equal keys, in the orders and entry shapes its callers use.
#include "common/exchange_sort.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

using namespace quorlin;

namespace {

TEST(ExchangeSort, LeavesEqualKeysWhereThePairwiseSwapsPutThem)
{
    // A stable sort would give 0e 1b 1d 2a 2c: the exchanges reverse the ones and keep the twos.
    std::vector<std::pair<int, char>> entries{{2, 'a'}, {1, 'b'}, {2, 'c'}, {1, 'd'}, {0, 'e'}};
    exchangeSort(entries.begin(), entries.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    const std::vector<std::pair<int, char>> expected{{0, 'e'}, {1, 'd'}, {1, 'b'}, {2, 'a'}, {2, 'c'}};
    EXPECT_EQ(entries, expected);
}

constexpr int kRounds = 3000;
constexpr int kPayloadBits = 8;

/// Small key ranges give many equal keys; lengths pass the four-pass blocks' edges.
struct RandomEntries {
    std::mt19937 rng{20240601};
    std::size_t length() { return std::uniform_int_distribution<std::size_t>(0, 70)(rng); }
    std::int64_t key(int range) { return std::uniform_int_distribution<std::int64_t>(-range, range)(rng); }
    int range() { return std::uniform_int_distribution<int>(0, 4)(rng); }
};

/// Packed entries: a small key above a payload of the entry's first place, so that equal keys
/// stay distinguishable.
template <class T> std::vector<T> packedEntries(RandomEntries& random, bool negativeKeys)
{
    const std::size_t n = random.length();
    const int range = random.range();
    std::vector<T> entries(n);
    for (std::size_t i = 0; i < n; ++i) {
        std::int64_t key = random.key(range);
        if (!negativeKeys)
            key += range;
        entries[i] = static_cast<T>(static_cast<T>(key) * (T{1} << kPayloadBits) + static_cast<T>(i));
    }
    return entries;
}

template <KeyOrder Order, class T> std::vector<T> sortedByRule(std::vector<T> entries)
{
    exchangeSort(entries.begin(), entries.end(), [](T x, T y) {
        const auto kx = x >> kPayloadBits;
        const auto ky = y >> kPayloadBits;
        return Order == KeyOrder::SmallestFirst ? kx < ky : kx > ky;
    });
    return entries;
}

template <KeyOrder Order, class T, class Tuned> void expectPackedFormKeepsTheRule(bool negativeKeys, Tuned tuned)
{
    RandomEntries random;
    for (int round = 0; round < kRounds; ++round) {
        std::vector<T> entries = packedEntries<T>(random, negativeKeys);
        const std::vector<T> expected = sortedByRule<Order>(entries);
        tuned(entries.data(), entries.size());
        ASSERT_EQ(entries, expected) << "round " << round;
    }
}

TEST(ExchangeSort, PackedFormsKeepTheRule)
{
    // The tallies of the selection windows: signed count * 256 + key, both orders.
    expectPackedFormKeepsTheRule<KeyOrder::LargestFirst, std::int64_t>(
        false, exchangeSortPacked<kPayloadBits, KeyOrder::LargestFirst, std::int64_t>);
    expectPackedFormKeepsTheRule<KeyOrder::SmallestFirst, std::int64_t>(
        false, exchangeSortPacked<kPayloadBits, KeyOrder::SmallestFirst, std::int64_t>);
    expectPackedFormKeepsTheRule<KeyOrder::LargestFirst, std::int64_t>(
        true, exchangeSortPacked<kPayloadBits, KeyOrder::LargestFirst, std::int64_t>);
    expectPackedFormKeepsTheRule<KeyOrder::SmallestFirst, std::int64_t>(
        true, exchangeSortPacked<kPayloadBits, KeyOrder::SmallestFirst, std::int64_t>);
    expectPackedFormKeepsTheRule<KeyOrder::SmallestFirst, std::uint64_t>(
        false, exchangeSortPacked<kPayloadBits, KeyOrder::SmallestFirst, std::uint64_t>);
}

TEST(ExchangeSort, FourPassFormKeepsTheRule)
{
    // The transformed build: unsigned key << 8 | code, largest key first.
    expectPackedFormKeepsTheRule<KeyOrder::LargestFirst, std::uint64_t>(
        false, exchangeSortPackedFourPasses<kPayloadBits, KeyOrder::LargestFirst, std::uint64_t>);
    expectPackedFormKeepsTheRule<KeyOrder::SmallestFirst, std::uint64_t>(
        false, exchangeSortPackedFourPasses<kPayloadBits, KeyOrder::SmallestFirst, std::uint64_t>);
    expectPackedFormKeepsTheRule<KeyOrder::LargestFirst, std::int64_t>(
        true, exchangeSortPackedFourPasses<kPayloadBits, KeyOrder::LargestFirst, std::int64_t>);
    expectPackedFormKeepsTheRule<KeyOrder::SmallestFirst, std::int64_t>(
        true, exchangeSortPackedFourPasses<kPayloadBits, KeyOrder::SmallestFirst, std::int64_t>);
}

template <KeyOrder Order> void expectKeyedFormKeepsTheRule()
{
    RandomEntries random;
    for (int round = 0; round < kRounds; ++round) {
        // The relabelling's keys: a gap and a count, one shifted above the other and either negated.
        const std::size_t n = random.length();
        const int range = random.range();
        std::vector<std::pair<std::int64_t, int>> entries(n);
        for (std::size_t i = 0; i < n; ++i) {
            const std::int64_t high = random.key(range) + range;
            const std::int64_t low = random.key(range) + range;
            const std::int64_t key = round % 3 == 0 ? (high << 20) - low : round % 3 == 1 ? low - (high << 20) : high;
            entries[i] = {key, static_cast<int>(i) + 1};
        }
        std::vector<std::int64_t> keys;
        std::vector<int> values;
        for (const auto& [key, value] : entries) {
            keys.push_back(key);
            values.push_back(value);
        }
        exchangeSort(entries.begin(), entries.end(), [](const auto& x, const auto& y) {
            return Order == KeyOrder::SmallestFirst ? x.first < y.first : x.first > y.first;
        });
        exchangeSortKeyed<Order>(keys.data(), values.data(), n);
        std::vector<std::pair<std::int64_t, int>> tuned;
        for (std::size_t i = 0; i < n; ++i)
            tuned.emplace_back(keys[i], values[i]);
        ASSERT_EQ(tuned, entries) << "round " << round;
    }
}

TEST(ExchangeSort, KeyedFormKeepsTheRule)
{
    expectKeyedFormKeepsTheRule<KeyOrder::SmallestFirst>();
    expectKeyedFormKeepsTheRule<KeyOrder::LargestFirst>();
}

} // namespace

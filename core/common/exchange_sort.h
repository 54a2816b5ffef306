#pragma once

// The exchange sort: for every pair of places a < b (a outer, b inner, both ascending) the two
// entries are swapped when the one at b must come first. Equal keys end where this procedure leaves
// them, which is not their first order; trend tables, rankings and relabellings depend on it, so
// no other sort may stand in. exchangeSortPlaces is the rule; the forms below it are the tuned ones
// of the hot loops, each giving exactly its order.

#include <concepts>
#include <cstddef>
#include <functional>
#include <iterator>
#include <utility>

namespace quorlin {

/// The rule on places 0..count-1: swap(a, b) whenever comesFirst(b, a).
template <class ComesFirst, class Swap> void exchangeSortPlaces(std::size_t count, ComesFirst comesFirst, Swap swap)
{
    for (std::size_t a = 0; a < count; ++a)
        for (std::size_t b = a + 1; b < count; ++b)
            if (comesFirst(b, a))
                swap(a, b);
}

/// The rule on a range; comesFirst(x, y) tells that entry x belongs before entry y.
template <std::random_access_iterator It, class ComesFirst = std::less<>>
void exchangeSort(It first, It last, ComesFirst comesFirst = {})
{
    exchangeSortPlaces(
        static_cast<std::size_t>(last - first),
        [&](std::size_t x, std::size_t y) {
            return comesFirst(first[static_cast<std::ptrdiff_t>(x)], first[static_cast<std::ptrdiff_t>(y)]);
        },
        [&](std::size_t a, std::size_t b) {
            std::iter_swap(first + static_cast<std::ptrdiff_t>(a), first + static_cast<std::ptrdiff_t>(b));
        });
}

enum class KeyOrder { SmallestFirst, LargestFirst };

/// A packed entry keeps its key above the low PayloadBits, which ride along with it (a code, a
/// number): comparing whole integers against the far end of the other key's block compares keys.
template <int PayloadBits, KeyOrder Order, std::integral T> constexpr bool packedComesFirst(T x, T y)
{
    constexpr T kPayload = static_cast<T>((T{1} << PayloadBits) - 1);
    if constexpr (Order == KeyOrder::SmallestFirst)
        return x < static_cast<T>(y & ~kPayload);
    else
        return x > static_cast<T>(y | kPayload);
}

/// One exchange of a pass over packed entries: `held` is the entry at place a, `other` the one at
/// b; returns what place b keeps. The swap is done with masks: the outcome depends on the data, and
/// a branch would be guessed wrong about half the time.
template <int PayloadBits, KeyOrder Order, std::integral T> T packedExchangeStep(T& held, T other)
{
    const auto swap = static_cast<T>(T{0} - static_cast<T>(packedComesFirst<PayloadBits, Order>(other, held)));
    const auto change = static_cast<T>((held ^ other) & swap);
    held = static_cast<T>(held ^ change);
    return static_cast<T>(other ^ change);
}

/// Packed entries, the entry at place a held aside while b runs; every swap trades it for entry b.
template <int PayloadBits, KeyOrder Order, std::integral T> void exchangeSortPacked(T* entries, std::size_t count)
{
    for (std::size_t a = 0; a + 1 < count; ++a) {
        T held = entries[a];
        for (std::size_t b = a + 1; b < count; ++b)
            entries[b] = packedExchangeStep<PayloadBits, Order>(held, entries[b]);
        entries[a] = held;
    }
}

/// As exchangeSortPacked, with four consecutive passes run side by side: each takes at every place
/// what the one before it left there, so their chains of compares overlap instead of waiting on
/// each other.
template <int PayloadBits, KeyOrder Order, std::integral T>
void exchangeSortPackedFourPasses(T* __restrict entries, std::size_t count)
{
    const auto step = [](T& held, T other) { return packedExchangeStep<PayloadBits, Order>(held, other); };
    std::size_t a = 0;
    for (; a + 4 < count; a += 4) {
        // The four passes start one place apart ...
        T c0 = entries[a];
        T c1 = step(c0, entries[a + 1]);
        T c2 = step(c1, step(c0, entries[a + 2]));
        T c3 = step(c2, step(c1, step(c0, entries[a + 3])));
        // ... and then step together over the rest.
        for (std::size_t b = a + 4; b < count; ++b)
            entries[b] = step(c3, step(c2, step(c1, step(c0, entries[b]))));
        entries[a] = c0;
        entries[a + 1] = c1;
        entries[a + 2] = c2;
        entries[a + 3] = c3;
    }
    exchangeSortPacked<PayloadBits, Order>(entries + a, count - a);
}

/// Keys with their values in a second array, moved in step; the entry at place a is held aside
/// while b runs, and each exchange is a pair of selects rather than a branch.
template <KeyOrder Order, class Key, class Value> void exchangeSortKeyed(Key* keys, Value* values, std::size_t count)
{
    for (std::size_t a = 0; a + 1 < count; ++a) {
        Key ka = keys[a];
        Value va = values[a];
        for (std::size_t b = a + 1; b < count; ++b) {
            const Key kb = keys[b];
            const Value vb = values[b];
            const bool swap = Order == KeyOrder::SmallestFirst ? kb < ka : ka < kb;
            keys[b] = swap ? ka : kb;
            values[b] = swap ? va : vb;
            ka = swap ? kb : ka;
            va = swap ? vb : va;
        }
        keys[a] = ka;
        values[a] = va;
    }
}

} // namespace quorlin

// The definitions the windows show as tooltips: every range a definition claims is the range its
// indicator really takes over all 324,632 front combinations.
#include "analysis/indicator_glossary.h"
#include "analysis/indicators.h"
#include "filter/combination_table.h"

#include <gtest/gtest.h>

#include <bit>

#include <algorithm>
#include <array>
#include <climits>
#include <functional>
#include <map>

using namespace quorlin;

namespace {

constexpr int kTotal = 35;
constexpr int kCount = 5;

struct Seen {
    int lo = INT_MAX;
    int hi = INT_MIN;
    void add(int v)
    {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
};

// The range every ranged term takes over the whole table, computed by the code's own definitions.
std::map<Term, Seen> enumeratedRanges(const CombinationTable& table)
{
    // The skew and repeat compare with the draw before; 01–05 lets a combination stray farthest
    // (30 = the largest dispersion, the bound of any skew) and still meet it wholly.
    const std::array<std::int32_t, kCount> firstFive{1, 2, 3, 4, 5};
    std::map<Term, Seen> seen;
    std::array<std::int32_t, kCount> comb{};
    for (std::size_t r = 0; r < table.rows(); ++r) {
        const auto row = table.row(r);
        std::copy(row.begin(), row.end(), comb.begin());
        seen[Term::Big].add(bigcount(comb, kTotal, BigRule::Window));
        seen[Term::BigFilter].add(bigcount(comb, kTotal, BigRule::Filter));
        seen[Term::Odd].add(oddcount(comb));
        seen[Term::Sum].add(sumvalue(comb));
        seen[Term::Span].add(spanvalue(comb));
        seen[Term::Dispersion].add(dispersion(comb, kTotal));
        seen[Term::Skew].add(skewvalue(comb, firstFive));
        seen[Term::Skew].add(skewvalue(comb, comb));
        seen[Term::AC].add(acvalue(comb, kTotal));
        // Both counts of shared numbers with one earlier draw (the follower draws too).
        for (Term shared : {Term::Repeat, Term::RepeatAcross, Term::Follow})
            seen[shared].add(repeatcount(comb, firstFive));
        for (int zones = 1; zones <= 7; ++zones)
            for (int count : zonecounts(comb, kTotal, zones))
                seen[Term::ZoneCount].add(count);
    }
    return seen;
}

} // namespace

TEST(IndicatorGlossary, EveryClaimedRangeIsTheEnumeratedRange)
{
    CombinationTable table;
    table.buildAll(kTotal, kCount);
    ASSERT_EQ(table.rows(), 324632u);
    const std::map<Term, Seen> seen = enumeratedRanges(table);

    for (const GlossaryEntry& entry : glossary()) {
        if (!entry.range)
            continue;
        const auto found = seen.find(entry.term);
        ASSERT_NE(found, seen.end()) << entry.name << " claims a range nothing enumerates";
        EXPECT_EQ(entry.range->minimum, found->second.lo) << entry.name;
        EXPECT_EQ(entry.range->maximum, found->second.hi) << entry.name;
    }
    // The skew can stray no farther than a draw leaves any number uncovered.
    EXPECT_EQ(seen.at(Term::Skew).hi, seen.at(Term::Dispersion).hi);
    // The analysis windows state the same theoretical ranges beside the definitions, except the
    // least dispersion: its established figure is ceil(F/2) with F = 34 div 4, i.e. 4, one above the
    // real least (04 11 18 25 32 has 3); the summary's output keeps that figure.
    for (Indicator indicator : {Indicator::Big, Indicator::Odd, Indicator::Sum, Indicator::Span, Indicator::Dispersion,
                                Indicator::Skew, Indicator::AC, Indicator::Repeat}) {
        const TheoryValues theory = theoryvalues(indicator, kTotal, kCount, {});
        const Seen& real = seen.at(termOf(indicator));
        const int statedLeast = indicator == Indicator::Dispersion ? real.lo + 1 : real.lo;
        EXPECT_EQ(theory.minimum, static_cast<float>(statedLeast)) << glossaryEntry(termOf(indicator)).name;
        EXPECT_EQ(theory.maximum, static_cast<float>(real.hi)) << glossaryEntry(termOf(indicator)).name;
    }

    // The total filter judges the stats it stored with the table (big numbers: 17 and above, by
    // the row's mask): the same ranges.
    Seen big, sum, span, disp, ac;
    const std::uint64_t bigNumbers = ~((std::uint64_t{1} << (kTotal / 2)) - 1);
    for (std::size_t r = 0; r < table.rows(); ++r) {
        const CombinationTable::Stats& st = table.stats(r);
        big.add(std::popcount(table.mask(r) & bigNumbers));
        sum.add(st.sum);
        span.add(st.field(CombinationTable::Span));
        disp.add(st.field(CombinationTable::Dispersion));
        ac.add(st.field(CombinationTable::Ac));
    }
    for (const auto& [term, range] : std::initializer_list<std::pair<Term, Seen>>{
             {Term::BigFilter, big}, {Term::Sum, sum}, {Term::Span, span}, {Term::Dispersion, disp}, {Term::AC, ac}}) {
        EXPECT_EQ(glossaryEntry(term).range->minimum, range.lo) << glossaryEntry(term).name;
        EXPECT_EQ(glossaryEntry(term).range->maximum, range.hi) << glossaryEntry(term).name;
    }
}

TEST(IndicatorGlossary, EveryTermHasOneSentenceWithItsRange)
{
    for (const GlossaryEntry& entry : glossary()) {
        const std::string text = definitionOf(entry.term);
        EXPECT_TRUE(text.starts_with(std::string(entry.name) + "：")) << text;
        EXPECT_TRUE(text.ends_with("。")) << text;
        // One sentence: the only full stop is the last.
        EXPECT_EQ(text.find("。"), text.size() - std::string("。").size()) << text;
        if (entry.range) {
            EXPECT_NE(text.find("范围" + std::to_string(entry.range->minimum) + "–"), std::string::npos) << text;
        }
    }
    EXPECT_EQ(definitionOf(Term::AC),
              "AC值：前区号码两两相减所得不同差值的个数（不像常见算法那样再减去4），范围4–10。");
    // Every term is in the table once, in the order of the enum.
    for (std::size_t i = 0; i < glossary().size(); ++i)
        EXPECT_EQ(static_cast<std::size_t>(glossary()[i].term), i);
}

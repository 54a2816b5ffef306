#pragma once

#include "analysis/indicators.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorlin {

/// Every indicator, condition and statistic a window shows, for the definition it carries as a
/// tooltip.
enum class Term {
    Big,          ///< 大数个数 of the analysis windows: numbers above 35 div 2
    BigFilter,    ///< 大数 of the total filter and 偏态排除: numbers from 35 div 2 up
    Odd,          ///< 奇数
    Sum,          ///< 和值
    Span,         ///< 跨度
    Dispersion,   ///< 散度
    Skew,         ///< 偏度
    AC,           ///< AC值
    Repeat,       ///< 重码 against the draw before
    ZoneCount,    ///< 区间: numbers in one zone
    RepeatAcross, ///< 重码排除's count against any of the last Q draws
    Follow,       ///< 跟随数
    Bankers,      ///< 胆码
    TheoryCycle,  ///< the omission windows' columns …
    TheoryHits,
    Occurrences,
    LongestAbsence,
    ReturnOmission,
    CurrentOmission,
    ColdRatio,
    Chase,            ///< … 追号价值
    TrendOccurrences, ///< the trend grid's summary rows …
    TrendMeanOmission,
    TrendLongestOmission,
    TrendLongestRun,
    HitCount,             ///< the selection windows' 中奖个数
    RandomFrontFrequency, ///< the randomness tests' rows …
    RandomBackFrequency,
    RandomOdd,
    RandomBig,
    RandomSum,
    RandomRepeat,
    RandomGap,
    RandomSumRuns,    ///< … 和值游程
    RandomConclusion, ///< their 结论
};

/// The range a value takes for this game's front zone (5 numbers out of 01–35).
struct TermRange {
    int minimum = 0;
    int maximum = 0;
};

/// One term: its name, how it is computed (one sentence without its range and full stop) and,
/// where it is fixed, its range.
struct GlossaryEntry {
    Term term;
    const char* name;
    const char* definition;
    std::optional<TermRange> range;
};

/// Every term, in the order of the enum.
std::span<const GlossaryEntry> glossary();
const GlossaryEntry& glossaryEntry(Term term);
/// The tooltip text: "名称：定义，范围 a–b。".
std::string definitionOf(Term term);
/// The same text for any name, definition and range.
std::string definitionText(std::string_view name, std::string_view definition, std::optional<TermRange> range);
/// The term of an analysis window's indicator (big numbers by the windows' rule).
Term termOf(Indicator indicator);

} // namespace quorlin

#pragma once

#include "analysis/indicators.h"

namespace quorlin {

/// The texts of one indicator window (大小分析 … 重码分析): captions, titles, the summary's labels
/// and its two advice texts.
struct IndicatorTexts {
    Indicator indicator;
    const char* className;    ///< Tfrmdaxiao …
    const char* caption;      ///< "大小分析"
    const char* chartTitle;   ///< "最近各期开奖号码大数个数"
    const char* columnTitle;  ///< "大数个数", also the series title
    const char* maximumLabel; ///< "理论最多大数个数："
    const char* minimumLabel;
    const char* averageLabel;
    const char* actualLabel;      ///< "期大数个数总和："
    const char* theoreticalLabel; ///< "期理论大数个数总和："
    const char* highAdvice;
    const char* lowAdvice;
    int tab; ///< the main window's tab
};

/// The eight indicator windows, in tab order (tabs 1 to 8).
const IndicatorTexts (&indicatorWindows())[8];
/// The texts of one indicator.
const IndicatorTexts& textsOf(Indicator indicator);

} // namespace quorlin

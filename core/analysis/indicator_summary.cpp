#include "analysis/indicator_summary.h"

#include "analysis/draw_indicators.h"
#include "analysis/indicator_texts.h"
#include "common/decimal_text.h"
#include "store/lottery_state.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace quorlin {

namespace {

} // namespace

float indicatorValue(const DrawIndicatorRow& row, Indicator indicator)
{
    switch (indicator) {
    case Indicator::Big:
        return row.big;
    case Indicator::Odd:
        return row.odd;
    case Indicator::Sum:
        return row.sum;
    case Indicator::Span:
        return row.span;
    case Indicator::Dispersion:
        return row.dispersion;
    case Indicator::Skew:
        return row.skew;
    case Indicator::AC:
        return row.ac;
    case Indicator::Repeat:
        return row.repeat;
    }
    return 0;
}

IndicatorAnalysis analyseIndicator(Indicator indicator, const std::vector<DrawIndicatorRow>& draws,
                                   const std::vector<std::int32_t>& fronts, int total, int count, int recent)
{
    IndicatorAnalysis a;
    a.indicator = indicator;
    const int n = static_cast<int>(draws.size());
    std::vector<float> values;
    values.reserve(draws.size());
    for (std::size_t i = 0; i < draws.size(); ++i) {
        IndicatorRow row;
        row.issue = std::to_string(draws[i].issue);
        for (int k = 0; k < count; ++k) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "%.2d ",
                          fronts[i * static_cast<std::size_t>(count) + static_cast<std::size_t>(k)]);
            row.numbers += buf;
        }
        const float value = indicatorValue(draws[i], indicator);
        row.value = decimalText(static_cast<double>(value), 0);
        // The totals read the value back from its text, as the window's grid holds it.
        float shown = 0;
        std::from_chars(row.value.data(), row.value.data() + row.value.size(), shown);
        values.push_back(shown);
        a.rows.push_back(std::move(row));
    }
    if (n == 0)
        return a;
    // N beyond the history (a typed number, or 3 with fewer draws) would reach before the first
    // draw: it is kept within 1..draws.
    a.recent = std::clamp(recent, 1, n);
    a.theory = theoryvalues(indicator, total, count, values);
    for (int i = n - a.recent; i < n; ++i)
        a.actualTotal += values[static_cast<std::size_t>(i)];
    a.theoreticalTotal = theoreticalTotal(indicator, total, count, a.recent, values);
    const float A = a.actualTotal;
    const float T = a.theoreticalTotal;
    if (A >= 1.5f * T)
        a.advice = IndicatorAnalysis::Advice::High;
    else if (T >= 1.5f * A)
        a.advice = IndicatorAnalysis::Advice::Low;
    return a;
}

std::vector<std::int32_t> loadedFronts(const LotteryState& state)
{
    return loadedFronts(state, state.bianhuan);
}

std::vector<std::int32_t> loadedFronts(const LotteryState& state, bool transformed)
{
    const Grid<std::int32_t>& history = transformed ? state.hisbian : state.hisfull;
    std::vector<std::int32_t> fronts;
    const std::size_t draws = std::min(static_cast<std::size_t>(std::max(state.recnum, 0)), history.rows());
    for (std::size_t i = 0; i < draws; ++i) {
        const auto row = history.row(i);
        fronts.insert(fronts.end(), row.begin() + 1, row.begin() + 1 + state.caisel);
    }
    return fronts;
}

IndicatorAnalysis analyseIndicator(const LotteryState& state, Indicator indicator, int recent)
{
    return analyseIndicator(indicator, computeDrawIndicators(state, 1), loadedFronts(state), state.caisum, state.caisel,
                            recent);
}

std::vector<std::string> summaryLines(const IndicatorAnalysis& a)
{
    std::vector<std::string> lines;
    if (a.empty())
        return lines;
    const IndicatorTexts& t = textsOf(a.indicator);
    const std::string n = std::to_string(a.recent);
    lines.push_back(t.maximumLabel + decimalText(static_cast<double>(a.theory.maximum), 1));
    lines.push_back(t.minimumLabel + decimalText(static_cast<double>(a.theory.minimum), 1));
    lines.push_back(t.averageLabel + decimalText(static_cast<double>(a.theory.average), 1));
    lines.push_back("最近" + n + t.actualLabel + decimalText(static_cast<double>(a.actualTotal), 1));
    lines.push_back("最近" + n + t.theoreticalLabel + decimalText(static_cast<double>(a.theoreticalTotal), 1));
    if (a.advice == IndicatorAnalysis::Advice::High)
        lines.push_back("最近" + n + t.highAdvice);
    else if (a.advice == IndicatorAnalysis::Advice::Low)
        lines.push_back("最近" + n + t.lowAdvice);
    return lines;
}

} // namespace quorlin

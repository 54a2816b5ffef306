#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quorlin {

class Progress;
struct ZoneDraws;

/// One line of a back-test's history table, as the grid shows it.
struct BacktestRow {
    std::string issue;
    std::string draw;
    std::string bet;
    std::string hits;
    bool operator==(const BacktestRow&) const = default;
};

/// The header of the history table.
inline const std::array<std::string, 4> kBacktestHeader = {"记录期号", "开奖号码", "投注号码", "中奖个数"};

/// One bar of a back-test chart: its label under the bar and its height.
struct ChartBar {
    std::string label;
    int value = 0;
    bool operator==(const ChartBar&) const = default;
};

/// What a selection window shows after 历史统计: the history table, the summary line, the hit-count
/// frequencies and the bars of the history chart.
struct BacktestReport {
    std::vector<BacktestRow> rows; ///< the table's lines below its header
    std::string summary;           ///< the one line of the summary memo
    /// Back-tested draws per hit count 0..K; empty for a method that shows no frequency chart.
    std::vector<int> frequency;
    std::vector<ChartBar> history; ///< issue and hit count of every draw the chart shows
    bool cancelled = false;        ///< stopped before the end; the rest is missing
};

/// How numbers are written in the history table.
enum class NumberForm {
    TwoDigits, ///< "%.2d", each followed by a blank
    Plain,     ///< plain decimal, each followed by a blank
};

/// How a method's draws become its report. The four methods share the frame and differ only here.
struct BacktestLayout {
    std::size_t firstTested = 1; ///< the draws before it get no bet
    std::size_t firstRow = 0;    ///< the first draw the table shows
    std::size_t firstBar = 0;    ///< the first draw the history chart shows
    NumberForm drawForm = NumberForm::TwoDigits;
    NumberForm betForm = NumberForm::TwoDigits;
    std::string untestedHits; ///< the hit-count cell of a draw without a bet
    bool frequency = true;    ///< the method has a frequency table and chart
    /// The draws without a bet take part in the summary with 0 hits (the interval window's summary
    /// counts its first draw).
    bool untestedInSummary = false;
    /// "最大中奖个数：X 最小中奖个数：Y" instead of "最大中奖号码数为X个，最小中奖号码数为Y个".
    bool shortSummary = false;
};

/// The bet of a method for one draw index, given in draw order from layout.firstTested on.
using BetForDraw = std::function<std::vector<int>(std::size_t)>;

/// Back-tests a method over every draw, oldest first: from layout.firstTested on, `betFor` gives the
/// bet for the draw and its hit count is how many of the draw's numbers the bet holds. Reports
/// progress per draw and stops early, marked cancelled, when the progress object says so.
BacktestReport runBacktest(const ZoneDraws& draws, const BacktestLayout& layout, const BetForDraw& betFor,
                           Progress* progress = nullptr);

} // namespace quorlin

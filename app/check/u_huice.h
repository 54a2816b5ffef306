#pragma once

#include "check/condition_backtest.h"
#include "check/condition_run_window.h"

#include <optional>

class BarChart;
class ConditionValueChart;
class QLabel;
class TextGrid;

/// 过滤条件回测: how often the total filter's conditions would have kept the winning front numbers
/// of the recent draws, and at what size of the kept set — per condition and all together, so the
/// player sees what each condition costs in coverage. Beside each hit rate stands what chance
/// gives (随机命中率) and the p of the difference, with a sentence for the picked condition. The
/// condition picked in the summary (or by a click on its column) is charted draw by draw against
/// its range. The conditions come from the total filter window (its 回测 command, or this
/// window's 回测 while it is open); the run works in the background with a progress bar and a
/// stop button.
class Tfrmhuice : public ConditionRunWindow {
    Q_OBJECT
public:
    using ConditionSource = FilterConditionSource;

    Tfrmhuice(LotteryDocument& document, ConditionSource source, QWidget* parent = nullptr);
    ~Tfrmhuice() override;

    /// 回测: takes the conditions from the source and back-tests them over the recent draws.
    void btnhuiceClick() { runWithSourceConditions(); }
    /// Back-tests `settings` over the number of draws in the window's field.
    void runOn(const quorlin::TotalFilterSettings& settings) override;
    /// The result shown, if any.
    const std::optional<quorlin::BacktestResult>& result() const { return result_; }
    /// Charts the winners' values of summary row `index` (a condition, or 全部条件 after them).
    void showCondition(int index);

private:
    void showResult();

    TextGrid* tabsummary_;
    QLabel* lblsuiji_;
    TextGrid* tabhistory_;
    BarChart* chthuice_;
    ConditionValueChart* chtzhi_;
    std::optional<quorlin::BacktestResult> result_;
};

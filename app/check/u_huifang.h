#pragma once

#include "check/condition_run_window.h"
#include "check/scheme_replay.h"

#include <optional>

class BalanceChart;
class QCheckBox;
class QLabel;
class TextGrid;

/// 方案回放: would the total filter's scheme have paid? For each recent draw the list the
/// conditions make from the draws before it is priced against that draw, beside what as many
/// random bets are expected to win: the draws one by one, the totals per prize level, and the
/// running balance of both charted. The conditions come from the total filter window (its 回放
/// command, or this window's 回放 while it is open); the run works in the background with a
/// progress bar and a stop button.
class Tfrmhuifang : public ConditionRunWindow {
    Q_OBJECT
public:
    Tfrmhuifang(LotteryDocument& document, FilterConditionSource source, QWidget* parent = nullptr);
    ~Tfrmhuifang() override;

    /// 回放: takes the conditions from the source and replays them over the recent draws.
    void btnhuifangClick() { runWithSourceConditions(); }
    /// Replays `settings` over the number of draws in the window's field.
    void runOn(const quorlin::TotalFilterSettings& settings) override;
    /// The result shown, if any.
    const std::optional<quorlin::ReplayResult>& result() const { return result_; }

private:
    void showResult();
    void updateCommandStates() override;

    QCheckBox* chkzhuijia_;
    QLabel* lblheji_;
    QLabel* lbljiangji_;
    BalanceChart* chtyingkui_;
    TextGrid* tabdraws_;
    std::optional<quorlin::ReplayResult> result_;
};

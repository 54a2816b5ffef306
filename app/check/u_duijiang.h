#pragma once

#include "check/prize_check.h"
#include "filter/bet_list_reader.h"

#include <QWidget>

#include <memory>
#include <vector>

class BarChart;
class BetCostLine;
class LotteryDocument;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TaskProgressStrip;
class TaskRunner;
class TextGrid;

/// 投注中奖核对: what a bet list (numbered or saved form, with or without back numbers) would have
/// won in the newest draw, a given issue or the last N draws, under the prize table in force on
/// each draw's date: bets per level, fixed money and the best bet per draw, the totals with the
/// stake and the balance, a chart of the bets per level; a click on a draw lists its winning bets.
/// Loading and checking work in the background with a progress bar and a stop button.
class Tfrmduijiang : public QWidget {
    Q_OBJECT
public:
    explicit Tfrmduijiang(LotteryDocument& document, QWidget* parent = nullptr);
    ~Tfrmduijiang() override;

    /// 选择文件: asks for a bet list and loads it.
    void btnfileClick();
    /// Loads the bet list at `path` in the background.
    void load(const QString& path);
    /// 核对: checks the loaded list against the chosen draws in the background.
    void btnduijiangClick();
    /// Lists the winning bets of the draw in row `row` of the draw table.
    void showWinners(int row);
    bool isBusy() const;

    /// The draws of the last check shown; empty before one.
    const std::vector<quorlin::DrawCheck>& checks() const;

private:
    struct Loaded;
    struct Checked;
    void loaded(std::shared_ptr<const Loaded> list, const QString& path);
    /// What the loaded list costs a draw, with 追加 when it is checked.
    void showCost();
    void showChecks();
    void updateCommandStates();

    LotteryDocument& document_;
    TaskRunner* runner_;
    std::shared_ptr<const Loaded> list_;
    // Shared with the draw grid's cells, which the grid may still ask for while the window is
    // destroyed, after its own members are gone.
    std::shared_ptr<const Checked> checked_;

    QLabel* lblfile_;
    BetCostLine* lblcost_;
    QRadioButton* optzuixin_;
    QRadioButton* optqihao_;
    QRadioButton* optzuijin_;
    QLineEdit* edtqihao_;
    QLineEdit* edtqishu_;
    QCheckBox* chkzhuijia_;
    QList<QPushButton*> commands_;
    TaskProgressStrip* strip_;
    TextGrid* tabdraws_;
    QLabel* lblzongji_;
    BarChart* chtlevels_;
    QLabel* lblwinners_;
    TextGrid* tabwinners_;
};

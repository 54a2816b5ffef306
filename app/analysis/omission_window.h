#pragma once

#include "analysis/omission_table.h"

#include <QWidget>

#include <array>

class BarChart;
class LotteryDocument;
class QCheckBox;
class QRadioButton;
class TextGrid;

/// 中奖回补分析选号 and 中奖偏态分析选号: every number of the front or back zone with its
/// occurrences, longest absence, omission and chase value, as a table and a four-series chart. The
/// two windows are this one design; the omission rule is the only step that differs.
class OmissionWindow : public QWidget {
    Q_OBJECT
public:
    /// A tool window over the real numbers of the open lottery's draws; computes the front zone
    /// in number order at once.
    OmissionWindow(LotteryDocument& document, quorlin::OmissionRule rule, QWidget* parent = nullptr);

    /// The table the window shows now.
    const quorlin::OmissionTable& table() const { return table_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    /// Reads the zone chosen in optqianhou, computes its table in the order `sort` and shows it.
    void analyse(quorlin::OmissionSort sort);
    void drawchart();
    void layoutColumns();

    LotteryDocument& document_;
    quorlin::OmissionRule rule_;
    quorlin::OmissionTable table_;
    TextGrid* tabhistory_;
    BarChart* chthistory_;
    QRadioButton* optqian_;
    std::array<QCheckBox*, 4> chk_{};
    QCheckBox* chkhistorybiao_;
    bool columnsPlaced_ = false;
};

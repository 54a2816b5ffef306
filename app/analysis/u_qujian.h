#pragma once

#include "analysis/analysis_view.h"
#include "analysis/zone_table.h"

#include <array>

class QCheckBox;
class QComboBox;

/// 区间分析 (tab 9): the front range cut into Z zones, every loaded draw's count of numbers per
/// zone, and a chart of the counts of the newest N draws, one series per zone.
class Tfrmqujian : public AnalysisView {
    Q_OBJECT
public:
    /// Opens on the real numbers, whatever the mapping.
    explicit Tfrmqujian(LotteryDocument& document, QWidget* parent = nullptr);

    /// The table the view shows now.
    const quorlin::ZoneTable& table() const { return table_; }

protected:
    /// Follows 标准走势 / 变幻走势: the zones of the numbers the main window shows now.
    void compute() override;
    void drawchart() override;
    /// 开始统计 counts the real numbers, even while 变幻走势 is on.
    void btntongjiClick() override;

private:
    void computeIn(bool transformed);

    quorlin::ZoneTable table_;
    QComboBox* comqujian_;
    std::array<QCheckBox*, 7> chkqu_{};
};

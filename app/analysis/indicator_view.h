#pragma once

#include "analysis/analysis_view.h"
#include "analysis/indicator_summary.h"

class QPlainTextEdit;

namespace quorlin {
struct IndicatorTexts;
}

/// One indicator's analysis view (大小分析 … 重码分析, tabs 1 to 8): every loaded draw with its
/// value, the chart of the newest N values and the summary with its advice. The eight views are
/// this one design with the texts of their indicator.
class IndicatorView : public AnalysisView {
    Q_OBJECT
public:
    IndicatorView(LotteryDocument& document, const quorlin::IndicatorTexts& texts, QWidget* parent = nullptr);

    /// The table and summary the view shows now.
    const quorlin::IndicatorAnalysis& analysis() const { return analysis_; }

protected:
    void compute() override;
    void drawchart() override;

private:
    const quorlin::IndicatorTexts& texts_;
    quorlin::IndicatorAnalysis analysis_;
    QPlainTextEdit* mem_;
};

#include "analysis/indicator_view.h"

#include "analysis/indicator_texts.h"
#include "analysis/recent_count_box.h"
#include "common/bar_chart.h"
#include "common/definition_tip.h"
#include "shell/lottery_document.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

constexpr int kGridWidth = 330;
constexpr int kMemoHeight = 150;

} // namespace

IndicatorView::IndicatorView(LotteryDocument& document, const quorlin::IndicatorTexts& texts, QWidget* parent)
    : AnalysisView(document, QString::fromUtf8(texts.className + 1), QString::fromUtf8(texts.caption), "重新统计",
                   parent),
      texts_(texts)
{
    chthistory_->setTitle(QString::fromUtf8(texts.chartTitle));
    chthistory_->addSeries(QString::fromUtf8(texts.columnTitle), Qt::red);
    mem_ = new QPlainTextEdit;
    mem_->setObjectName("mem");
    mem_->setReadOnly(true);
    mem_->setFixedHeight(kMemoHeight);
    side_->addWidget(mem_);
    setGridWidth(kGridWidth);

    comzuijingqishu_->fill(document_.state().recnum);
    compute();
    drawchart();
}

void IndicatorView::compute()
{
    // The core reads the number space of the current mapping (hisbian while 变幻走势 is on).
    analysis_ = quorlin::analyseIndicator(document_.state(), texts_.indicator, comzuijingqishu_->recent());
    showTable(
        {"记录期号", "开奖号码", QString::fromUtf8(texts_.columnTitle)}, static_cast<int>(analysis_.rows.size()),
        [this](int row, int column) {
            const quorlin::IndicatorRow& r = analysis_.rows[static_cast<std::size_t>(row)];
            return QString::fromStdString(column == 0 ? r.issue : column == 1 ? r.numbers : r.value);
        },
        definitionTip(quorlin::termOf(texts_.indicator)));
    QStringList memo{"总结："};
    for (const std::string& line : quorlin::summaryLines(analysis_))
        memo.append(QString::fromStdString(line));
    mem_->setPlainText(memo.join('\n'));
    const auto& state = document_.state();
    mem_->setToolTip(QString::fromStdString(
        quorlin::theoryAverageNote(texts_.indicator, texts_.columnTitle, state.caisum, state.caisel)));
}

void IndicatorView::drawchart()
{
    // The chart follows the box at once, over the table of the last computation.
    const int rows = static_cast<int>(analysis_.rows.size());
    QList<BarChart::Bar> bars;
    for (int i = rows - chartRecent(rows); i < rows; ++i) {
        const quorlin::IndicatorRow& r = analysis_.rows[static_cast<std::size_t>(i)];
        // The bar stands for the value as the grid shows it, read as a whole number.
        bars.append({QString::fromStdString(r.issue), double(QString::fromStdString(r.value).toInt())});
    }
    chthistory_->setBars(0, std::move(bars));
    chthistory_->setValueLabelsVisible(chkhistorybiao_->isChecked());
    chthistory_->draw();
}

#include "select/backtest_frame.h"

#include "common/table_export_menu.h"
#include "select/backtest_bar_chart.h"
#include "select/backtest_table_model.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>
#include <QVBoxLayout>

BacktestFrame::BacktestFrame(const Style& style, QWidget* parent)
    : QWidget(parent), style_(style), model_(new BacktestTableModel(this))
{
    tabhistory_ = new QTableView(this);
    tabhistory_->setObjectName("tabhistory");
    tabhistory_->setModel(model_);
    TableExportMenu::install(tabhistory_);
    tabhistory_->setFixedWidth(style_.tableWidth);
    tabhistory_->verticalHeader()->hide();
    tabhistory_->verticalHeader()->setDefaultSectionSize(20);
    tabhistory_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabhistory_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabhistory_->setWordWrap(false);
    const std::array<int, 4> widths = style_.columnWidths(style_.tableWidth);
    for (int c = 0; c < 4; ++c)
        tabhistory_->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);

    mem_ = new QPlainTextEdit(this);
    mem_->setObjectName("mem");
    mem_->setReadOnly(true);
    mem_->setFixedHeight(44);

    chkhistorybiao_ = new QCheckBox(QStringLiteral("显示标注"), this);
    chkhistorybiao_->setObjectName("chkhistorybiao");
    chthistory_ = new BacktestBarChart(style_.historyTitle, QStringLiteral("中奖个数"), this);
    chthistory_->setObjectName("chthistory");
    if (style_.frequencyChart) {
        chtcishu_ =
            new BacktestBarChart(QStringLiteral("历史中奖次数图表"), QStringLiteral("各中奖号码数出现次数"), this);
        chtcishu_->setObjectName("chtcishu");
        chtcishu_->setMarksShown(true);
    }
    if (style_.marksAtOnce)
        connect(chkhistorybiao_, &QCheckBox::toggled, chthistory_, &BacktestBarChart::setMarksShown);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("历史中奖："), this));
    left->addWidget(tabhistory_, 1);
    left->addWidget(new QLabel(style_.summaryCaption, this));
    left->addWidget(mem_);
    auto* right = new QVBoxLayout;
    right->addWidget(chkhistorybiao_, 0, Qt::AlignRight);
    right->addWidget(chthistory_, 1);
    if (chtcishu_)
        right->addWidget(chtcishu_, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left);
    layout->addLayout(right, 1);
}

void BacktestFrame::showReport(std::shared_ptr<const quorlin::BacktestReport> report)
{
    report_ = std::move(report);
    model_->setReport(report_);
    mem_->setPlainText(QString::fromStdString(report_->summary));
    if (!style_.marksAtOnce)
        chthistory_->setMarksShown(chkhistorybiao_->isChecked());
    chthistory_->setBars(report_->history);
    if (chtcishu_) {
        std::vector<quorlin::ChartBar> bars;
        for (std::size_t k = 0; k < report_->frequency.size(); ++k)
            bars.push_back({std::to_string(k), report_->frequency[k]});
        chtcishu_->setBars(bars);
    }
    if (style_.scrollToEnd)
        tabhistory_->scrollToBottom();
}

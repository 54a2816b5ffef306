#include "analysis/analysis_view.h"

#include "analysis/recent_count_box.h"
#include "common/bar_chart.h"
#include "common/error_handler.h"
#include "common/repaint_throttle.h"
#include "common/text_grid.h"
#include "shell/lottery_document.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kIssueWidth = 60;
constexpr int kNumbersWidth = 120;
// Room around a header's text inside its section.
constexpr int kHeaderPadding = 10;
// A search that switches the mapping many times a second recomputes the view at most this often.
constexpr int kRefreshIntervalMs = 200;

} // namespace

AnalysisView::AnalysisView(LotteryDocument& document, const QString& objectName, const QString& caption,
                           const QString& recountCaption, QWidget* parent)
    : QWidget(parent), document_(document)
{
    setObjectName(objectName);
    setWindowTitle(caption);

    tabhistory_ = new TextGrid;
    tabhistory_->setObjectName("tabhistory");
    tabhistory_->horizontalHeader()->setMinimumSectionSize(1);
    tabhistory_->horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    tabhistory_->viewport()->installEventFilter(this);

    auto* gridPane = new QWidget;
    auto* gridLayout = new QVBoxLayout(gridPane);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->addWidget(new QLabel("历史走势："));
    gridLayout->addWidget(tabhistory_);

    chthistory_ = new BarChart(QString());
    chthistory_->setObjectName("chthistory");
    comzuijingqishu_ = new RecentCountBox;
    chkhistorybiao_ = new QCheckBox("显示标注");
    chkhistorybiao_->setObjectName("chkhistorybiao");
    btntongji_ = new QPushButton(recountCaption);
    btntongji_->setObjectName("btntongji");
    btntongji_->setDefault(true);

    controls_ = new QHBoxLayout;
    controls_->addWidget(new QLabel("最近统计期数："));
    controls_->addWidget(comzuijingqishu_);
    controls_->addSpacing(12);
    controls_->addWidget(chkhistorybiao_);
    controls_->addStretch(1);
    controls_->addWidget(btntongji_);

    auto* sidePane = new QWidget;
    side_ = new QVBoxLayout(sidePane);
    side_->setContentsMargins(0, 0, 0, 0);
    side_->addWidget(chthistory_, 1);
    side_->addLayout(controls_);

    splitter_ = new QSplitter(Qt::Horizontal);
    splitter_->addWidget(gridPane);
    splitter_->addWidget(sidePane);
    splitter_->setStretchFactor(1, 1);
    splitter_->setChildrenCollapsible(false);
    splitter_->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter_);

    connect(chkhistorybiao_, &QCheckBox::toggled, this, [this] { drawchart(); });
    connect(btntongji_, &QPushButton::clicked, this, [this] { runGuarded(this, [this] { btntongjiClick(); }); });
    auto follow = [this] {
        runGuarded(this, [this] {
            compute();
            drawchart();
        });
    };
    throttle_ = new RepaintThrottle(follow, kRefreshIntervalMs, this);
    connect(&document_, &LotteryDocument::mappingChanged, throttle_, &RepaintThrottle::request);
}

void AnalysisView::btntongjiClick()
{
    compute();
    drawchart();
}

void AnalysisView::showTable(QStringList headers, int rows, TextTableModel::Cell cell, const QString& valueTip)
{
    QStringList tips(headers.size(), valueTip);
    if (tips.size() >= 2)
        tips[0] = tips[1] = QString();
    tabhistory_->table().reset(std::move(headers), rows, std::move(cell), std::move(tips));
    layoutColumns();
    scrollToNewest();
}

int AnalysisView::chartRecent(int rows) const
{
    return rows > 0 ? std::clamp(comzuijingqishu_->recent(), 1, rows) : 0;
}

void AnalysisView::setGridWidth(int width)
{
    gridWidth_ = width;
    placeSplitter();
}

void AnalysisView::placeSplitter()
{
    // The split can be placed once the splitter has its width; afterwards the chart takes what
    // the window gains or loses, and the user may move the split.
    if (gridWidth_ > 0 && splitter_->width() > gridWidth_) {
        splitter_->setSizes({gridWidth_, splitter_->width() - gridWidth_});
        gridWidth_ = 0;
    }
}

bool AnalysisView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == splitter_ && event->type() == QEvent::Resize)
        placeSplitter();
    if (watched == tabhistory_->viewport() && event->type() == QEvent::Resize) {
        layoutColumns();
        scrollToNewest();
    }
    return QWidget::eventFilter(watched, event);
}

void AnalysisView::layoutColumns()
{
    // The issue and the numbers have fixed widths; the value columns share what is left.
    const int columns = tabhistory_->table().columnCount();
    if (columns < 2)
        return;
    tabhistory_->setColumnWidth(0, kIssueWidth);
    tabhistory_->setColumnWidth(1, kNumbersWidth);
    const int valueColumns = columns - 2;
    if (valueColumns == 0)
        return;
    const int share = std::max(1, (tabhistory_->viewport()->width() - kIssueWidth - kNumbersWidth) / valueColumns);
    for (int column = 2; column < columns; ++column)
        tabhistory_->setColumnWidth(column, share);
    // Headers wider than their columns (the zones' "01-07号码总数") wrap onto a second line.
    QHeaderView* header = tabhistory_->horizontalHeader();
    const QFontMetrics metrics(header->font());
    bool wraps = false;
    for (int column = 2; column < columns; ++column)
        wraps |= metrics.horizontalAdvance(tabhistory_->table().headerData(column, Qt::Horizontal).toString()) +
                     kHeaderPadding >
                 share;
    header->setFixedHeight((wraps ? 2 : 1) * metrics.lineSpacing() + kHeaderPadding);
}

void AnalysisView::scrollToNewest()
{
    tabhistory_->scrollToBottom();
}

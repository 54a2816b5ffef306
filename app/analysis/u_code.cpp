// Tfrmcode: 开奖号码走势, the trend grid of the main window's first tab.
#include "analysis/u_code.h"

#include "analysis/code_trend_model.h"
#include "analysis/trend_summary_model.h"
#include "common/app_settings.h"
#include "common/context_menu_action.h"
#include "common/repaint_throttle.h"
#include "common/table_export_menu.h"
#include "shell/lottery_document.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kRowHeight = 24;
// A column's width with its one-pixel grid line, which the table view draws inside the column.
constexpr int kGridLine = 1;
constexpr int kIssueWidth = 70 + kGridLine;
constexpr int kDrawTextWidth = 130 + kGridLine;
constexpr int kSeparatorWidth = 8 + kGridLine;
// A rebuild burst (a search switching the mapping) repaints at most this often.
constexpr int kRefreshIntervalMs = 200;

constexpr double kFigureScale = 0.8;

// "显示遗漏" as the player last left it, in this run and in the settings for the next; every tab
// change creates the grid anew.
bool omissionShownInRun = true;
const QString kOmissionShownKey = QStringLiteral("trend/showOmission");
// The draws the summary rows cover: the newest N, or 0 for every draw.
const QString kSummaryDrawsKey = QStringLiteral("trend/summaryDraws");
constexpr int kSummaryChoices[] = {30, 50, 100, 0};

const char* const kOmissionHint =
    "遗漏值：号码自上次开出以来经过的期数（开出当期为●），从表中最早一期往上数；在表中第一次开出之前，"
    "从最早一期起算（最早一期记 1）。";

void setUpGrid(QTableView* grid)
{
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setMinimumSectionSize(1);
    grid->horizontalHeader()->setHighlightSections(false);
    QPalette info = grid->palette();
    info.setColor(QPalette::Base, info.color(QPalette::ToolTipBase));
    grid->setPalette(info);
}

} // namespace

Tfrmcode::Tfrmcode(LotteryDocument& document, QWidget* parent) : QWidget(parent)
{
    setObjectName("frmcode");
    setWindowTitle("号码走势");
    document.rebuildStandard();

    model_ = new CodeTrendModel(document.state(), this);
    grdcode_ = new QTableView(this);
    grdcode_->setObjectName("grdcode");
    grdcode_->setModel(model_);
    // The draw's own item first, then the table's.
    actgonggao_ = addContextMenuAction(grdcode_, "actgonggao", QStringLiteral("开奖公告"));
    connect(actgonggao_, &QAction::triggered, this, [this] {
        if (contextIssue_ != 0)
            emit noticeRequested(contextIssue_);
    });
    auto* separator = new QAction(grdcode_);
    separator->setSeparator(true);
    grdcode_->addAction(separator);
    TableExportMenu::install(grdcode_, QStringLiteral("号码走势"));
    connect(grdcode_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const int issue = issueAt(index.row()); issue != 0)
            emit noticeRequested(issue);
    });
    setUpGrid(grdcode_);
    grdcode_->horizontalHeader()->setFixedHeight(kRowHeight);
    grdcode_->viewport()->installEventFilter(this);

    // The summary rows stay in sight under the grid, in its columns.
    grdtongji_ = new QTableView(this);
    grdtongji_->setObjectName("grdtongji");
    summary_ = new TrendSummaryModel(*model_, this);
    grdtongji_->setModel(summary_);
    TableExportMenu::install(grdtongji_, QStringLiteral("走势统计"));
    setUpGrid(grdtongji_);
    grdtongji_->horizontalHeader()->hide();
    grdtongji_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdtongji_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdtongji_->setFixedHeight(TrendSummaryModel::RowCount * kRowHeight + 2 * grdtongji_->frameWidth());
    for (int row = 0; row < TrendSummaryModel::RowCount; ++row)
        grdtongji_->setSpan(row, 0, 1, 2);
    // Three-digit counts in columns a 1280-pixel window leaves about 21 pixels wide: a smaller
    // font, and a figure never cut down to dots.
    QFont figures = grdtongji_->font();
    figures.setPointSizeF(figures.pointSizeF() * kFigureScale);
    grdtongji_->setFont(figures);
    grdtongji_->setTextElideMode(Qt::ElideNone);

    chkyilou_ = new QCheckBox("显示遗漏", this);
    chkyilou_->setObjectName("chkyilou");
    chkyilou_->setToolTip(QString::fromUtf8(kOmissionHint));
    lbltongji_ = new QLabel(QStringLiteral("统计期数："), this);
    comtongjiqishu_ = new QComboBox(this);
    comtongjiqishu_->setObjectName("comtongjiqishu");
    const QString summaryTip =
        QStringLiteral("表下的统计行（出现次数、平均遗漏、最大遗漏、最大连出）只按最近这些期计算");
    lbltongji_->setToolTip(summaryTip);
    comtongjiqishu_->setToolTip(summaryTip);
    for (const int draws : kSummaryChoices)
        comtongjiqishu_->addItem(draws == 0 ? QStringLiteral("全部") : QStringLiteral("最近%1期").arg(draws), draws);
    const int index = comtongjiqishu_->findData(AppSettings::value(kSummaryDrawsKey, 0).toInt());
    comtongjiqishu_->setCurrentIndex(index < 0 ? comtongjiqishu_->count() - 1 : index);
    summary_->setDraws(comtongjiqishu_->currentData().toInt());
    connect(comtongjiqishu_, &QComboBox::currentIndexChanged, this, [this] {
        const int draws = comtongjiqishu_->currentData().toInt();
        AppSettings::setValue(kSummaryDrawsKey, draws);
        summary_->setDraws(draws);
    });
    auto* options = new QHBoxLayout;
    options->setContentsMargins(4, 0, 4, 0);
    options->addWidget(chkyilou_);
    options->addSpacing(16);
    options->addWidget(lbltongji_);
    options->addWidget(comtongjiqishu_);
    options->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(options);
    layout->addWidget(grdcode_);
    layout->addWidget(grdtongji_);
    const bool omissionShown = AppSettings::flag(kOmissionShownKey, omissionShownInRun);
    chkyilou_->setChecked(omissionShown);
    showOmission(omissionShown);
    connect(chkyilou_, &QCheckBox::toggled, this, [this](bool shown) {
        omissionShownInRun = shown;
        AppSettings::setValue(kOmissionShownKey, shown);
        showOmission(shown);
    });

    throttle_ = new RepaintThrottle([this] { refresh(); }, kRefreshIntervalMs, this);
    connect(&document, &LotteryDocument::changed, this, [this] {
        model_->recount();
        scheduleRefresh();
    });
    layoutColumns();
}

void Tfrmcode::refresh()
{
    model_->reload();
    layoutColumns();
}

void Tfrmcode::scheduleRefresh()
{
    throttle_->request();
}

void Tfrmcode::showOmission(bool shown)
{
    model_->setOmissionShown(shown);
    grdtongji_->setVisible(shown);
    lbltongji_->setVisible(shown);
    comtongjiqishu_->setVisible(shown);
}

int Tfrmcode::issueAt(int row) const
{
    return row < 0 ? 0 : model_->index(row, 0).data().toInt();
}

bool Tfrmcode::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grdcode_->viewport() && event->type() == QEvent::Resize)
        layoutColumns();
    // The menu opens for the row under the mouse; 开奖公告 is for draw rows only.
    if (watched == grdcode_->viewport() && event->type() == QEvent::ContextMenu) {
        contextIssue_ = issueAt(grdcode_->rowAt(static_cast<QContextMenuEvent*>(event)->pos().y()));
        actgonggao_->setEnabled(contextIssue_ != 0);
    }
    return QWidget::eventFilter(watched, event);
}

void Tfrmcode::layoutColumns()
{
    // The number columns share what the fixed columns leave of the width; the pixels that do not
    // divide evenly go one each to columns spread across the blocks, so the grid ends flush right.
    const int columns = model_->columnCount();
    const int numberColumns = columns - 4;
    const int available =
        std::max(numberColumns, grdcode_->viewport()->width() - kIssueWidth - kDrawTextWidth - 2 * kSeparatorWidth);
    const int base = available / numberColumns;
    const int extra = available % numberColumns;
    int numberIndex = 0;
    for (int column = 0; column < columns; ++column) {
        int width = kSeparatorWidth;
        switch (model_->columnKind(column)) {
        case CodeTrendModel::ColumnKind::Issue:
            width = kIssueWidth;
            break;
        case CodeTrendModel::ColumnKind::DrawText:
            width = kDrawTextWidth;
            break;
        case CodeTrendModel::ColumnKind::Separator:
            break;
        case CodeTrendModel::ColumnKind::Front:
        case CodeTrendModel::ColumnKind::Back:
            width = base + (numberIndex + 1) * extra / numberColumns - numberIndex * extra / numberColumns;
            ++numberIndex;
            break;
        }
        grdcode_->setColumnWidth(column, width);
        grdtongji_->setColumnWidth(column, width);
    }
}

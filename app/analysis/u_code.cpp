// Tfrmcode: 开奖号码走势, the trend grid of the main window's first tab.
#include "analysis/u_code.h"

#include "analysis/code_trend_model.h"
#include "common/repaint_throttle.h"
#include "shell/lottery_document.h"

#include <QEvent>
#include <QHeaderView>
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
    grdcode_->setSelectionMode(QAbstractItemView::NoSelection);
    grdcode_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdcode_->setWordWrap(false);
    grdcode_->verticalHeader()->hide();
    grdcode_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdcode_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grdcode_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdcode_->horizontalHeader()->setMinimumSectionSize(1);
    grdcode_->horizontalHeader()->setHighlightSections(false);
    grdcode_->horizontalHeader()->setFixedHeight(kRowHeight);
    QPalette info = grdcode_->palette();
    info.setColor(QPalette::Base, info.color(QPalette::ToolTipBase));
    grdcode_->setPalette(info);
    grdcode_->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grdcode_);

    throttle_ = new RepaintThrottle([this] { refresh(); }, kRefreshIntervalMs, this);
    connect(&document, &LotteryDocument::changed, this, &Tfrmcode::scheduleRefresh);
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

bool Tfrmcode::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grdcode_->viewport() && event->type() == QEvent::Resize)
        layoutColumns();
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
        switch (model_->columnKind(column)) {
        case CodeTrendModel::ColumnKind::Issue:
            grdcode_->setColumnWidth(column, kIssueWidth);
            break;
        case CodeTrendModel::ColumnKind::DrawText:
            grdcode_->setColumnWidth(column, kDrawTextWidth);
            break;
        case CodeTrendModel::ColumnKind::Separator:
            grdcode_->setColumnWidth(column, kSeparatorWidth);
            break;
        case CodeTrendModel::ColumnKind::Front:
        case CodeTrendModel::ColumnKind::Back: {
            const int share = (numberIndex + 1) * extra / numberColumns - numberIndex * extra / numberColumns;
            grdcode_->setColumnWidth(column, base + share);
            ++numberIndex;
            break;
        }
        }
    }
}

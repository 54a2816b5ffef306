#include "analysis/u_code.h"

#include "analysis/code_trend_model.h"
#include "shell/lottery_document.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kRowHeight = 24;
constexpr int kIssueWidth = 70;
constexpr int kDrawTextWidth = 130;
constexpr int kSeparatorWidth = 8;
// Width of the grid that the number columns leave to the fixed columns, borders and scroll bar.
constexpr int kReservedWidth = 248;

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
    QPalette info = grdcode_->palette();
    info.setColor(QPalette::Base, info.color(QPalette::ToolTipBase));
    grdcode_->setPalette(info);
    grdcode_->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grdcode_);

    connect(&document, &LotteryDocument::changed, this, &Tfrmcode::refresh);
    layoutColumns();
}

void Tfrmcode::refresh()
{
    model_->reload();
    layoutColumns();
}

bool Tfrmcode::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grdcode_->viewport() && event->type() == QEvent::Resize)
        layoutColumns();
    return QWidget::eventFilter(watched, event);
}

void Tfrmcode::layoutColumns()
{
    const int columns = model_->columnCount();
    const int numberWidth = std::max(1, (grdcode_->viewport()->width() - kReservedWidth) / (columns - 4));
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
        case CodeTrendModel::ColumnKind::Back:
            grdcode_->setColumnWidth(column, numberWidth);
            break;
        }
    }
}

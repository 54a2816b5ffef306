#include "common/text_grid.h"

#include "common/table_export_menu.h"

#include <QHeaderView>

namespace {

constexpr int kRowHeight = 22;

} // namespace

TextGrid::TextGrid(QWidget* parent) : QTableView(parent), model_(new TextTableModel(this))
{
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setHighlightSections(false);
    TableExportMenu::install(this);
}

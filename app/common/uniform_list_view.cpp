#include "common/uniform_list_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

UniformListView::UniformListView(QWidget* parent) : QAbstractItemView(parent)
{
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    // The vertical scroll bar counts lines, so its range never grows past the number of lines.
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerPixel);
}

void UniformListView::setModel(QAbstractItemModel* model)
{
    QAbstractItemView::setModel(model);
    updateGeometries();
}

void UniformListView::reset()
{
    QAbstractItemView::reset();
    updateGeometries();
}

int UniformListView::rowCount() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

QModelIndex UniformListView::indexOfRow(int row) const
{
    return model() ? model()->index(row, 0, rootIndex()) : QModelIndex();
}

int UniformListView::firstVisibleRow() const
{
    return verticalScrollBar()->value();
}

int UniformListView::visibleRows() const
{
    return (viewport()->height() + rowHeight_ - 1) / rowHeight_;
}

QRect UniformListView::rowRect(int row) const
{
    return {-horizontalOffset(), (row - firstVisibleRow()) * rowHeight_, std::max(rowWidth_, viewport()->width()),
            rowHeight_};
}

QModelIndex UniformListView::indexAt(const QPoint& point) const
{
    if (point.y() < 0)
        return {};
    const int row = firstVisibleRow() + point.y() / rowHeight_;
    return row < rowCount() ? indexOfRow(row) : QModelIndex();
}

QRect UniformListView::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.parent() != rootIndex())
        return {};
    return rowRect(index.row());
}

void UniformListView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid())
        return;
    const int row = index.row();
    const int first = firstVisibleRow();
    const int whole = std::max(1, viewport()->height() / rowHeight_);
    switch (hint) {
    case PositionAtTop:
        verticalScrollBar()->setValue(row);
        break;
    case PositionAtBottom:
        verticalScrollBar()->setValue(row - whole + 1);
        break;
    case PositionAtCenter:
        verticalScrollBar()->setValue(row - whole / 2);
        break;
    case EnsureVisible:
        if (row < first)
            verticalScrollBar()->setValue(row);
        else if (row >= first + whole)
            verticalScrollBar()->setValue(row - whole + 1);
        break;
    }
}

QModelIndex UniformListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers)
{
    const int rows = rowCount();
    if (rows == 0)
        return {};
    const int current = currentIndex().isValid() ? currentIndex().row() : firstVisibleRow();
    const int page = std::max(1, viewport()->height() / rowHeight_);
    int row = current;
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        row = current - 1;
        break;
    case MoveDown:
    case MoveNext:
        row = current + 1;
        break;
    case MovePageUp:
        row = current - page;
        break;
    case MovePageDown:
        row = current + page;
        break;
    case MoveHome:
        row = 0;
        break;
    case MoveEnd:
        row = rows - 1;
        break;
    case MoveLeft:
    case MoveRight:
        break;
    }
    return indexOfRow(std::clamp(row, 0, rows - 1));
}

int UniformListView::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

int UniformListView::verticalOffset() const
{
    return firstVisibleRow() * rowHeight_;
}

bool UniformListView::isIndexHidden(const QModelIndex&) const
{
    return false;
}

void UniformListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    const int rows = rowCount();
    if (rows == 0)
        return;
    const QRect r = rect.normalized();
    const int first = std::clamp(firstVisibleRow() + r.top() / rowHeight_, 0, rows - 1);
    const int last = std::clamp(firstVisibleRow() + r.bottom() / rowHeight_, 0, rows - 1);
    selectionModel()->select(QItemSelection(indexOfRow(first), indexOfRow(last)), command);
}

QRegion UniformListView::visualRegionForSelection(const QItemSelection& selection) const
{
    QRegion region;
    const int first = firstVisibleRow();
    const int last = first + visibleRows();
    for (const QItemSelectionRange& range : selection) {
        const int top = std::max(range.top(), first);
        const int bottom = std::min(range.bottom(), last);
        if (top <= bottom)
            region += rowRect(top).united(rowRect(bottom));
    }
    return region;
}

void UniformListView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const int rows = rowCount();
    const int first = firstVisibleRow() + event->rect().top() / rowHeight_;
    const int last = std::min(rows - 1, firstVisibleRow() + event->rect().bottom() / rowHeight_);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QModelIndex current = currentIndex();
    for (int row = std::max(0, first); row <= last; ++row) {
        const QModelIndex index = indexOfRow(row);
        QStyleOptionViewItem item = option;
        item.rect = rowRect(row);
        if (selectionModel() && selectionModel()->isSelected(index))
            item.state |= QStyle::State_Selected;
        if (index == current && hasFocus())
            item.state |= QStyle::State_HasFocus;
        itemDelegateForIndex(index)->paint(&painter, item, index);
    }
}

void UniformListView::updateGeometries()
{
    const int rows = rowCount();
    rowHeight_ = std::max(1, fontMetrics().height() + 2);
    rowWidth_ = 0;
    if (rows > 0) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        // Lines of equal height: the first stands for all; the last is the widest where the lines
        // are numbered.
        const QModelIndex first = indexOfRow(0);
        const QModelIndex last = indexOfRow(rows - 1);
        const QSize hint = itemDelegateForIndex(first)->sizeHint(option, first);
        rowHeight_ = std::max(1, hint.height());
        rowWidth_ = std::max(hint.width(), itemDelegateForIndex(last)->sizeHint(option, last).width());
    }
    const int whole = std::max(1, viewport()->height() / rowHeight_);
    verticalScrollBar()->setRange(0, std::max(0, rows - whole));
    verticalScrollBar()->setPageStep(whole);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0, std::max(0, rowWidth_ - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
    QAbstractItemView::updateGeometries();
}

void UniformListView::scrollContentsBy(int, int)
{
    viewport()->update();
}

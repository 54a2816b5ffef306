#pragma once

#include <QAbstractItemView>

/// A list of lines of equal height over a list model, for lists of millions of lines (a bet list
/// can hold 21 million bets). It keeps nothing per line and asks the model only for the lines in
/// sight; a QListView lays out every line in advance, about 8 bytes a line, which for the largest
/// bet list is more memory than the whole program may use.
class UniformListView : public QAbstractItemView {
    Q_OBJECT
public:
    explicit UniformListView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    /// Lays the lines out at once, so that the view can be scrolled right after the model changed.
    void reset() override;
    QModelIndex indexAt(const QPoint& point) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QRect visualRect(const QModelIndex& index) const override;

    /// The height of every line: the delegate's size hint for the first one.
    int rowHeight() const { return rowHeight_; }
    /// The line at the top of the view.
    int firstVisibleRow() const;
    /// How many lines fit in the view, the last perhaps in part.
    int visibleRows() const;

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void paintEvent(QPaintEvent* event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int rowCount() const;
    QModelIndex indexOfRow(int row) const;
    QRect rowRect(int row) const;

    int rowHeight_ = 1;
    int rowWidth_ = 0;
};

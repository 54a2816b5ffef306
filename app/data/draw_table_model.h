#pragma once

#include "data/draw_editor.h"

#include <QAbstractTableModel>

namespace quorlin {
class Database;
}

/// The rows of the draw-entry grid: a table over the window's DrawEditor with one column per
/// column of the draw table, titled by its name. Cells take typing only while editing is allowed;
/// whatever changes the editor's rows (from the grid or from the window's buttons) reaches the
/// view through the editor's notices.
class DrawTableModel : public QAbstractTableModel, private quorlin::DrawEditorObserver {
    Q_OBJECT
public:
    explicit DrawTableModel(quorlin::Database& db, QObject* parent = nullptr);
    ~DrawTableModel() override;

    quorlin::DrawEditor& editor() { return editor_; }
    const quorlin::DrawEditor& editor() const { return editor_; }

    /// Whether the cells can be typed into (the window's add mode).
    void setEditable(bool editable) { editable_ = editable; }
    bool editable() const { return editable_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    /// Types into the current row only; the window moves the editor to a row before it is edited.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    void beginReset() override { beginResetModel(); }
    void endReset() override { endResetModel(); }
    void beginInsertRow(int row) override { beginInsertRows({}, row, row); }
    void endInsertRow() override { endInsertRows(); }
    void beginRemoveRow(int row) override { beginRemoveRows({}, row, row); }
    void endRemoveRow() override { endRemoveRows(); }
    void rowChanged(int row) override;

    quorlin::DrawEditor editor_;
    bool editable_ = false;
};

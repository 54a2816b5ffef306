#include "data/draw_table_model.h"

DrawTableModel::DrawTableModel(quorlin::Database& db, QObject* parent) : QAbstractTableModel(parent), editor_(db)
{
    editor_.setObserver(this);
}

DrawTableModel::~DrawTableModel()
{
    editor_.setObserver(nullptr);
}

int DrawTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : editor_.rowCount();
}

int DrawTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : quorlin::DrawEditor::kColumns;
}

QVariant DrawTableModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromStdString(editor_.cell(index.row(), index.column()));
    // Numbers stand right-aligned, as figures do in a column.
    const bool number = index.column() > 0 && index.column() < quorlin::DrawEditor::kColumns - 1;
    if (role == Qt::TextAlignmentRole && number)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant DrawTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal && section >= 0 && section < quorlin::DrawEditor::kColumns)
        return QString::fromStdString(quorlin::DrawEditor::columnNames()[static_cast<std::size_t>(section)]);
    return {};
}

Qt::ItemFlags DrawTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (editable_ && index.isValid())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DrawTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!editable_ || role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid) ||
        index.row() != editor_.current())
        return false;
    editor_.setCell(index.column(), value.toString().toStdString());
    return true;
}

void DrawTableModel::rowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, quorlin::DrawEditor::kColumns - 1));
}

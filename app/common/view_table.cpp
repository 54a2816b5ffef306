#include "common/view_table.h"

#include "common/plain_text_role.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QRegularExpression>
#include <QTableView>

#include <set>

namespace {

/// The rows and columns to take, in order.
struct Extent {
    std::vector<int> rows;
    std::vector<int> columns;
};

Extent wholeTable(const QAbstractItemView& view)
{
    const QAbstractItemModel& model = *view.model();
    const auto* table = qobject_cast<const QTableView*>(&view);
    Extent extent;
    for (int r = 0; r < model.rowCount(); ++r)
        if (table == nullptr || !table->isRowHidden(r))
            extent.rows.push_back(r);
    for (int c = 0; c < model.columnCount(); ++c)
        if (table == nullptr || !table->isColumnHidden(c))
            extent.columns.push_back(c);
    return extent;
}

/// Only the rows and columns of the selected cells; the whole table when nothing is selected.
Extent selected(const QAbstractItemView& view)
{
    Extent whole = wholeTable(view);
    const QItemSelectionModel* selection = view.selectionModel();
    if (selection == nullptr || !selection->hasSelection())
        return whole;
    std::set<int> rows;
    std::set<int> columns;
    for (const QItemSelectionRange& range : selection->selection()) {
        for (int r = range.top(); r <= range.bottom(); ++r)
            rows.insert(r);
        for (int c = range.left(); c <= range.right(); ++c)
            columns.insert(c);
    }
    Extent extent;
    for (int r : whole.rows)
        if (rows.count(r) != 0)
            extent.rows.push_back(r);
    for (int c : whole.columns)
        if (columns.count(c) != 0)
            extent.columns.push_back(c);
    return extent;
}

std::string text(const QVariant& value)
{
    return value.toString().toStdString();
}

} // namespace

namespace ViewTable {

quorlin::ExportTable read(const QAbstractItemView& view, bool selectionOnly, const QString& title)
{
    quorlin::ExportTable table;
    table.title = title.toStdString();
    const QAbstractItemModel* model = view.model();
    if (model == nullptr)
        return table;
    const Extent extent = selectionOnly ? selected(view) : wholeTable(view);
    for (int c : extent.columns) {
        const QVariant plain = model->headerData(c, Qt::Horizontal, kPlainTextRole);
        table.headers.push_back(text(plain.isValid() ? plain : model->headerData(c, Qt::Horizontal, Qt::DisplayRole)));
    }
    table.rows.reserve(extent.rows.size());
    for (int r : extent.rows) {
        std::vector<std::string>& row = table.rows.emplace_back();
        row.reserve(extent.columns.size());
        for (int c : extent.columns) {
            const QModelIndex cell = model->index(r, c);
            const QVariant plain = model->data(cell, kPlainTextRole);
            row.push_back(text(plain.isValid() ? plain : model->data(cell, Qt::DisplayRole)));
        }
    }
    return table;
}

QString tabText(const quorlin::ExportTable& table)
{
    static const QRegularExpression separators(QStringLiteral("[\\t\\r\\n]+"));
    auto line = [](const std::vector<std::string>& cells) {
        QStringList fields;
        for (const std::string& cell : cells)
            fields << QString::fromStdString(cell).replace(separators, QStringLiteral(" "));
        return fields.join('\t') + '\n';
    };
    QString text = line(table.headers);
    for (const std::vector<std::string>& row : table.rows)
        text += line(row);
    return text;
}

} // namespace ViewTable

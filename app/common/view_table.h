#pragma once

#include "export/table_export.h"

#include <QString>

class QAbstractItemView;

/// The table a view shows, as it leaves the program through the clipboard or a file.
namespace ViewTable {

/// The header row and every cell's text as displayed (their plain text where the model gives one,
/// common/plain_text_role.h), rows and columns hidden in the view left
/// out. With `selectionOnly` and something selected, only the rows and the columns that hold a
/// selected cell.
quorlin::ExportTable read(const QAbstractItemView& view, bool selectionOnly, const QString& title);

/// `table` as tab-separated lines under its header line; a tab or line break inside a cell becomes
/// a blank, so that each cell stays in its own column when pasted.
QString tabText(const quorlin::ExportTable& table);

} // namespace ViewTable

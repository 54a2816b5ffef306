#include "common/localized_file_model.h"

#include <QFileSystemModel>
#include <QLocale>

namespace {

// The columns of QFileSystemModel.
constexpr int kSizeColumn = 1;
constexpr int kModifiedColumn = 3;

} // namespace

QVariant LocalizedFileModel::data(const QModelIndex& index, int role) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || !index.isValid())
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    if (index.column() == kSizeColumn && !files->isDir(source))
        return QLocale().formattedDataSize(files->size(source));
    if (index.column() == kModifiedColumn)
        return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
    return QIdentityProxyModel::data(index, role);
}

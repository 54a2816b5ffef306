#include "common/bet_list_files.h"

#include "common/file_dialog.h"
#include "common/shell_folder.h"

#include <QDir>

namespace {

QString desktop()
{
    return QString::fromStdString(quorlin::getshellfolder("Desktop"));
}

} // namespace

namespace BetListFiles {

QString askSaveName(QWidget* parent, const QString& proposedName)
{
    const QString folder = desktop();
    const QString start = folder.isEmpty() ? proposedName : QDir(folder).filePath(proposedName);
    return FileDialog::getSaveFileName(parent, QStringLiteral("保存投注号码"), start, FileDialog::textFiles());
}

QString askOpenName(QWidget* parent)
{
    return FileDialog::getOpenFileName(parent, QStringLiteral("载入投注号码"), desktop(), FileDialog::textFiles());
}

} // namespace BetListFiles
